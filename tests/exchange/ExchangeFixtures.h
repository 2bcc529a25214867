// Small fixtures of the exchange tests: a norm file whose T-scores are easy to
// foresee, staged records in table order, and a progress window that records.
#pragma once

#include "core/DataModule.h"
#include "core/Formats.h"
#include "core/Progress.h"
#include "core/Sql.h"
#include "exchange/ResultsString.h"
#include "scoring/NormTable.h"
#include "support/TestFolder.h"

#include <QDate>
#include <QFile>
#include <array>
#include <vector>

namespace gibomer::test {

// Every norm row holds N(i) = i: a raw value v in 12..88 scores v on a rising
// test and 100 - v on a falling one.
inline void writeIdentityNorms(const TestFolder& folder, const QString& name = QStringLiteral("Tnorme.dat"))
{
    NormTableData table;
    for (int sex = 1; sex <= NormSexes; ++sex)
        for (int age = 1; age <= NormAgeGroups; ++age)
            for (int test = 1; test <= NormTests; ++test)
                for (int i = FirstTIndex; i <= LastTIndex; ++i)
                    table.set(sex, age, test, i, i);
    folder.writeFile(QStringLiteral("baza/") + name, table.toBytes());
}

// The raw value that scores t on test i with the identity norms.
inline int rawFor(int test, int t)
{
    return scoreFallsWithValue(test) ? 100 - t : t;
}

// A results string of body measures scored 50 and the eight motor T-scores
// given (-1 leaves a field blank).
inline QString resultsFor(const std::array<int, 8>& motorT)
{
    QStringList cells;
    for (int i = 1; i <= 3; ++i)
        cells << QString::number(rawFor(i, 50));
    for (int i = 4; i <= TestCount; ++i) {
        const int t = motorT[i - 4];
        cells << (t < 0 ? QString() : QString::number(rawFor(i, t)));
    }
    return PackResultsFromCells(cells);
}

struct Staged
{
    QString priimek = QStringLiteral("NOVAK");
    QString ime = QStringLiteral("ANA");
    QDate rojstvo = QDate(1995, 3, 5);
    int razred = 5;
    QString oddelek = QStringLiteral("A");
    int leto = 2005;
    int sola = 1234;
    int vrsta = 9;
    int spol = 1;
    QString meritve = resultsFor({50, 50, 50, 50, 50, 50, 50, 50});
};

// Fills the staging table so that its order is the order given; the current
// record is the first, as after reading a file.
inline void stage(TDM& dm, const std::vector<Staged>& records)
{
    StagingTable& table = dm.RxMMeritve();
    table.clear();
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        StagedRecord& r = table.insert();
        r.setPriimek(it->priimek);
        r.setIme(it->ime);
        if (it->rojstvo.isValid())
            r.setRojstvo(serialFromDate(it->rojstvo));
        if (it->razred >= 0)
            r.setRazred(it->razred);
        r.setOddelek(it->oddelek);
        r.setLeto(it->leto);
        r.setSola(it->sola);
        if (it->vrsta >= 0)
            r.setVrsta(it->vrsta);
        r.setSpol(it->spol);
        r.setMeritve(it->meritve);
    }
}

inline int countRows(TDM& dm, const QString& table, const QString& where = QString())
{
    return scalar(dm.db(), QStringLiteral("SELECT COUNT(*) FROM ") + table +
                               (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where))
        .toInt();
}

// One exchange line of school 1234, school type 9, born 5.3.1995, a girl,
// with every result present.
inline QByteArray exchangeLine(const QByteArray& nameBlock, char razred, char oddelek,
                               const QByteArray& year2)
{
    return QByteArray(" 12349") + razred + oddelek + "0503995505" + "123" +
           nameBlock.leftJustified(20, ' ', true) + "145231229211803453211107123456" + year2;
}

class RecordingProgress : public ProgressDisplay
{
public:
    void setUpperText(const QString& text) override { upper = text; }
    void setLowerText(const QString& text) override { lowerTexts << text; }
    void setRange(int maximum) override { range = maximum; }
    void setPosition(int position) override { positions << position; }
    void show() override
    {
        shown = true;
        visible = true;
    }
    void repaint() override { ++repaints; }
    void close() override { visible = false; }

    QString upper;
    QStringList lowerTexts;
    int range = -1;
    QList<int> positions;
    bool shown = false;
    bool visible = false;
    int repaints = 0;
};

} // namespace gibomer::test

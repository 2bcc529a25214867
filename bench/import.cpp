// Benchmark of the import engine: 100,000 staged records (twenty school years
// of a large school, pupils coming back year after year) imported into an
// empty database, beside a baseline of as many plain prepared inserts into
// T_VREDNOST in one transaction.
#include "core/DataModule.h"
#include "core/Formats.h"
#include "core/Progress.h"
#include "core/Prompter.h"
#include "core/Sql.h"
#include "exchange/ImportEngine.h"
#include "exchange/ResultsString.h"
#include "support/TestFolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlQuery>
#include <cstdio>
#include <random>

using namespace gibomer;

namespace {

// Nothing is asked in an import into an empty database; anything asked is counted.
class QuietPrompter : public Prompter
{
public:
    int asked = 0;
    void message(const QString& text) override
    {
        ++asked;
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    bool confirm(const QString&) override { return ++asked, false; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override
    {
        return ++asked, std::nullopt;
    }
    QStringList openFiles(const QString&, const QString&, const QString&) override
    {
        return ++asked, QStringList();
    }
    QString openFile(const QString&, const QString&, const QString&) override { return ++asked, QString(); }
    QString saveFile(const QString&, const QString&, const QString&) override { return ++asked, QString(); }
    std::optional<int> choosePupil(const QList<PupilCandidate>&) override { return ++asked, std::nullopt; }
};

constexpr int Years = 20;
constexpr int FirstYear = 2000;
constexpr int PerYear = 5000;
constexpr int ClassesPerGrade = 20;

struct Generated
{
    QString priimek, ime, oddelek, meritve;
    int razred, spol;
    double rojstvo;
};

// One school year: nine grades of twenty classes; a pupil keeps the name and
// birth date that the cohort number gives, so the next year finds them again.
std::vector<Generated> yearRecords(int year, std::mt19937& random)
{
    std::vector<Generated> out;
    out.reserve(PerYear);
    std::uniform_int_distribution<int> value(20, 80);
    const int perGrade = PerYear / 9 + 1;
    for (int i = 0; i < PerYear; ++i) {
        const int grade = 1 + i / perGrade;
        const int seat = i % perGrade;
        const int cohort = year - grade; // pupils who started in the same year
        Generated g;
        g.razred = grade;
        g.oddelek = QString(QChar(u'A' + seat % ClassesPerGrade));
        g.spol = seat % 2;
        g.priimek = QStringLiteral("Košir%1").arg(cohort * 1000 + seat);
        g.ime = g.spol ? QStringLiteral("Špela") : QStringLiteral("Žan");
        g.rojstvo = serialFromDate(QDate(cohort - 6, 1 + seat % 12, 1 + seat % 28));
        QStringList cells;
        for (int t = 1; t <= TestCount; ++t)
            cells << QString::number(value(random));
        g.meritve =
            PackResultsFromCells(cells) + QString::number(year % 100).rightJustified(2, QLatin1Char('0'));
        out.push_back(g);
    }
    // the class runs: grade, then class
    std::stable_sort(out.begin(), out.end(), [](const Generated& a, const Generated& b) {
        return std::tie(a.razred, a.oddelek) < std::tie(b.razred, b.oddelek);
    });
    return out;
}

void stage(StagingTable& table, const std::vector<Generated>& records, int year)
{
    table.clear();
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        StagedRecord& r = table.insert();
        r.setSola(1234);
        r.setLeto(year);
        r.setVrsta(9);
        r.setRazred(it->razred);
        r.setOddelek(it->oddelek);
        r.setPriimek(it->priimek);
        r.setIme(it->ime);
        r.setRojstvo(it->rojstvo);
        r.setSpol(it->spol);
        r.setMeritve(it->meritve);
    }
}

double baseline(int rows)
{
    test::TestFolder folder;
    QuietPrompter prompter;
    auto dm = folder.openDataModule(prompter);
    QElapsedTimer timer;
    timer.start();
    {
        Transaction transaction(dm->db());
        QSqlQuery insert(dm->db());
        insert.prepare(QStringLiteral(
            "INSERT INTO T_VREDNOST "
            "(ID_UCENEC,ID_MERITEV,ATV,ATVT,ATT,ATTT,AKG,AKGT,DPR,DPRT,SDM,SDMT,PON,PONT,DT,"
            "DTT,PRE,PRET,VZG,VZGT,T60,T60T,T600,T600T,XT) VALUES "
            "(:p1,:p2,:ATV,:ATVT,:ATT,:ATTT,:AKG,:AKGT,:DPR,"
            ":DPRT,:SDM,:SDMT,:PON,:PONT,:DT,:DTT,:PRE,:PRET,:VZG,:VZGT,:T60,:T60T,:T600,:T600T,:XT)"));
        for (int i = 0; i < rows; ++i) {
            insert.bindValue(0, i + 1);
            insert.bindValue(1, i / 28 + 1);
            for (int c = 2; c < 24; ++c)
                insert.bindValue(c, double(40 + (i + c) % 20));
            insert.bindValue(24, 50.25);
            execPrepared(insert);
        }
        transaction.commit();
    }
    return rows / (timer.nsecsElapsed() / 1e9);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    applyProgramFormats();
    if (!QFileInfo::exists(test::binPath(QStringLiteral("baza/Tnorme.dat")))) {
        std::fprintf(stderr, "build the program folder first (baza/Tnorme.dat is missing)\n");
        return 1;
    }

    test::TestFolder folder(test::TestFolder::Norms::Default);
    QuietPrompter prompter;
    auto dm = folder.openDataModule(prompter);
    NoProgress progress;
    std::mt19937 random(42);

    qint64 engineNs = 0;
    int written = 0, reused = 0, added = 0, skipped = 0;
    for (int y = 0; y < Years; ++y) {
        const int year = FirstYear + y;
        stage(dm->RxMMeritve(), yearRecords(year, random), year);
        QElapsedTimer timer;
        timer.start();
        const ImportSummary summary = ImportStagedRecords(*dm, progress, QString());
        engineNs += timer.nsecsElapsed();
        written += summary.resultsWritten;
        reused += summary.pupilsReused;
        added += summary.pupilsAdded;
        skipped += summary.recordsSkipped();
    }
    const int records = Years * PerYear;
    const double engineRate = records / (engineNs / 1e9);
    const double baselineRate = baseline(records);

    std::printf(
        "import engine: %d records in %.2f s = %.0f records/s (%d results rows, %d pupils added, %d found "
        "again, %d skipped, %d questions)\n",
        records, engineNs / 1e9, engineRate, written, added, reused, skipped, prompter.asked);
    std::printf("baseline:      %d plain prepared inserts into T_VREDNOST in one transaction = %.0f rows/s\n",
                records, baselineRate);
    std::printf("the engine takes %.1f times the baseline's time per record\n", baselineRate / engineRate);
    return written == records && prompter.asked == 0 ? 0 : 1;
}

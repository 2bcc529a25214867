// "Uvoz iz Excela" as a whole: an exported year read back gives the same
// pupils and raw results; bad workbooks stop before anything is written.
#include "core/Errors.h"
#include "core/Progress.h"
#include "core/Sql.h"
#include "exchange/ClassWorkbook.h"
#include "exchange/ClassWorkbookImport.h"
#include "exchange/Export.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolder.h"

#include "support/QStringPrinting.h"
#include <QFile>
#include <QSqlQuery>

#include <gtest/gtest.h>

using namespace gibomer;
using namespace gibomer::test;

namespace {

const QString ImportCaption = QStringLiteral("Vpis leta meritev za uvoz");

struct SchoolYear
{
    TestFolder folder{TestFolder::Norms::Default};
    ScriptedPrompter prompter;
    std::unique_ptr<TDM> dm = folder.openDataModule(prompter);
    NoProgress progress;

    SchoolYear()
    {
        const char* classes[][3] = {{"1", "5", "A"}, {"2", "6", "B"}};
        for (const auto& c : classes) {
            execSql(dm->db(), QStringLiteral("INSERT INTO T_MERITEV VALUES (:p1,10,2005,:p2,:p3,1)"),
                    {{":p1", c[0]}, {":p2", c[1]}, {":p3", c[2]}});
        }
        struct Pupil
        {
            int id;
            const char *priimek, *ime, *rojstvo;
            int spol, group;
            std::vector<QVariant> results; // ATV..T600
        };
        const QVariant none;
        const Pupil pupils[] = {
            {1, "Novak", "Ana", "1994-03-05", 1, 1, {1452, 45, 12, 30, 180, 120, 25, 40, 15, 95, 210}},
            {2, "Kovač", "Miha", "1994-12-31", 0, 1, {1500, 50, 9, 28, 175, 118, 22, 35, 12, 99, 220}},
            {3, "Šubic", "Žiga", "1993-01-01", 0, 2, {1610, 52, none, 33, 190, 110, 28, 41, 20, 90, 200}},
            {4, "Zupan", "Eva", "1993-07-15", 1, 2, {1580, 48, 10, 31, 185, 125, 26, 38, 0, 92, 215}},
        };
        for (const Pupil& p : pupils) {
            execSql(dm->db(),
                    QStringLiteral("INSERT INTO T_UCENEC (ID_UCENEC,PRIIMEK,IME,ROJSTVO,SPOL) VALUES "
                                   "(:p1,:p2,:p3,:p4,:p5)"),
                    {{":p1", p.id},
                     {":p2", QString::fromUtf8(p.priimek)},
                     {":p3", QString::fromUtf8(p.ime)},
                     {":p4", p.rojstvo},
                     {":p5", p.spol}});
            SqlParams params = {{":u", p.id}, {":m", p.group}};
            QStringList names;
            for (int i = 0; i < 11; ++i) {
                names << QStringLiteral(":r%1").arg(i);
                params.push_back({names.last(), p.results[i]});
            }
            execSql(dm->db(),
                    QStringLiteral(
                        "INSERT INTO T_VREDNOST (ID_UCENEC,ID_MERITEV,ATV,ATT,AKG,DPR,SDM,PON,DT,PRE,VZG,"
                        "T60,T600) VALUES (:u,:m,%1)")
                        .arg(names.join(',')),
                    params);
        }
    }

    // Every pupil's raw results of 2005, with the class, in a fixed order.
    QStringList results() const
    {
        QStringList rows;
        QSqlQuery q =
            execSql(dm->db(), QStringLiteral("SELECT u.PRIIMEK,u.IME,u.ROJSTVO,u.SPOL,m.RAZRED,m.ODDELEK,"
                                             "v.ATV,v.ATT,v.AKG,v.DPR,v.SDM,v.PON,v.DT,v.PRE,v.VZG,v.T60,"
                                             "v.T600 FROM T_VREDNOST v JOIN T_UCENEC u USING (ID_UCENEC) "
                                             "JOIN T_MERITEV m USING (ID_MERITEV) WHERE m.LETO_MERITVE=2005 "
                                             "ORDER BY u.PRIIMEK"));
        while (q.next()) {
            QStringList cells;
            for (int c = 0; c < 17; ++c)
                cells << q.value(c).toString();
            rows << cells.join('|');
        }
        return rows;
    }
    int count(const char* table) const
    {
        return scalar(dm->db(), QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(table)).toInt();
    }
};

} // namespace

TEST(WorkbookImport, AnExportedYearReadBackGivesTheSamePupilsAndResults)
{
    SchoolYear year;
    const QStringList before = year.results();
    ASSERT_EQ(before.size(), 4);
    const QString path = year.folder.path() + QStringLiteral("/izvoz.xlsx");
    year.prompter.expectSaveFile(path);
    ASSERT_EQ(ExportYear(*year.dm, 2005, false), path);

    year.prompter.expectInput(ImportCaption, QStringLiteral("2005"))
        .expectOpenFile(path)
        .expectConfirm(alreadyImportedQuestion(QStringLiteral("2005")), true);
    const auto summary = ImportClassWorkbook(*year.dm, year.progress);
    ASSERT_TRUE(summary.has_value());
    EXPECT_TRUE(year.prompter.lastProposedPath.endsWith(QStringLiteral("/test.xls")));
    EXPECT_EQ(summary->recordsRead, 4);
    EXPECT_EQ(summary->pupilsAdded, 0);
    EXPECT_EQ(year.results(), before);
    EXPECT_EQ(year.count("T_UCENEC"), 4);
    EXPECT_EQ(year.count("T_MERITEV"), 2);
    EXPECT_TRUE(year.prompter.done());
}

TEST(WorkbookImport, PupilsPastRowFortyNineAndResultsThatDoNotReadAreNamedAfterTheImport)
{
    SchoolYear year;
    WorkbookSheet sheet = classSheet(QStringLiteral("7"), QStringLiteral("C"));
    for (int row = 2; row <= 51; ++row) {
        sheet.setCell(row, 4, QStringLiteral("Učenec%1 Ime").arg(row));
        sheet.setCell(row, 6, QStringLiteral("1500"));
    }
    sheet.setCell(3, 6, QStringLiteral("15,5")); // does not read: that pupil gets no results row
    const QString path = year.folder.path() + QStringLiteral("/polno.xlsx");
    writeWorkbook(path, {sheet});

    year.prompter.expectInput(ImportCaption, QStringLiteral("2005"))
        .expectOpenFile(path)
        .expectConfirm(alreadyImportedQuestion(QStringLiteral("2005")), true)
        .expectMessage(
            QStringLiteral("Na listu '7 C' je več kot 48 učencev. Uvoženi so le učenci iz vrstic od 2 do "
                           "49; ostale vrstice niso bile prebrane."))
        .allowMessages(
            QStringLiteral("Učenci, katerih rezultatov ni bilo mogoče uvoziti (1):\nUčenec3 Ime: "));
    ImportClassWorkbook(*year.dm, year.progress);
    EXPECT_TRUE(year.prompter.asked.last().contains(QStringLiteral("15,5")))
        << year.prompter.asked.last().toStdString();
    EXPECT_EQ(year.count("T_VREDNOST"), 47);
    EXPECT_EQ(scalar(year.dm->db(), QStringLiteral("SELECT COUNT(*) FROM T_UCENEC WHERE PRIIMEK='Učenec50'"))
                  .toInt(),
              0);
    EXPECT_TRUE(year.prompter.done());
}

TEST(WorkbookImport, ABadWorkbookStopsWithItsMessageAndNothingIsWritten)
{
    SchoolYear year;
    const QString text = year.folder.path() + QStringLiteral("/test.xls");
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Novak;Ana;1995\r\n");
    file.close();
    const QString fixture = sourcePath(QStringLiteral("tests/exchange/workbooks/entry.xlsx"));
    year.dm->RxMMeritve().clear();
    year.dm->RxMMeritve().insert().setPriimek(QStringLiteral("prej"));
    const QStringList before = year.results();

    struct Case
    {
        QString yearText, path, message;
    } cases[] = {
        {QStringLiteral("2005"), text,
         QStringLiteral("Datoteka test.xls ni delovni zvezek (.xlsx ali .xls).")},
        {QStringLiteral("2005"), fixture, QStringLiteral("Oddelek ni pravilno vpisan !")}, // its sheet "5 "
        {QStringLiteral("20o5"), {}, QStringLiteral("Napačno vnešeno leto!")},
        {QStringLiteral("2004"),
         {},
         QStringLiteral("Za izbrano leto ni vnešenih oddelkov, zato ne morete kreirati excel dokumenta!")},
    };
    for (const Case& c : cases) {
        year.prompter.expectInput(ImportCaption, c.yearText);
        if (!c.path.isEmpty())
            year.prompter.expectOpenFile(c.path);
        year.prompter.expectMessage(c.message);
        EXPECT_THROW(ImportClassWorkbook(*year.dm, year.progress), SilentAbort) << c.message.toStdString();
        EXPECT_EQ(year.dm->RxMMeritve().size(), 1);
        EXPECT_EQ(year.results(), before);
    }

    // The user's No to the engine's question writes nothing either.
    const QString exported = year.folder.path() + QStringLiteral("/izvoz.xlsx");
    year.prompter.expectSaveFile(exported);
    ExportYear(*year.dm, 2005, false);
    year.prompter.expectInput(ImportCaption, QStringLiteral("2005"))
        .expectOpenFile(exported)
        .expectConfirm(alreadyImportedQuestion(QStringLiteral("2005")), false);
    EXPECT_THROW(ImportClassWorkbook(*year.dm, year.progress), SilentAbort);
    EXPECT_EQ(year.results(), before);

    year.prompter.expectInput(ImportCaption, QStringLiteral("2005")).expectOpenFile(QString());
    EXPECT_EQ(ImportClassWorkbook(*year.dm, year.progress), std::nullopt);
    EXPECT_TRUE(year.prompter.done());
}

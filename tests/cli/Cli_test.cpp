// gibomer-cli run as a user runs it: as a process on a temporary program
// folder, with the database and the written files checked afterwards.
#include "core/DataModule.h"
#include "core/Password.h"
#include "core/Sql.h"
#include "scoring/NormModel.h"
#include "scoring/NormTable.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

using namespace gibomer;
using namespace gibomer::test;

namespace {

const QString DemoPassword = QStringLiteral("telovadba");

struct CliRun
{
    int code = -1;
    QString out;
    QString err;
};

std::ostream& operator<<(std::ostream& os, const CliRun& run)
{
    return os << "exit " << run.code << "\nstdout:\n"
              << run.out.toStdString() << "\nstderr:\n"
              << run.err.toStdString();
}

CliRun cli(const QStringList& args, const QByteArray& input = {})
{
    QProcess process;
    process.start(binPath(QStringLiteral("gibomer-cli")), args);
    process.write(input);
    process.closeWriteChannel();
    CliRun run;
    if (!process.waitForFinished(600000))
        return run;
    run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString pdfText(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

class Cli : public ::testing::Test
{
protected:
    QStringList inFolder(QStringList args) const
    {
        return args << QStringLiteral("--folder") << folder.path();
    }
    CliRun importDemo(const QStringList& flags = {}) const
    {
        return cli(inFolder(QStringList{QStringLiteral("import-archive"),
                                        sourcePath(QStringLiteral("demo/demo-sola.zip")),
                                        QStringLiteral("--password"), DemoPassword} +
                            flags));
    }
    QString file(const QString& name) const { return folder.path() + QLatin1Char('/') + name; }

    // Reads from the database between runs; closed again before the next run.
    QVariant query(const QString& sql) const
    {
        ScriptedPrompter prompter;
        const auto dm = folder.openDataModule(prompter);
        return scalar(dm->db(), sql);
    }
    QStringList rows(const QString& sql) const
    {
        ScriptedPrompter prompter;
        const auto dm = folder.openDataModule(prompter);
        QSqlQuery q = execSql(dm->db(), sql);
        QStringList result;
        while (q.next()) {
            QStringList fields;
            for (int i = 0; i < q.record().count(); ++i)
                fields << q.value(i).toString();
            result << fields.join(QLatin1Char('|'));
        }
        return result;
    }

    TestFolder folder{TestFolder::Norms::Default};
};

// The raw results of a year, by pupil and class, independent of identifiers.
const QString RawResults2024 = QStringLiteral(
    "SELECT u.PRIIMEK,u.IME,u.ROJSTVO,u.SPOL,m.RAZRED,m.ODDELEK,v.ATV,v.ATT,v.AKG,v.DPR,v.SDM,v.PON,v.DT,"
    "v.PRE,v.VZG,v.T60,v.T600,v.XT FROM T_VREDNOST v JOIN T_UCENEC u ON u.ID_UCENEC=v.ID_UCENEC "
    "JOIN T_MERITEV m ON m.ID_MERITEV=v.ID_MERITEV WHERE m.LETO_MERITVE=2024 ORDER BY 1,2,3,5,6");

} // namespace

// Imported into an empty database, then again keeping the years there, then
// replacing them: the second run changes nothing, the third finds every pupil
// again, makes the backups and leaves the same results.
TEST_F(Cli, DemoArchiveImportedKeptAndReplaced)
{
    const CliRun first = importDemo({QStringLiteral("--keep")});
    ASSERT_EQ(first.code, 0) << first;
    EXPECT_TRUE(first.out.contains(QStringLiteral("Arhiv ")) &&
                first.out.contains(QStringLiteral("šola OŠ Lipa pod Goro")))
        << first;
    EXPECT_TRUE(first.out.contains(QStringLiteral("Skupaj: uvoženih datotek 6"))) << first;
    EXPECT_TRUE(first.out.contains(QStringLiteral("izpuščenih zapisov 0"))) << first;
    const int results = query(QStringLiteral("SELECT COUNT(*) FROM T_VREDNOST")).toInt();
    const int pupils = query(QStringLiteral("SELECT COUNT(*) FROM T_UCENEC")).toInt();
    const int lastClass = query(QStringLiteral("SELECT MAX(ID_MERITEV) FROM T_MERITEV")).toInt();
    EXPECT_TRUE(first.out.contains(QStringLiteral("zapisanih vrstic rezultatov %1,").arg(results))) << first;
    EXPECT_TRUE(first.out.contains(QStringLiteral("dodanih učencev %1,").arg(pupils))) << first;
    EXPECT_EQ(query(QStringLiteral("SELECT COUNT(*) FROM T_MERITEV WHERE ID_SOLA=4321")).toInt(), 6 * 9 * 2);
    const QStringList before = rows(RawResults2024);
    ASSERT_FALSE(before.isEmpty());

    const CliRun kept = importDemo({QStringLiteral("--keep")});
    ASSERT_EQ(kept.code, 0) << kept;
    // Every year is kept and reported, not only the first.
    EXPECT_EQ(kept.out.count(QStringLiteral("leto je že uvoženo, podatki so ostali nespremenjeni")), 6)
        << kept;
    EXPECT_TRUE(kept.out.contains(QStringLiteral("Skupaj: uvoženih datotek 0"))) << kept;
    EXPECT_EQ(query(QStringLiteral("SELECT COUNT(*) FROM T_VREDNOST")).toInt(), results);
    EXPECT_EQ(query(QStringLiteral("SELECT MAX(ID_MERITEV) FROM T_MERITEV")).toInt(), lastClass);

    const CliRun replaced = importDemo({QStringLiteral("--replace")});
    ASSERT_EQ(replaced.code, 0) << replaced;
    EXPECT_EQ(replaced.out.count(QStringLiteral("varnostna kopija baze")), 6) << replaced;
    EXPECT_TRUE(replaced.out.contains(QStringLiteral("dodanih učencev 0, najdenih učencev %1").arg(results)))
        << replaced;
    EXPECT_EQ(QDir(folder.baza()).entryList({QStringLiteral("gmr-kopija-*.mdb")}).size(), 6);
    EXPECT_EQ(query(QStringLiteral("SELECT COUNT(*) FROM T_UCENEC")).toInt(), pupils);
    EXPECT_EQ(query(QStringLiteral("SELECT COUNT(*) FROM T_VREDNOST")).toInt(), results);
    EXPECT_EQ(query(QStringLiteral("SELECT MIN(ID_MERITEV) FROM T_MERITEV")).toInt(), lastClass + 1);
    EXPECT_EQ(rows(RawResults2024), before);

    const CliRun info = cli(inFolder({QStringLiteral("info")}));
    ASSERT_EQ(info.code, 0) << info;
    EXPECT_TRUE(info.out.contains(QStringLiteral("VERZIJA: 4"))) << info;
    EXPECT_TRUE(info.out.contains(QStringLiteral("Učencev: %1").arg(pupils))) << info;
    EXPECT_TRUE(info.out.contains(QStringLiteral("  2024: 18, ")) &&
                info.out.contains(QStringLiteral("  2019: 18, ")))
        << info;
    EXPECT_TRUE(info.out.contains(QStringLiteral("Datoteka s t-normami: Tnorme.dat (142296 bajtov)")))
        << info;
}

TEST_F(Cli, WrongArchivePasswordFailsWithNothingWritten)
{
    const CliRun run =
        cli(inFolder({QStringLiteral("import-archive"), sourcePath(QStringLiteral("demo/demo-sola.zip")),
                      QStringLiteral("--password"), QStringLiteral("napacno")}));
    EXPECT_EQ(run.code, 1) << run;
    EXPECT_TRUE(run.err.contains(QStringLiteral("Geslo je napačno! Poskusite ponolno!"))) << run;
    EXPECT_EQ(query(QStringLiteral("SELECT COUNT(*) FROM T_MERITEV")).toInt(), 0);
}

// The year exported and read back in its place gives the same raw results,
// every pupil found again.
TEST_F(Cli, WorkbookRoundTripKeepsTheRawResults)
{
    ASSERT_EQ(importDemo().code, 0);
    const QStringList before = rows(RawResults2024);

    const CliRun exported =
        cli(inFolder({QStringLiteral("export-workbook"), QStringLiteral("--year"), QStringLiteral("2024"),
                      QStringLiteral("--out"), file(QStringLiteral("izvoz"))}));
    ASSERT_EQ(exported.code, 0) << exported;
    EXPECT_TRUE(exported.out.contains(QStringLiteral("listov 18"))) << exported;
    ASSERT_TRUE(QFileInfo::exists(file(QStringLiteral("izvoz.xlsx"))));

    const CliRun imported =
        cli(inFolder({QStringLiteral("import-workbook"), file(QStringLiteral("izvoz.xlsx")),
                      QStringLiteral("--year"), QStringLiteral("2024"), QStringLiteral("--replace")}));
    ASSERT_EQ(imported.code, 0) << imported;
    EXPECT_TRUE(
        imported.out.contains(QStringLiteral("dodanih učencev 0, najdenih učencev %1").arg(before.size())))
        << imported;
    EXPECT_EQ(rows(RawResults2024), before);

    const CliRun created =
        cli(inFolder({QStringLiteral("create-workbook"), QStringLiteral("--year"), QStringLiteral("2024"),
                      QStringLiteral("--out"), file(QStringLiteral("prazen.xlsx"))}));
    ASSERT_EQ(created.code, 0) << created;
    EXPECT_TRUE(created.out.contains(QStringLiteral("listov 18")) &&
                created.out.contains(QStringLiteral("vrstic učencev 0")))
        << created;

    // a year without classes: the program's message, and a failure
    const CliRun empty =
        cli(inFolder({QStringLiteral("create-workbook"), QStringLiteral("--year"), QStringLiteral("2030"),
                      QStringLiteral("--out"), file(QStringLiteral("x.xlsx"))}));
    EXPECT_EQ(empty.code, 1) << empty;
    EXPECT_TRUE(empty.err.contains(QStringLiteral("Za izbrano leto ni vnešenih oddelkov"))) << empty;
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("x.xlsx"))));
}

class CliImported : public Cli
{
protected:
    void SetUp() override { ASSERT_EQ(importDemo().code, 0); }
};

TEST_F(CliImported, EachKindWritesItsPdfWithTheTitle)
{
    const QStringList pupil =
        rows(QStringLiteral("SELECT ID_UCENEC,IME,PRIIMEK,ROJSTVO FROM T_UCENEC ORDER BY ID_UCENEC LIMIT 1"))
            .front()
            .split(QLatin1Char('|'));
    const QString born = QDate::fromString(pupil[3], Qt::ISODate).toString(QStringLiteral("dd.MM.yyyy"));
    const QString pupilTitle = pupil[1] + QLatin1Char(' ') + pupil[2] + QStringLiteral(", ") + born;
    const QStringList years = {QStringLiteral("--from"), QStringLiteral("2019"), QStringLiteral("--to"),
                               QStringLiteral("2024")};
    struct Case
    {
        QStringList args;
        QString title;
    };
    const QList<Case> cases = {
        {{QStringLiteral("--kind"), QStringLiteral("pupil"), QStringLiteral("--pupil-id"), pupil[0]},
         pupilTitle},
        {{QStringLiteral("--kind"), QStringLiteral("pupil"), QStringLiteral("--surname"), pupil[2].toUpper(),
          QStringLiteral("--name"), pupil[1], QStringLiteral("--born"), born},
         pupilTitle},
        {{QStringLiteral("--kind"), QStringLiteral("class"), QStringLiteral("--grade"), QStringLiteral("5"),
          QStringLiteral("--class"), QStringLiteral("A"), QStringLiteral("--sex"), QStringLiteral("f")},
         QStringLiteral("Povprečni rezultati 5.A Razred(Ženske)")},
        {{QStringLiteral("--kind"), QStringLiteral("generation"), QStringLiteral("--generation-year"),
          QStringLiteral("2024"), QStringLiteral("--grade"), QStringLiteral("9")},
         QStringLiteral("Povprečni rezultati za generacijo (2023/2024)9.razred (Moški+Ženske)")},
        {{QStringLiteral("--kind"), QStringLiteral("school")},
         QStringLiteral("Povprečni rezultati za celotno šolo (Moški+Ženske)")},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString pdf = file(QStringLiteral("r%1.pdf").arg(++n));
        const CliRun run = cli(inFolder(QStringList{QStringLiteral("report")} + c.args + years +
                                        QStringList{QStringLiteral("--pdf"), pdf}));
        ASSERT_EQ(run.code, 0) << c.args.join(QLatin1Char(' ')).toStdString() << "\n" << run;
        const QString text = pdfText(pdf);
        EXPECT_TRUE(text.contains(c.title)) << c.title.toStdString() << "\n" << text.left(400).toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Legenda:"))) << text.left(400).toStdString();
    }
}

TEST_F(CliImported, TableHasOneLinePerYearWithDecimalCommas)
{
    const QString csv = file(QStringLiteral("sola.csv"));
    const CliRun run =
        cli(inFolder({QStringLiteral("report"), QStringLiteral("--kind"), QStringLiteral("school"),
                      QStringLiteral("--from"), QStringLiteral("2019"), QStringLiteral("--to"),
                      QStringLiteral("2024"), QStringLiteral("--csv"), csv}));
    ASSERT_EQ(run.code, 0) << run;
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0],
              QStringLiteral("LETO_MERITVE;ATV;ATVT;ATT;ATTT;AKG;AKGT;DPR;DPRT;SDM;SDMT;PON;PONT;DT;DTT;"
                             "PRE;PRET;VZG;VZGT;T60;T60T;T600;T600T;XT"));
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList fields = lines[i].split(QLatin1Char(';'));
        ASSERT_EQ(fields.size(), 24) << lines[i].toStdString();
        EXPECT_EQ(fields[0], QString::number(2018 + i));
        EXPECT_FALSE(fields[1].contains(QLatin1Char(','))) << "raw averages have no decimals";
        EXPECT_TRUE(fields[2].contains(QLatin1Char(',')) && !fields[2].contains(QLatin1Char('.')))
            << fields[2].toStdString();
    }
}

TEST_F(CliImported, BatchHasEveryFoundPupilInSearchOrder)
{
    const QStringList found = rows(QStringLiteral(
        "SELECT DISTINCT u.IME||' '||u.PRIIMEK, u.PRIIMEK, u.IME FROM T_UCENEC u JOIN T_VREDNOST v ON "
        "v.ID_UCENEC=u.ID_UCENEC JOIN T_MERITEV m ON m.ID_MERITEV=v.ID_MERITEV "
        "WHERE m.LETO_MERITVE=2024 AND m.RAZRED=9 AND m.ODDELEK='A' ORDER BY u.PRIIMEK, u.IME"));
    ASSERT_GT(found.size(), 2);
    const QString pdf = file(QStringLiteral("9a.pdf"));
    const CliRun run =
        cli(inFolder({QStringLiteral("report-all"), QStringLiteral("--school-year"), QStringLiteral("2024"),
                      QStringLiteral("--grade"), QStringLiteral("9"), QStringLiteral("--class"),
                      QStringLiteral("A"), QStringLiteral("--from"), QStringLiteral("2016"),
                      QStringLiteral("--to"), QStringLiteral("2024"), QStringLiteral("--pdf"), pdf}));
    ASSERT_EQ(run.code, 0) << run;
    EXPECT_TRUE(run.out.contains(QStringLiteral("Zapisanih poročil: %1").arg(found.size()))) << run;
    const QString text = pdfText(pdf);
    qsizetype at = 0;
    for (const QString& row : found) {
        const QString name = row.section(QLatin1Char('|'), 0, 0);
        const qsizetype next = text.indexOf(name, at);
        EXPECT_GE(next, at) << name.toStdString() << " missing or out of order";
        at = std::max(at, next);
    }

    // a search that finds nobody writes nothing
    const CliRun none =
        cli(inFolder({QStringLiteral("report-all"), QStringLiteral("--surname"), QStringLiteral("Nihče"),
                      QStringLiteral("--pdf"), file(QStringLiteral("n.pdf"))}));
    EXPECT_EQ(none.code, 1) << none;
    EXPECT_TRUE(none.err.contains(QStringLiteral("Iskanje ni našlo nobenega učenca"))) << none;
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("n.pdf"))));
}

// A record that fits two pupils: --match first gives it to the first of
// them, --match new to a pupil added for it.
TEST_F(CliImported, MatchOptionAnswersThePupilChoice)
{
    const QStringList pupil =
        rows(QStringLiteral(
                 "SELECT u.ID_UCENEC,u.PRIIMEK,u.IME,u.ROJSTVO,u.SPOL FROM T_UCENEC u JOIN T_VREDNOST v "
                 "ON v.ID_UCENEC=u.ID_UCENEC JOIN T_MERITEV m ON m.ID_MERITEV=v.ID_MERITEV "
                 "WHERE m.LETO_MERITVE=2024 ORDER BY u.ID_UCENEC DESC LIMIT 1"))
            .front()
            .split(QLatin1Char('|'));
    {
        ScriptedPrompter prompter;
        const auto dm = folder.openDataModule(prompter);
        execSql(dm->db(),
                QStringLiteral(
                    "INSERT INTO T_UCENEC (ID_UCENEC,PRIIMEK,IME,ROJSTVO,SPOL) VALUES (9000,:p,:i,:r,:s)"),
                {{":p", pupil[1]}, {":i", pupil[2]}, {":r", pupil[3]}, {":s", pupil[4].toInt()}});
    }
    const QString owners =
        QStringLiteral("SELECT group_concat(v.ID_UCENEC) FROM T_VREDNOST v JOIN T_MERITEV m ON "
                       "m.ID_MERITEV=v.ID_MERITEV JOIN T_UCENEC u ON u.ID_UCENEC=v.ID_UCENEC "
                       "WHERE m.LETO_MERITVE=2024 AND u.PRIIMEK='%1' AND u.IME='%2' AND u.ROJSTVO='%3'")
            .arg(pupil[1], pupil[2], pupil[3]);

    const CliRun first =
        importDemo({QStringLiteral("--replace"), QStringLiteral("--match"), QStringLiteral("first")});
    ASSERT_EQ(first.code, 0) << first;
    EXPECT_TRUE(
        first.err.contains(QStringLiteral("Več učencev ustreza zapisu %1 %2").arg(pupil[1], pupil[2])))
        << first;
    EXPECT_TRUE(first.out.contains(
        QStringLiteral("Skupaj: uvoženih datotek 6, prebranih zapisov 1858, dodanih učencev 0,")))
        << first;
    EXPECT_EQ(query(owners).toString(), pupil[0]);

    const CliRun added =
        importDemo({QStringLiteral("--replace"), QStringLiteral("--match"), QStringLiteral("new")});
    ASSERT_EQ(added.code, 0) << added;
    EXPECT_TRUE(added.out.contains(
        QStringLiteral("S432124: prebranih zapisov 319, dodanih oddelkov 18, dodanih učencev 1,")))
        << added;
    const int newest = query(QStringLiteral("SELECT MAX(ID_UCENEC) FROM T_UCENEC")).toInt();
    EXPECT_GT(newest, 9000);
    EXPECT_EQ(query(owners).toInt(), newest);
}

// The shipped norm file rebuilt from its model is the same file, and its
// listing is the core's listing.
TEST_F(Cli, NormFilesBuiltAndDumped)
{
    const QString shipped = binPath(QStringLiteral("baza/Tnorme.dat"));
    const QString built = file(QStringLiteral("T.dat"));
    const CliRun build = cli({QStringLiteral("norms"), QStringLiteral("build"),
                              sourcePath(QStringLiteral("data/norm-model.csv")), built});
    ASSERT_EQ(build.code, 0) << build;
    QFile a(shipped), b(built);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_TRUE(a.readAll() == b.readAll());

    const CliRun dump = cli({QStringLiteral("norms"), QStringLiteral("dump"), shipped,
                             QStringLiteral("--sex"), QStringLiteral("2"), QStringLiteral("--age"),
                             QStringLiteral("12"), QStringLiteral("--test"), QStringLiteral("5")});
    ASSERT_EQ(dump.code, 0) << dump;
    NormDumpFilter filter;
    filter.sex = 2;
    filter.age = 12;
    filter.test = 5;
    EXPECT_EQ(dump.out.trimmed(), dumpNormTable(readNormFile(shipped), filter).trimmed());

    const CliRun missing =
        cli({QStringLiteral("norms"), QStringLiteral("dump"), file(QStringLiteral("ni.dat"))});
    EXPECT_EQ(missing.code, 1) << missing;
    EXPECT_FALSE(missing.err.isEmpty());
}

TEST_F(Cli, DatabaseWithPasswordOpensOnlyWithIt)
{
    {
        ScriptedPrompter prompter;
        const auto dm = folder.openDataModule(prompter);
        execSql(dm->db(), QStringLiteral("UPDATE T_NASTAVITVE SET GESLo=:p1"),
                {{":p1", hashPassword(QStringLiteral("Skrivnost"))}});
    }
    const CliRun without = cli(inFolder({QStringLiteral("info")}));
    EXPECT_EQ(without.code, 1) << without;
    EXPECT_TRUE(without.err.contains(QStringLiteral("--password-start"))) << without;
    const CliRun wrong =
        cli(inFolder({QStringLiteral("info"), QStringLiteral("--password-start"), QStringLiteral("drugo")}));
    EXPECT_EQ(wrong.code, 1) << wrong;
    EXPECT_TRUE(wrong.err.contains(QStringLiteral("Napačno geslo!"))) << wrong;
    const CliRun right = cli(
        inFolder({QStringLiteral("info"), QStringLiteral("--password-start"), QStringLiteral("skrivnost")}));
    EXPECT_EQ(right.code, 0) << right;
    EXPECT_TRUE(right.out.contains(QStringLiteral("VERZIJA: 4"))) << right;
    // "-" reads it from standard input, out of the process list
    const CliRun piped =
        cli(inFolder({QStringLiteral("info"), QStringLiteral("--password-start"), QStringLiteral("-")}),
            "skrivnost\n");
    EXPECT_EQ(piped.code, 0) << piped;
}

// Wrong arguments are refused before anything is opened: exit 2, the reason
// and the usage on standard error, and no database made.
TEST_F(Cli, WrongArgumentsExitTwoBeforeTouchingTheFolder)
{
    const QString zip = sourcePath(QStringLiteral("demo/demo-sola.zip"));
    const QString out = file(QStringLiteral("x.pdf"));
    const QList<QStringList> cases = {
        {},
        {QStringLiteral("uvozi")},
        {QStringLiteral("import-archive"), QStringLiteral("--password"), DemoPassword},
        {QStringLiteral("import-archive"), zip},
        {QStringLiteral("import-archive"), zip, QStringLiteral("--password")},
        {QStringLiteral("import-archive"), zip, QStringLiteral("--password"), DemoPassword,
         QStringLiteral("--replace"), QStringLiteral("--keep")},
        {QStringLiteral("import-archive"), zip, QStringLiteral("--password"), DemoPassword,
         QStringLiteral("--match"), QStringLiteral("vsi")},
        {QStringLiteral("import-workbook"), zip},
        {QStringLiteral("export-workbook"), QStringLiteral("--year"), QStringLiteral("lani"),
         QStringLiteral("--out"), out},
        {QStringLiteral("create-workbook"), QStringLiteral("--year"), QStringLiteral("2024")},
        {QStringLiteral("report"), QStringLiteral("--kind"), QStringLiteral("weekly"),
         QStringLiteral("--pdf"), out},
        {QStringLiteral("report"), QStringLiteral("--kind"), QStringLiteral("school"),
         QStringLiteral("--class"), QStringLiteral("A"), QStringLiteral("--pdf"), out},
        {QStringLiteral("report"), QStringLiteral("--kind"), QStringLiteral("school")},
        {QStringLiteral("report"), QStringLiteral("--kind"), QStringLiteral("pupil"), QStringLiteral("--pdf"),
         out},
        {QStringLiteral("report"), QStringLiteral("--kind"), QStringLiteral("pupil"),
         QStringLiteral("--surname"), QStringLiteral("Novak"), QStringLiteral("--born"),
         QStringLiteral("31.02.2010"), QStringLiteral("--pdf"), out},
        {QStringLiteral("report"), QStringLiteral("--kind"), QStringLiteral("class"), QStringLiteral("--sex"),
         QStringLiteral("z"), QStringLiteral("--pdf"), out},
        {QStringLiteral("report-all"), QStringLiteral("--grade"), QStringLiteral("9")},
        {QStringLiteral("norms"), QStringLiteral("dump"), QStringLiteral("a.dat"), QStringLiteral("--sex"),
         QStringLiteral("3")},
        {QStringLiteral("norms"), QStringLiteral("build"), QStringLiteral("model.csv")},
        {QStringLiteral("info"), QStringLiteral("odvec")},
    };
    for (const QStringList& args : cases) {
        const CliRun run = cli(args.isEmpty() ? args : inFolder(args));
        EXPECT_EQ(run.code, 2) << args.join(QLatin1Char(' ')).toStdString() << "\n" << run;
        EXPECT_FALSE(run.err.isEmpty()) << args.join(QLatin1Char(' ')).toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(folder.folder().databaseFile()));
}

TEST_F(Cli, HelpExplainsEveryCommandWithAnExample)
{
    const CliRun overview = cli({QStringLiteral("--help")});
    ASSERT_EQ(overview.code, 0) << overview;
    for (const QString& command :
         {QStringLiteral("import-archive"), QStringLiteral("import-workbook"),
          QStringLiteral("create-workbook"), QStringLiteral("export-workbook"), QStringLiteral("report"),
          QStringLiteral("report-all"), QStringLiteral("norms"), QStringLiteral("info")}) {
        EXPECT_TRUE(overview.out.contains(QStringLiteral("  ") + command + QLatin1Char(' ')))
            << command.toStdString();
        const CliRun help = cli({command, QStringLiteral("--help")});
        EXPECT_EQ(help.code, 0) << help;
        EXPECT_TRUE(help.out.contains(QStringLiteral("Primer: gibomer-cli ") + command)) << help;
    }
}

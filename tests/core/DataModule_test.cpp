// The data module: upgrade loop, script runner, identifiers and the
// database's text comparison.
#include "core/DataModule.h"
#include "core/Errors.h"
#include "core/Sql.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolder.h"

#include <QFile>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace gibomer;
using namespace gibomer::test;

namespace {

int verzija(TDM& dm)
{
    return scalar(dm.db(), QStringLiteral("SELECT VERZIJA FROM T_NASTAVITVE")).toInt();
}

// A script that records its own run in a table and sets VERZIJA to n.
QByteArray markerScript(int n)
{
    return QStringLiteral("CREATE TABLE IF NOT EXISTS RUNS (N INTEGER)\n/*\nINSERT INTO RUNS VALUES (%1)\n/*\n"
                          "UPDATE T_NASTAVITVE SET VERZIJA=%1\n/*\n")
        .arg(n)
        .toUtf8();
}

QList<int> runs(TDM& dm)
{
    QList<int> result;
    QSqlQuery q(dm.db());
    q.exec(QStringLiteral("SELECT N FROM RUNS ORDER BY rowid"));
    while (q.next())
        result << q.value(0).toInt();
    return result;
}

} // namespace

TEST(Upgrade, FreshDatabaseGetsEveryTableAndVersion)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    auto dm = folder.openDataModule(prompter);
    for (const char* table : {"T_UCENEC", "T_MERITEV", "T_VREDNOST", "T_NASTAVITVE", "T_VREDNOTENJE", "T_REFERENCNE"}) {
        EXPECT_TRUE(dm->db().tables().contains(QString::fromLatin1(table), Qt::CaseInsensitive)) << table;
    }
    EXPECT_GE(verzija(*dm), 2);
    EXPECT_EQ(scalar(dm->db(), QStringLiteral("SELECT COUNT(*) FROM T_NASTAVITVE")).toInt(), 1);
    for (const char* column : {"VERZIJA", "GESLo", "SOLA_SIFRA", "NAZIV", "NASLOV", "POSTA", "KRAJ",
                               "PRIKAZUJREFERENCNE", "PRILAGODIGRAF", "OPOMBE"}) {
        EXPECT_TRUE(dm->A_NASTAVITVE().hasField(QString::fromLatin1(column))) << column;
    }
}

TEST(Upgrade, SecondStartRunsNothingAndANewScriptRunsOnce)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    int shipped = 0;
    {
        auto dm = folder.openDataModule(prompter);
        shipped = verzija(*dm);
    }
    folder.writeFile(QStringLiteral("baza/") + TDM::scriptName(shipped + 1), markerScript(shipped + 1));
    {
        auto dm = folder.openDataModule(prompter);
        EXPECT_EQ(runs(*dm), QList<int>{shipped + 1});
        EXPECT_EQ(verzija(*dm), shipped + 1);
    }
    auto dm = folder.openDataModule(prompter);
    EXPECT_EQ(runs(*dm), QList<int>{shipped + 1});
}

TEST(Upgrade, StopsAtTheFirstMissingNumber)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    int shipped = 0;
    {
        auto dm = folder.openDataModule(prompter);
        shipped = verzija(*dm);
        execSql(dm->db(), QStringLiteral("UPDATE T_NASTAVITVE SET VERZIJA=:v"), {{":v", shipped + 2}});
    }
    // VERZIJA is shipped+2: the next two run, the one after the gap does not.
    for (int n : {shipped + 3, shipped + 4, shipped + 6})
        folder.writeFile(QStringLiteral("baza/") + TDM::scriptName(n), markerScript(n));
    auto dm = folder.openDataModule(prompter);
    EXPECT_EQ(runs(*dm), (QList<int>{shipped + 3, shipped + 4}));
}

TEST(Upgrade, NullVersionStartsWithTheFirstScript)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    {
        auto dm = folder.openDataModule(prompter);
        execSql(dm->db(), QStringLiteral("UPDATE T_NASTAVITVE SET VERZIJA=NULL"));
        execSql(dm->db(), QStringLiteral("DROP TABLE T_REFERENCNE"));
    }
    auto dm = folder.openDataModule(prompter);
    EXPECT_TRUE(dm->db().tables().contains(QStringLiteral("T_REFERENCNE")));
    EXPECT_GE(verzija(*dm), 2);
}

TEST(Upgrade, DatabaseWithoutVersionColumnRunsOnlyTheFirstScript)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        raw.setDatabaseName(folder.folder().databaseFile());
        ASSERT_TRUE(raw.open());
        QSqlQuery(raw).exec(QStringLiteral("CREATE TABLE T_NASTAVITVE (GESLo TEXT, NAZIV TEXT)"));
        QSqlQuery(raw).exec(QStringLiteral("INSERT INTO T_NASTAVITVE (NAZIV) VALUES ('OŠ Test')"));
        raw.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    {
        auto dm = folder.openDataModule(prompter);
        EXPECT_EQ(verzija(*dm), 1);
        EXPECT_EQ(dm->A_NASTAVITVE().field(QStringLiteral("NAZIV")).toString(), QStringLiteral("OŠ Test"));
        EXPECT_FALSE(dm->db().tables().contains(QStringLiteral("RUNS")));
    }
    auto dm = folder.openDataModule(prompter);
    EXPECT_GE(verzija(*dm), 2);
}

TEST(Upgrade, MissingFirstScriptOnUnversionedDatabaseIsAnError)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw2"));
        raw.setDatabaseName(folder.folder().databaseFile());
        ASSERT_TRUE(raw.open());
        QSqlQuery(raw).exec(QStringLiteral("CREATE TABLE T_NASTAVITVE (GESLo TEXT)"));
        raw.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw2"));
    folder.removeFile(QStringLiteral("baza/D0001.txt"));
    TDM dm(folder.folder(), prompter);
    EXPECT_THROW(dm.DataModuleCreate({}), IoError);
}

TEST(Database, NotAnSqliteFileIsRefusedAndLeftAlone)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    const QByteArray accessHeader("\x00\x01\x00\x00Standard Jet DB\x00", 20);
    folder.writeFile(QStringLiteral("baza/gmr.mdb"), accessHeader + QByteArray(2000, 'x'));
    TDM dm(folder.folder(), prompter);
    try {
        dm.DataModuleCreate({});
        FAIL() << "opened a file that is not SQLite";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("gmr.mdb"))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("ni podatkovna baza SQLite")));
    }
    QFile file(folder.folder().databaseFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(20), accessHeader);
}

TEST(Database, DamagedFileIsRefused)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    {
        auto dm = folder.openDataModule(prompter);
    }
    QFile file(folder.folder().databaseFile());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(1024);
    file.write(QByteArray(file.size() - 1024, '\xff'));
    file.close();
    TDM dm(folder.folder(), prompter);
    EXPECT_THROW(dm.DataModuleCreate({}), AppError);
}

TEST(Database, LockedFileIsRefused)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    auto first = folder.openDataModule(prompter);
    execSql(first->db(), QStringLiteral("BEGIN EXCLUSIVE"));
    TDM second(folder.folder(), prompter);
    try {
        second.DataModuleCreate({});
        FAIL() << "opened a locked database";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("zaklenjena"))) << e.message().toStdString();
    }
    execSql(first->db(), QStringLiteral("ROLLBACK"));
}

TEST(RunScript, SeparatorRules)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    auto dm = folder.openDataModule(prompter);
    execSql(dm->db(), QStringLiteral("CREATE TABLE S (V INTEGER)"));
    struct Case
    {
        const char* script;
        QList<int> expected;
    } cases[] = {
        {"INSERT INTO S VALUES (1)\r\n/*\r\nINSERT INTO S VALUES (2)\r\n/*", {1, 2}},
        {"INSERT INTO S VALUES (1)\r\n/*\r\nINSERT INTO S VALUES (2)\r\n", {1}},     // last statement lost
        {"INSERT INTO S VALUES (1)", {}},                                             // no separator: nothing
        {"INSERT INTO NOPE VALUES (1)/*INSERT INTO S VALUES (3)/*", {3}},             // an error does not stop
        {"/*INSERT INTO S VALUES (4)/*/*", {4}},                                      // empty statements are harmless
        {"INSERT INTO S VALUES (5)\r\n/*\r\nINSERT INTO S VALUES (6)/*trailing", {5, 6}},
    };
    for (const Case& c : cases) {
        execSql(dm->db(), QStringLiteral("DELETE FROM S"));
        dm->RunScript(QString::fromLatin1(c.script));
        QList<int> got;
        QSqlQuery q(dm->db());
        q.exec(QStringLiteral("SELECT V FROM S ORDER BY rowid"));
        while (q.next())
            got << q.value(0).toInt();
        EXPECT_EQ(got, c.expected) << c.script;
    }
}

TEST(NextId, LargestPlusOne)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    auto dm = folder.openDataModule(prompter);
    EXPECT_EQ(dm->NextId(QStringLiteral("ID_UCENEC"), QStringLiteral("T_UCENEC")), 1);
    for (int id : {1, 2, 7})
        execSql(dm->db(), QStringLiteral("INSERT INTO T_UCENEC (ID_UCENEC) VALUES (:id)"), {{":id", id}});
    EXPECT_EQ(dm->NextId(QStringLiteral("ID_UCENEC"), QStringLiteral("T_UCENEC")), 8);
    execSql(dm->db(), QStringLiteral("DELETE FROM T_UCENEC WHERE ID_UCENEC=7"));
    EXPECT_EQ(dm->NextId(QStringLiteral("ID_UCENEC"), QStringLiteral("T_UCENEC")), 3);
}

TEST(TextComparison, IgnoresCaseOfEveryLetter)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    auto dm = folder.openDataModule(prompter);
    execSql(dm->db(), QStringLiteral("INSERT INTO T_UCENEC (ID_UCENEC, PRIIMEK, IME) VALUES (1, 'Košir', 'Žiga')"));
    auto count = [&](const QString& surname, const QString& name) {
        return scalar(dm->db(), QStringLiteral("SELECT COUNT(*) FROM T_UCENEC WHERE (PRIIMEK=:p1)and(IME=:p2)"),
                      {{":p1", surname}, {":p2", name}})
            .toInt();
    };
    EXPECT_EQ(count(QStringLiteral("KOŠIR"), QStringLiteral("ŽIGA")), 1);
    EXPECT_EQ(count(QStringLiteral("košir"), QStringLiteral("žiga")), 1);
    EXPECT_EQ(count(QStringLiteral("KOSIR"), QStringLiteral("ZIGA")), 0);
    EXPECT_EQ(scalar(dm->db(), QStringLiteral("SELECT COUNT(*) FROM T_UCENEC WHERE PRIIMEK IN ('KOŠIR', 'X')")).toInt(),
              1);
}

TEST(Settings, EmptyPasswordNeverAsks)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    int asked = 0;
    {
        TDM dm(folder.folder(), prompter);
        EXPECT_TRUE(dm.DataModuleCreate([&] { return ++asked, true; }));
        EXPECT_EQ(asked, 0);
        execSql(dm.db(), QStringLiteral("UPDATE T_NASTAVITVE SET GESLo='x'"));
    }
    TDM dm(folder.folder(), prompter);
    EXPECT_FALSE(dm.DataModuleCreate([&] { return ++asked, false; }));
    EXPECT_EQ(asked, 1);
}

// The archive import with archives made by the real tools: traditional
// encryption by zip -P and AES by 7z, members under folders and "..", wrong
// passwords, files that are not archives, and the school data.
#include "ExchangeFixtures.h"
#include "core/Errors.h"
#include "exchange/ArchiveImport.h"
#include "exchange/Windows1250.h"
#include "support/ScriptedPrompter.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUuid>
#include <gtest/gtest.h>

using namespace gibomer;
using namespace gibomer::test;

namespace {

enum class Tool
{
    Zip,
    SevenZip
};

struct Entry
{
    QString storedName; // relative to the folder the tool runs in; may start with "../"
    QByteArray content;
};

QByteArray schoolFile(const QString& text)
{
    return toWindows1250(text);
}

const QString Password = QStringLiteral("Skrivnost7");

class ArchiveImport : public ::testing::TestWithParam<Tool>
{
protected:
    void SetUp() override
    {
        writeIdentityNorms(folder);
        dm = folder.openDataModule(prompter);
    }

    // Makes the archive with the real tool; skips the test when it is missing.
    QString makeArchive(const std::vector<Entry>& entries, const QString& password = Password)
    {
        const QString program = GetParam() == Tool::Zip ? QStringLiteral("zip") : QStringLiteral("7z");
        if (QStandardPaths::findExecutable(program).isEmpty())
            return {};
        const QString root = work.filePath(QUuid::createUuid().toString(QUuid::WithoutBraces));
        const QString inside = root + QStringLiteral("/in");
        QDir().mkpath(inside);
        QStringList names;
        for (const Entry& e : entries) {
            const QString path = QDir::cleanPath(inside + QLatin1Char('/') + e.storedName);
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile file(path);
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(e.content);
            names << e.storedName;
        }
        const QString archive = root + QStringLiteral("/archive.zip");
        QStringList args;
        if (GetParam() == Tool::Zip)
            args << QStringLiteral("-q") << QStringLiteral("-P") << password << archive << names;
        else
            args << QStringLiteral("a") << QStringLiteral("-tzip") << QStringLiteral("-mem=AES256")
                 << (QStringLiteral("-p") + password) << archive << names;
        QProcess process;
        process.setWorkingDirectory(inside);
        process.start(program, args);
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return archive;
    }

    std::vector<Entry> schoolArchive()
    {
        return {
            {QStringLiteral("sola.txt"),
             schoolFile(
                 QStringLiteral("1234\r\nOŠ Lipa pod Goro\r\nŠolska ulica 5\r\n1234\r\nLipa pod Goro\r\n"))},
            {QStringLiteral("S123405"), exchangeLine("NOVAK ANA", '5', 'A', "05") + "\r\n" +
                                            exchangeLine("KO{IR ^RT", '5', 'A', "05") + "\r\n"},
            {QStringLiteral("Readme.txt"), "S123499"},
            {QStringLiteral("s123407"), exchangeLine("MALA S", '5', 'A', "07") + "\r\n"},
            {QStringLiteral("S123406"), exchangeLine("NOVAK ANA", '6', 'A', "06") + "\r\n"},
        };
    }

    QString setting(const QString& column)
    {
        return scalar(dm->db(), QStringLiteral("SELECT %1 FROM T_NASTAVITVE").arg(column)).toString();
    }

    QTemporaryDir work;
    TestFolder folder;
    ScriptedPrompter prompter;
    std::unique_ptr<TDM> dm;
    RecordingProgress progress;
};

#define ARCHIVE_OR_SKIP(var, ...)                                                                            \
    const QString var = makeArchive(__VA_ARGS__);                                                            \
    if (var.isEmpty())                                                                                       \
    GTEST_SKIP() << "the archiving tool is not installed"

} // namespace

TEST_P(ArchiveImport, ImportsTheCapitalSMembersInArchiveOrder)
{
    ARCHIVE_OR_SKIP(archive, schoolArchive());
    const ArchiveImportSummary summary = ImportArchive(*dm, archive, Password, progress);

    EXPECT_EQ(summary.schoolName, QStringLiteral("OŠ Lipa pod Goro"));
    ASSERT_EQ(summary.imported.size(), 2);
    EXPECT_EQ(summary.imported[0].caption, QStringLiteral("Uvažam šolo OŠ Lipa pod Goro. Leto 05"));
    EXPECT_EQ(summary.imported[1].caption, QStringLiteral("Uvažam šolo OŠ Lipa pod Goro. Leto 06"));
    EXPECT_EQ(summary.imported[0].summary.resultsWritten, 2);
    // the pupil of 2005 is found again in 2006
    EXPECT_EQ(summary.imported[1].summary.pupilsReused, 1);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_UCENEC")), 2);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_UCENEC"), QStringLiteral("PRIIMEK='KOšIR' AND IME='ČRT'")), 1);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_MERITEV"), QStringLiteral("LETO_MERITVE=2007")), 0);

    for (const char* name : {"sola.txt", "S123405", "S123406", "Readme.txt", "s123407"})
        EXPECT_TRUE(QFileInfo::exists(folder.baza() + QLatin1Char('/') + QLatin1String(name))) << name;
    EXPECT_EQ(setting(QStringLiteral("SOLA_SIFRA")), QStringLiteral("1234"));
    EXPECT_EQ(setting(QStringLiteral("NAZIV")), QStringLiteral("OŠ Lipa pod Goro"));
    EXPECT_EQ(setting(QStringLiteral("NASLOV")), QStringLiteral("Šolska ulica 5"));
    EXPECT_EQ(setting(QStringLiteral("POSTA")), QStringLiteral("1234"));
    EXPECT_EQ(setting(QStringLiteral("KRAJ")), QStringLiteral("Lipa pod Goro"));
}

TEST_P(ArchiveImport, MembersLandFlatInBazaAndNowhereElse)
{
    const QString outside =
        QStringLiteral("zunaj-%1.txt").arg(QUuid::createUuid().toString(QUuid::WithoutBraces));
    auto entries = schoolArchive();
    entries.push_back({QStringLiteral("mapa/pod/S123408"), exchangeLine("GLOBOK A", '7', 'B', "08")});
    entries.push_back({QStringLiteral("../") + outside, "ven"});
    entries.push_back({QStringLiteral("gmr.mdb"), "not a database"});
    entries.push_back({QStringLiteral("D0009.txt"), "DELETE FROM T_UCENEC\n/*\n"});
    ARCHIVE_OR_SKIP(archive, entries);

    const ArchiveImportSummary summary = ImportArchive(*dm, archive, Password, progress);
    EXPECT_TRUE(QFileInfo::exists(folder.baza() + QStringLiteral("/S123408")));
    EXPECT_FALSE(QFileInfo::exists(folder.baza() + QStringLiteral("/mapa")));
    // 7z keeps no "..": it stores the base name, which lands in baza as well
    EXPECT_TRUE(QFileInfo::exists(folder.baza() + QLatin1Char('/') + outside));
    EXPECT_FALSE(QFileInfo::exists(folder.path() + QLatin1Char('/') + outside));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(folder.path()).absolutePath() + QLatin1Char('/') + outside));
    // the database itself is never replaced from an archive,
    EXPECT_TRUE(summary.notExtracted.contains(QStringLiteral("gmr.mdb")));
    // nor are the upgrade scripts, which the next start would run
    EXPECT_TRUE(summary.notExtracted.contains(QStringLiteral("D0009.txt")));
    EXPECT_FALSE(QFileInfo::exists(folder.baza() + QStringLiteral("/D0009.txt")));
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_VREDNOST")), 3);
    // a stored name under a folder does not begin with S, so it is not imported
    EXPECT_EQ(summary.imported.size(), 2);
}

TEST_P(ArchiveImport, WrongPasswordWritesNothing)
{
    ARCHIVE_OR_SKIP(archive, schoolArchive());
    ImportArchive(*dm, archive, Password, progress);
    const int results = countRows(*dm, QStringLiteral("T_VREDNOST"));
    folder.removeFile(QStringLiteral("baza/S123405"));

    for (const QString& wrong : {QStringLiteral("skrivnost7"), QString(), QStringLiteral("Skrivnost7 ")}) {
        prompter.expectMessage(QStringLiteral("Geslo je napačno! Poskusite ponolno!"));
        EXPECT_THROW(ImportArchive(*dm, archive, wrong, progress), SilentAbort) << wrong.toStdString();
        // the earlier import's sola.txt is gone, and nothing new was extracted
        EXPECT_FALSE(QFileInfo::exists(folder.baza() + QStringLiteral("/sola.txt")));
        EXPECT_FALSE(QFileInfo::exists(folder.baza() + QStringLiteral("/S123405")));
    }
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_VREDNOST")), results);
}

TEST_P(ArchiveImport, NoToReplacingEndsTheWholeArchive)
{
    ARCHIVE_OR_SKIP(archive, schoolArchive());
    ImportArchive(*dm, archive, Password, progress);
    execSql(dm->db(), QStringLiteral("UPDATE T_VREDNOST SET ATV=1"));
    prompter.expectConfirm({}, false);
    EXPECT_THROW(ImportArchive(*dm, archive, Password, progress), SilentAbort);
    // 2006 was not reached: nothing was replaced
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_VREDNOST"), QStringLiteral("ATV=1")), 3);
}

TEST_P(ArchiveImport, SchoolDataFillsOnlyEmptySettings)
{
    execSql(dm->db(), QStringLiteral("UPDATE T_NASTAVITVE SET NAZIV='Naša šola', KRAJ=''"));
    dm->A_NASTAVITVE().close();
    dm->A_NASTAVITVE().open();
    ARCHIVE_OR_SKIP(archive, {{QStringLiteral("sola.txt"), schoolFile(QStringLiteral("4321\nOŠ Iz Arhiva"))},
                              {QStringLiteral("S432105"), exchangeLine("NOVAK ANA", '5', 'A', "05")}});
    const ArchiveImportSummary summary = ImportArchive(*dm, archive, Password, progress);
    EXPECT_EQ(setting(QStringLiteral("NAZIV")), QStringLiteral("Naša šola"));
    EXPECT_EQ(setting(QStringLiteral("SOLA_SIFRA")), QStringLiteral("4321"));
    EXPECT_EQ(setting(QStringLiteral("NASLOV")), QString());
    EXPECT_EQ(setting(QStringLiteral("KRAJ")), QString());
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_NASTAVITVE")), 1);
    // the caption takes the name from sola.txt
    ASSERT_EQ(summary.imported.size(), 1);
    EXPECT_EQ(summary.imported[0].caption, QStringLiteral("Uvažam šolo OŠ Iz Arhiva. Leto 05"));
}

TEST_P(ArchiveImport, ArchiveWithoutSchoolFile)
{
    ARCHIVE_OR_SKIP(archive, {{QStringLiteral("S123405"), exchangeLine("NOVAK ANA", '5', 'A', "05")}});
    try {
        ImportArchive(*dm, archive, Password, progress);
        FAIL() << "imported an archive without sola.txt";
    } catch (const AppError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("sola.txt"))) << error.message().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(folder.baza() + QStringLiteral("/S123405")));
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_UCENEC")), 0);
}

INSTANTIATE_TEST_SUITE_P(Tools, ArchiveImport, ::testing::Values(Tool::Zip, Tool::SevenZip),
                         [](const auto& info) { return info.param == Tool::Zip ? "ZipCrypto" : "Aes"; });

TEST(ArchiveImportFiles, FilesThatAreNotUsableArchives)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    auto dm = folder.openDataModule(prompter);
    NoProgress progress;
    QTemporaryDir dir;
    auto write = [&](const QString& name, const QByteArray& content) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return dir.filePath(name);
    };
    // an empty ZIP is just its end-of-directory record
    const QByteArray emptyZip = QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0');
    QByteArray damaged = QByteArray("PK\x03\x04", 4) + QByteArray(40, 'x') + QByteArray("PK\x05\x06", 4) +
                         QByteArray::fromHex("0000000001000100500000000000000000");
    damaged.truncate(damaged.size() - 1);
    struct Case
    {
        QString path;
        const char* contains;
    } cases[] = {
        {write(QStringLiteral("besedilo.zip"), "to ni arhiv"), "ni arhiv ZIP"},
        {write(QStringLiteral("prazen.zip"), emptyZip), "prazen"},
        {write(QStringLiteral("poskodovan.zip"), damaged), ""},
        {dir.filePath(QStringLiteral("ga-ni.zip")), "ni mogoče odpreti"},
        {write(QStringLiteral("nic.zip"), QByteArray()), ""},
    };
    for (const Case& c : cases) {
        try {
            ImportArchive(*dm, c.path, Password, progress);
            ADD_FAILURE() << "accepted " << c.path.toStdString();
        } catch (const AppError& error) {
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(c.contains)))
                << error.message().toStdString();
        }
    }
    EXPECT_EQ(QDir(folder.baza()).entryList({QStringLiteral("S*")}, QDir::Files).size(), 0);
}

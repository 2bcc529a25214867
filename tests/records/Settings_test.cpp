// The settings window and the password-change dialog.
#include "EntryFixture.h"
#include "core/Database.h"
#include "core/Password.h"
#include "records/Settings.h"
#include "ui/records/UF_NASTAVITVE.h"
#include "ui/records/UF_PRVOGESLO.h"
#include "ui/widgets/DataEditors.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <gtest/gtest.h>

using namespace gibomer;
using namespace gibomer::test;

namespace {

QString storedPassword(const EntryFixture& f)
{
    return f.value(QStringLiteral("SELECT GESLo FROM T_NASTAVITVE")).toString();
}

void setStoredPassword(EntryFixture& f, const QVariant& value)
{
    f.exec(QStringLiteral("UPDATE T_NASTAVITVE SET GESLo=:p1"), {{QStringLiteral(":p1"), value}});
    f.dm->A_NASTAVITVE().close();
    f.dm->A_NASTAVITVE().open();
}

QStringList backups(const EntryFixture& f)
{
    return QDir(f.folder.baza()).entryList({QStringLiteral("gmr-kopija-*.mdb")}, QDir::Files);
}

} // namespace

TEST(Settings, TypedSchoolDataIsSavedOnClosingAndNothingElse)
{
    EntryFixture f;
    TF_NASTAVITVE window(*f.dm);
    window.show();
    window.sbZapri->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(f.value(QStringLiteral("SELECT NAZIV FROM T_NASTAVITVE")).isNull());

    window.show();
    typeText(window.DBEdit1, QStringLiteral("OŠ Šentvid"));
    typeText(window.DBEdit4, QStringLiteral("Ljubljana"));
    EXPECT_TRUE(f.dm->A_NASTAVITVE().isEditing());
    window.reject(); // the close box and Escape take this way too
    EXPECT_EQ(f.value(QStringLiteral("SELECT NAZIV || ', ' || KRAJ FROM T_NASTAVITVE")).toString(),
              QStringLiteral("OŠ Šentvid, Ljubljana"));
    EXPECT_FALSE(f.dm->A_NASTAVITVE().isEditing());
}

TEST(Settings, EmptyingTheDatabaseKeepsSettingsAndWritesABackupFirst)
{
    EntryFixture f;
    f.addGroup(1, 2002, 3, QStringLiteral("A"));
    f.addPupil(1, QStringLiteral("NOVAK"), QStringLiteral("JANEZ"));
    f.addResults(1, 1, 1);
    f.exec(QStringLiteral("UPDATE T_NASTAVITVE SET NAZIV='OŠ Test'"));
    setStoredPassword(f, hashPassword(QStringLiteral("tajno")));
    const int bands = f.count(QStringLiteral("T_VREDNOTENJE"));
    const int references = f.count(QStringLiteral("T_REFERENCNE"));
    TF_NASTAVITVE window(*f.dm);
    window.show();

    f.prompter.expectConfirm(SettingsTexts::EmptyQuestion, false);
    window.sbIzprazni->click();
    EXPECT_EQ(f.count(QStringLiteral("T_UCENEC")) + f.count(QStringLiteral("T_VREDNOST")) +
                  f.count(QStringLiteral("T_MERITEV")),
              3);
    EXPECT_TRUE(backups(f).isEmpty());

    f.prompter.expectConfirm(SettingsTexts::EmptyQuestion, true);
    window.sbIzprazni->click();
    for (const char* table : {"T_UCENEC", "T_VREDNOST", "T_MERITEV"})
        EXPECT_EQ(f.count(QString::fromLatin1(table)), 0) << table;
    EXPECT_EQ(f.value(QStringLiteral("SELECT NAZIV FROM T_NASTAVITVE")).toString(),
              QStringLiteral("OŠ Test"));
    EXPECT_TRUE(passwordMatches(storedPassword(f), QStringLiteral("TAJNO")));
    EXPECT_EQ(f.count(QStringLiteral("T_VREDNOTENJE")), bands);
    EXPECT_EQ(f.count(QStringLiteral("T_REFERENCNE")), references);
    EXPECT_EQ(f.dm->NextId(QStringLiteral("ID_UCENEC"), QStringLiteral("T_UCENEC")), 1);

    // The backup holds everything as it was before.
    const QStringList files = backups(f);
    ASSERT_EQ(files.size(), 1);
    {
        QSqlDatabase copy =
            openDatabase(f.folder.baza() + QLatin1Char('/') + files[0], QStringLiteral("backup"));
        EXPECT_EQ(scalar(copy, QStringLiteral("SELECT PRIIMEK FROM T_UCENEC")).toString(),
                  QStringLiteral("NOVAK"));
        EXPECT_EQ(scalar(copy, QStringLiteral("SELECT COUNT(*) FROM T_VREDNOST")).toInt(), 1);
        EXPECT_EQ(scalar(copy, QStringLiteral("SELECT COUNT(*) FROM T_MERITEV")).toInt(), 1);
    }
    closeDatabase(QStringLiteral("backup"));
}

TEST(Settings, BackupsOfTheSameSecondDoNotOverwriteEachOther)
{
    EntryFixture f;
    const QDateTime moment(QDate(2024, 3, 1), QTime(10, 0, 0));
    const QString first = backupDatabase(*f.dm, moment);
    const QString second = backupDatabase(*f.dm, moment);
    EXPECT_EQ(QFileInfo(first).fileName(), QStringLiteral("gmr-kopija-20240301-100000.mdb"));
    EXPECT_EQ(QFileInfo(second).fileName(), QStringLiteral("gmr-kopija-20240301-100000-2.mdb"));
    EXPECT_TRUE(QFileInfo(first).size() > 0 && QFileInfo(second).size() > 0);
}

TEST(Settings, EmptyingIsAllOrNothing)
{
    EntryFixture f;
    f.addGroup(1, 2002, 3, QStringLiteral("A"));
    f.addPupil(1, QStringLiteral("NOVAK"), QStringLiteral("JANEZ"));
    f.addResults(1, 1, 1);
    f.exec(QStringLiteral(
        "CREATE TRIGGER keep BEFORE DELETE ON T_MERITEV BEGIN SELECT RAISE(ABORT, 'no'); END"));
    f.prompter.expectConfirm(SettingsTexts::EmptyQuestion, true);
    EXPECT_THROW(emptyDatabase(*f.dm), DbError);
    EXPECT_EQ(f.count(QStringLiteral("T_UCENEC")), 1);
    EXPECT_EQ(f.count(QStringLiteral("T_VREDNOST")), 1);
}

namespace {

struct PasswordCase
{
    const char* name;
    QVariant stored; // what GESLo holds before
    QString oldPassword, newPassword, repeated;
    QString message;
    bool changed;
};

class PasswordChange : public ::testing::TestWithParam<PasswordCase>
{
};

// Stands for a hash of "Staro1", made when the case runs.
const QVariant Hashed = QStringLiteral("#hash");

} // namespace

TEST_P(PasswordChange, AcceptsOrRefusesAsTyped)
{
    const PasswordCase& c = GetParam();
    EntryFixture f;
    const QVariant before = c.stored == Hashed ? QVariant(hashPassword(QStringLiteral("Staro1"))) : c.stored;
    setStoredPassword(f, before);
    TF_PRVOGESLO dialog(*f.dm);
    dialog.show();
    EXPECT_EQ(dialog.eGeslo->isEnabled(), !before.toString().isEmpty());
    dialog.eGeslo->setText(c.oldPassword);
    dialog.eNovog->setText(c.newPassword);
    typeText(dialog.ePonovnoG, c.repeated);
    f.prompter.expectMessage(c.message);
    pressKey(dialog.ePonovnoG, Qt::Key_Return); // Enter in the last field confirms

    const QString stored = storedPassword(f);
    if (c.changed) {
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        if (c.newPassword.isEmpty()) {
            EXPECT_TRUE(stored.isEmpty());
        } else {
            EXPECT_TRUE(isPasswordHash(stored)) << stored.toStdString();
            EXPECT_TRUE(passwordMatches(stored, c.newPassword.toLower()));
            EXPECT_FALSE(passwordMatches(stored, c.oldPassword));
        }
    } else {
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(stored, before.toString());
        EXPECT_TRUE(dialog.ePonovnoG->text().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PasswordChange,
    ::testing::Values(
        PasswordCase{"FirstPassword", QVariant(), "", "Novo", "novo", SettingsTexts::PasswordChanged, true},
        PasswordCase{"OldTypedInOtherCase", Hashed, "STARO1", "Drugo", "Drugo",
                     SettingsTexts::PasswordChanged, true},
        PasswordCase{"PlainTextOfAnOlderDatabase", QStringLiteral("tajno"), "TaJnO", "Novo", "Novo",
                     SettingsTexts::PasswordChanged, true},
        PasswordCase{"EmptyNewRemovesIt", Hashed, "staro1", "", "", SettingsTexts::PasswordRemoved, true},
        PasswordCase{"WrongOld", Hashed, "staro2", "Novo", "Novo", SettingsTexts::WrongOldPassword, false},
        PasswordCase{"OldLeftEmpty", Hashed, "", "Novo", "Novo", SettingsTexts::WrongOldPassword, false},
        PasswordCase{"RepeatDiffers", Hashed, "Staro1", "Novo", "Nova", SettingsTexts::RepeatDiffers, false},
        PasswordCase{"SlovenianLettersKeepTheirCase", QVariant(), "", "šola", "ŠOLA",
                     SettingsTexts::RepeatDiffers, false}),
    [](const ::testing::TestParamInfo<PasswordCase>& info) { return std::string(info.param.name); });

TEST(Settings, TheNextStartAsksForTheNewPassword)
{
    ScriptedPrompter prompter;
    TestFolder folder;
    {
        auto dm = folder.openDataModule(prompter);
        TF_NASTAVITVE window(*dm);
        TF_PRVOGESLO& dialog = *window.F_PRVOGESLO;
        dialog.show();
        dialog.eNovog->setText(QStringLiteral("Gibanje"));
        dialog.ePonovnoG->setText(QStringLiteral("gibanje"));
        prompter.expectMessage(SettingsTexts::PasswordChanged);
        dialog.sbIzhod->click();
    }
    int asked = 0;
    TDM dm(folder.folder(), prompter);
    const bool mayRun = dm.DataModuleCreate([&] {
        ++asked;
        return passwordMatches(dm.A_NASTAVITVE().field(QStringLiteral("GESLo")).toString(),
                               QStringLiteral("GIBANJE"));
    });
    EXPECT_TRUE(mayRun);
    EXPECT_EQ(asked, 1);
}

// The pupil matching dialog and the archive import window, driven as a user
// would: the buttons, the close box, the password box, and the shipped demo
// archive imported through the window.
#include "ExchangeFixtures.h"
#include "core/Errors.h"
#include "exchange/ImportEngine.h"
#include "support/ScriptedPrompter.h"
#include "ui/Program.h"
#include "ui/core/ErrorDisplay.h"
#include "ui/core/UF_MAIN.h"
#include "ui/core/UF_MERILEC.h"
#include "ui/exchange/UF_NAJDIUCENCA.h"
#include "ui/exchange/UF_UVOZDISKETE.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace gibomer;
using namespace gibomer::test;

namespace {

QList<PupilCandidate> candidates()
{
    QList<PupilCandidate> list;
    const int ids[] = {7, 7, 9, 9};
    for (int i = 0; i < 4; ++i) {
        PupilCandidate c;
        c.id = ids[i];
        c.priimek = QStringLiteral("HORVAT");
        c.ime = QStringLiteral("MAJA");
        c.rojstvo = QStringLiteral("1995-03-05");
        c.spol = 1;
        c.letoMeritve = 2003 + i % 2;
        c.razred = 3 + i % 2;
        c.oddelek = QStringLiteral("B");
        c.atv = 1300 + 10 * i;
        list << c;
    }
    return list;
}

// Runs the action once the modal window is up.
void whenShown(QWidget& window, std::function<void()> action)
{
    QTimer::singleShot(0, &window, [&window, action] {
        EXPECT_TRUE(window.isVisible());
        action();
    });
}

} // namespace

TEST(PupilMatchingDialog, TextsAndColumns)
{
    TF_NAJDIUCENCA dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Iskanje pravega učenca"));
    EXPECT_EQ(dialog.lNaslov->text(),
              QStringLiteral("Program ni uspel avtomatično dobiti podatke, zato izberite pravega:"));
    EXPECT_EQ(dialog.fcNobeden->text(), QStringLiteral("Nobeden ne ustreza"));
    EXPECT_EQ(dialog.sbPotrdi->text(), QStringLiteral("Potrdi"));
    EXPECT_EQ(dialog.sbPomoc->text(), QStringLiteral("Pomoč"));

    PupilCandidateModel model;
    model.setCandidates(candidates());
    QStringList titles;
    for (int c = 0; c < model.columnCount(); ++c)
        titles << model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    EXPECT_EQ(titles, QStringList({"PRIIMEK", "IME", "ROJSTVO", "SPOL", "LETO\nMERITVE", "RAZRED\nR",
                                   "RAZRED\nOD.", "ATV"}));
    QStringList row;
    for (int c = 0; c < model.columnCount(); ++c)
        row << model.data(model.index(1, c), Qt::DisplayRole).toString();
    EXPECT_EQ(row, QStringList({"HORVAT", "MAJA", "05.03.1995", "1", "2004", "4", "B", "1310"}));
}

TEST(PupilMatchingDialog, Answers)
{
    TF_NAJDIUCENCA dialog;
    // "Potrdi" without touching the grid confirms the first row
    whenShown(dialog, [&] { dialog.sbPotrdi->click(); });
    EXPECT_EQ(dialog.choose(candidates()), 0);
    EXPECT_EQ(dialog.Tag, 1);

    whenShown(dialog, [&] {
        dialog.wwDBGrid1->selectRow(2);
        dialog.sbPotrdi->click();
    });
    EXPECT_EQ(dialog.choose(candidates()), 2);

    whenShown(dialog, [&] {
        dialog.wwDBGrid1->selectRow(3);
        dialog.fcNobeden->click();
    });
    EXPECT_EQ(dialog.choose(candidates()), std::nullopt);
    EXPECT_EQ(dialog.Tag, 0);

    // the close box
    whenShown(dialog, [&] { dialog.close(); });
    EXPECT_EQ(dialog.choose(candidates()), std::nullopt);
}

class ArchiveWindow : public ::testing::Test
{
protected:
    void SetUp() override { dm = folder.openDataModule(prompter); }

    TestFolder folder{TestFolder::Norms::Default};
    ScriptedPrompter prompter;
    std::unique_ptr<TDM> dm;
    TF_MERILEC merilec;
};

TEST_F(ArchiveWindow, TextsAndMaskedPassword)
{
    TF_UVOZDISKETE window(*dm, merilec);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Uvoz podatkov iz diskete"));
    EXPECT_EQ(
        window.lOpis->text(),
        QStringLiteral(" Za uvoz podatkov potrebujeto geslo.\n\n Pri prošnji za posredovanje podatkov ste "
                       "navedli geslo. V spodnje polje vpišite to gelso, ter pritisnite na gumb Uvoz "
                       "podatkov.\n\n Brez gesla podatkov ne bo moč uvoziti!"));
    EXPECT_EQ(window.eGeslo->echoMode(), QLineEdit::Password);
    EXPECT_EQ(window.sbUvozi->text(), QStringLiteral("Uvoz podatkov"));
    EXPECT_EQ(window.sbPomoc->text(), QStringLiteral("Pomoč"));
    EXPECT_EQ(window.sbZapri->text(), QStringLiteral("Zapri"));
}

TEST_F(ArchiveWindow, ImportsTheDemoArchiveAfterAWrongPassword)
{
    TF_UVOZDISKETE window(*dm, merilec);
    window.ArchivePath = sourcePath(QStringLiteral("demo/demo-sola.zip"));

    // a wrong password: the message, and the window stays open with the text as typed
    prompter.expectMessage(QStringLiteral("Geslo je napačno! Poskusite ponolno!"));
    prompter.allowMessages(QStringLiteral("Uvoz je končan."));
    bool stayedOpen = false;
    whenShown(window, [&] {
        window.eGeslo->setText(QStringLiteral("napacno"));
        window.sbUvozi->click();
        stayedOpen = window.isVisible();
        EXPECT_EQ(window.eGeslo->text(), QStringLiteral("napacno"));
        EXPECT_FALSE(QApplication::overrideCursor());
        window.eGeslo->setText(QStringLiteral("telovadba"));
        window.sbUvozi->click();
    });
    EXPECT_EQ(window.exec(), QDialog::Accepted);
    EXPECT_TRUE(stayedOpen);
    EXPECT_FALSE(QApplication::overrideCursor());
    EXPECT_FALSE(merilec.isVisible());

    ASSERT_TRUE(window.lastImport().has_value());
    const ArchiveImportSummary& summary = *window.lastImport();
    ASSERT_EQ(summary.imported.size(), 6);
    EXPECT_EQ(
        prompter.asked.last().section(QLatin1Char('\n'), 0, 1),
        QStringLiteral(
            "Uvoz je končan. Šola: OŠ Lipa pod Goro.\nUvoženih datotek: 6 (leta 19, 20, 21, 22, 23, 24)."));
    EXPECT_EQ(summary.imported.front().caption, QStringLiteral("Uvažam šolo OŠ Lipa pod Goro. Leto 19"));
    int records = 0;
    for (const ImportedMember& member : summary.imported) {
        records += member.summary.recordsRead;
        EXPECT_EQ(member.summary.recordsSkipped(), 0) << member.storedName.toStdString();
    }
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_VREDNOST")), records);
    // pupils come back year after year: far fewer pupils than yearly records
    EXPECT_LT(countRows(*dm, QStringLiteral("T_UCENEC")), records / 2);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_MERITEV"), QStringLiteral("ID_SOLA=4321")), 6 * 9 * 2);
    EXPECT_GT(
        countRows(*dm, QStringLiteral("T_UCENEC"), QStringLiteral("PRIIMEK LIKE '%č%' OR IME LIKE '%ž%'")),
        0);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_VREDNOST"), QStringLiteral("XT IS NOT NULL")),
              countRows(*dm, QStringLiteral("T_VREDNOST"),
                        QStringLiteral(
                            "DPR IS NOT NULL AND SDM IS NOT NULL AND PON IS NOT NULL AND DT IS NOT NULL "
                            "AND PRE IS NOT NULL AND VZG IS NOT NULL AND T60 IS NOT NULL AND T600 IS NOT "
                            "NULL")));
}

TEST_F(ArchiveWindow, AnErrorKeepsTheWindowOpen)
{
    QStringList shown;
    ErrorDisplay::setSink([&](const QString& message, const QString&) { shown << message; });
    folder.writeFile(QStringLiteral("x.zip"), "to ni arhiv");
    TF_UVOZDISKETE window(*dm, merilec);
    window.ArchivePath = folder.path() + QStringLiteral("/x.zip");
    bool stayedOpen = false;
    whenShown(window, [&] {
        window.eGeslo->setText(QStringLiteral("geslo"));
        window.sbUvozi->click();
        stayedOpen = window.isVisible();
        window.sbZapri->click();
    });
    EXPECT_EQ(window.exec(), QDialog::Rejected);
    ErrorDisplay::setSink([](const QString& message, const QString& details) {
        ADD_FAILURE() << "error display: " << message.toStdString() << " " << details.toStdString();
    });
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.front().contains(QStringLiteral("ni arhiv ZIP")));
    EXPECT_EQ(window.eGeslo->text(), QStringLiteral("geslo"));
}

TEST(ArchiveWindowFromTheMenu, UvozPodatkovOpensTheWindowWithTheChosenArchive)
{
    TestFolder folder{TestFolder::Norms::Default};
    ScriptedPrompter prompter;
    Program program(folder.folder(), prompter);
    ASSERT_NE(program.uvozDiskete(), nullptr);
    const QString demo = sourcePath(QStringLiteral("demo/demo-sola.zip"));
    prompter.expectOpenFiles({demo, QStringLiteral("/drugi.zip")});
    TF_UVOZDISKETE& window = *program.uvozDiskete();
    QString shownPath;
    whenShown(window, [&] {
        shownPath = window.ArchivePath;
        window.sbZapri->click();
    });
    program.main().Uvozpodatkov1Click();
    EXPECT_EQ(shownPath, demo);
}

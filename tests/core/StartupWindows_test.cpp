// The main window's menu, the archive file dialog, the password dialog and
// the help window.
#include "support/ScriptedPrompter.h"
#include "support/TestFolder.h"
#include "ui/core/Help.h"
#include "ui/core/UF_GESLO.h"
#include "ui/core/UF_MAIN.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

using namespace gibomer;
using namespace gibomer::test;

TEST(MainWindow, MenuCaptionsNamesAndHiddenItems)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    TF_MAIN window(folder.folder(), prompter);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Gibomer"));
    EXPECT_EQ(window.size(), QSize(809, 650));

    QStringList menus;
    for (QAction* action : window.menuBar()->actions())
        menus << action->text();
    EXPECT_EQ(menus, (QStringList{"Datoteka", "Pregledi", "Vnos", "Pomoč"}));
    EXPECT_EQ(window.menuItem("Pomo1")->menu(), nullptr);

    struct Item
    {
        const char* component;
        const char* caption;
        bool visible;
    } items[] = {
        {"Uvozpodatkov1", "Uvoz podatkov", true}, {"Izvozpodatkov1", "Izvoz podatkov", true},
        {"N3", "Nastavitve", true},               {"Izhod1", "Izhod", true},
        {"Analize1", "Analize", true},            {"Pregleduencev1", "Pregled učencev", true},
        {"N2", "", false},                        {"Primerjalneanalize1", "Primerjalne analize", false},
        {"Vnosuencev1", "Vnos učencev", true},
    };
    for (const Item& item : items) {
        QAction* action = window.menuItem(QString::fromLatin1(item.component));
        ASSERT_NE(action, nullptr) << item.component;
        EXPECT_EQ(action->text(), QString::fromUtf8(item.caption)) << item.component;
        EXPECT_EQ(action->isVisible(), item.visible) << item.component;
    }
    EXPECT_TRUE(window.menuItem("N2")->isSeparator());
}

TEST(MainWindow, ArchiveDialogHandsOnOnlyTheFirstFile)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    TF_MAIN window(folder.folder(), prompter);
    QStringList handed;
    window.setArchiveImportHandler([&](const QString& path) { handed << path; });

    prompter.expectOpenFiles({});
    window.Uvozpodatkov1Click();
    EXPECT_TRUE(handed.isEmpty());

    prompter.expectOpenFiles({"/tmp/a.zip", "/tmp/b.zip", "/tmp/c.zip"});
    window.menuItem("Uvozpodatkov1")->trigger();
    EXPECT_EQ(handed, QStringList{"/tmp/a.zip"});
}

TEST(MainWindow, IzhodClosesLikeTheCloseBox)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    TF_MAIN window(folder.folder(), prompter);
    window.show();
    ASSERT_TRUE(window.isVisible());
    window.menuItem("Izhod1")->trigger();
    EXPECT_FALSE(window.isVisible());
}

namespace {
// Types into the dialog once it runs, then presses Enter (or clicks a button).
void typeWhenShown(TF_GESLO& dialog, QStringList texts, bool cancelAtEnd = false)
{
    QTimer::singleShot(0, &dialog, [&dialog, texts, cancelAtEnd]() mutable {
        for (const QString& text : texts) {
            dialog.eGeslo->setText(text);
            QTest::keyClick(dialog.eGeslo, Qt::Key_Return);
            if (!dialog.isVisible())
                return;
        }
        if (cancelAtEnd)
            dialog.fcImageBtn2->click();
    });
}
} // namespace

TEST(PasswordDialog, ThreeWrongThenRightIsAccepted)
{
    ScriptedPrompter prompter;
    prompter.expectMessage("Napačno geslo!").expectMessage("Napačno geslo!").expectMessage("Napačno geslo!");
    TF_GESLO dialog(prompter, [] { return QStringLiteral("geslo"); });
    typeWhenShown(dialog, {"a", "b", "c", "GESLO"});
    EXPECT_TRUE(dialog.ask());
}

TEST(PasswordDialog, FourthWrongEndsTheProgram)
{
    ScriptedPrompter prompter;
    prompter.expectMessage("Napačno geslo!").expectMessage("Napačno geslo!").expectMessage("Napačno geslo!");
    TF_GESLO dialog(prompter, [] { return QStringLiteral("geslo"); });
    typeWhenShown(dialog, {"a", "b", "c", "d"});
    EXPECT_FALSE(dialog.ask());
}

TEST(PasswordDialog, CancelEndsTheProgram)
{
    ScriptedPrompter prompter;
    TF_GESLO dialog(prompter, [] { return QStringLiteral("geslo"); });
    typeWhenShown(dialog, {}, true);
    EXPECT_FALSE(dialog.ask());
}

TEST(Help, TopicsOpenTheirPagesInAnIndependentWindow)
{
    HelpFilePath = sourcePath(QStringLiteral("help/"));
    ShowHelpTopic(QStringLiteral("Uvod"));
    QTextBrowser* window = helpWindow();
    EXPECT_EQ(window->parentWidget(), nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->source().toLocalFile().endsWith(QStringLiteral("help/Uvod.htm")));
    EXPECT_TRUE(window->toPlainText().contains(QStringLiteral("T-vrednost")));

    window->clear();
    ShowHelpTopic(QString());
    EXPECT_TRUE(window->source().toLocalFile().endsWith(QStringLiteral("Uvod.htm")));
    window->close();
}

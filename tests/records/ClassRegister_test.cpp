// The class register window: adding, correcting and deleting class-year groups.
#include "EntryFixture.h"
#include "records/ClassRegister.h"
#include "ui/records/UF_ODDELKI.h"
#include "ui/widgets/DataEditors.h"

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

using namespace gibomer;
using namespace gibomer::test;

namespace {

struct RegisterWindow : EntryFixture
{
    std::unique_ptr<TF_ODDELKI> window;

    void open()
    {
        // The entry window opens the shared dataset before this one is shown.
        dm->A_VNOSO().open();
        window = std::make_unique<TF_ODDELKI>(*dm);
        window->show();
    }
    void click(NavAction action) const { window->wwDBNavigator1->button(action)->click(); }
};

} // namespace

TEST(ClassRegister, AddsGroupsWithTheSchoolYearLabel)
{
    RegisterWindow f;
    f.open();
    f.click(NavAction::Insert);
    Dataset& groups = f.dm->A_VNOSO();
    EXPECT_EQ(groups.field(QStringLiteral("ID_MERITEV")).toInt(), 1);
    for (const char* column : {"LETO_MERITVE", "RAZRED", "ODDELEK", "VRSTA"})
        EXPECT_TRUE(groups.field(QString::fromLatin1(column)).isNull()) << column;
    EXPECT_TRUE(f.window->Panel8->isEnabled());
    EXPECT_FALSE(f.window->wwDBGrid3->isEnabled());
    EXPECT_TRUE(f.window->lLeto->text().isEmpty());

    typeText(f.window->seLEto, QStringLiteral("2002"));
    EXPECT_EQ(f.window->lLeto->text(), QStringLiteral("2001/"));
    f.window->seLEto->stepBy(1);
    EXPECT_EQ(f.window->lLeto->text(), QStringLiteral("2002/"));
    typeText(f.window->wwDBSpinEdit2, QStringLiteral("3"));
    typeText(f.window->DBEdit3, QStringLiteral("č"));
    typeText(f.window->DBEdit4, QStringLiteral("9"));
    f.click(NavAction::Post);
    EXPECT_FALSE(f.window->Panel8->isEnabled());
    EXPECT_TRUE(f.window->wwDBGrid3->isEnabled());

    // A second, identical group is allowed: the register checks nothing.
    f.click(NavAction::Insert);
    EXPECT_EQ(groups.field(QStringLiteral("ID_MERITEV")).toInt(), 2);
    for (auto [edit, text] : {std::pair<QWidget*, const char*>{f.window->seLEto, "2003"},
                              {f.window->wwDBSpinEdit2, "3"},
                              {f.window->DBEdit3, "Č"},
                              {f.window->DBEdit4, "9"}})
        typeText(edit, QString::fromUtf8(text));
    f.click(NavAction::Post);
    EXPECT_EQ(
        f.value(QStringLiteral(
                    "SELECT group_concat(LETO_MERITVE || '/' || RAZRED || ODDELEK || '/' || VRSTA, ' ') "
                    "FROM (SELECT * FROM T_MERITEV ORDER BY ID_MERITEV)"))
            .toString(),
        QStringLiteral("2003/3Č/9 2003/3Č/9"));
    EXPECT_TRUE(f.value(QStringLiteral("SELECT ID_SOLA FROM T_MERITEV WHERE ID_MERITEV=1")).isNull());
}

TEST(ClassRegister, CorrectingAndCancelling)
{
    RegisterWindow f;
    f.open();
    f.prompter.expectMessage(ClassRegister::NoGroupText);
    f.click(NavAction::Edit);
    EXPECT_FALSE(f.dm->A_VNOSO().isEditing());
    EXPECT_FALSE(f.window->Panel8->isEnabled());

    f.addGroup(4, 2002, 3, QStringLiteral("A"));
    f.dm->A_VNOSO().close();
    f.dm->A_VNOSO().open();
    EXPECT_EQ(f.window->lLeto->text(), QStringLiteral("2001/")); // follows the row while browsing
    f.click(NavAction::Edit);
    EXPECT_TRUE(f.window->Panel8->isEnabled());
    f.window->DBEdit3->selectAll();
    typeText(f.window->DBEdit3, QStringLiteral("b"));
    f.click(NavAction::Cancel);
    EXPECT_EQ(f.window->DBEdit3->text(), QStringLiteral("A"));
    EXPECT_EQ(f.value(QStringLiteral("SELECT ODDELEK FROM T_MERITEV")).toString(), QStringLiteral("A"));
}

TEST(ClassRegister, DeletingAGroupWithResultsAsksAboutThem)
{
    RegisterWindow f;
    f.addGroup(1, 2002, 3, QStringLiteral("A"));
    f.addGroup(2, 2002, 3, QStringLiteral("B"));
    f.addPupil(1, QStringLiteral("NOVAK"), QStringLiteral("JANEZ"));
    f.addPupil(2, QStringLiteral("ZUPAN"), QStringLiteral("ANA"));
    f.addResults(1, 1, 1);
    f.addResults(2, 2, 1);
    f.addResults(3, 1, 2);
    f.open();
    ASSERT_EQ(f.dm->A_VNOSO().field(QStringLiteral("ID_MERITEV")).toInt(), 1);

    f.prompter.expectConfirm(ClassRegister::DeleteGroupQuestion, false);
    f.click(NavAction::Delete);
    f.prompter.expectConfirm(ClassRegister::DeleteGroupQuestion, true)
        .expectConfirm(ClassRegister::deleteResultsQuestion(2), false);
    f.click(NavAction::Delete);
    EXPECT_EQ(f.count(QStringLiteral("T_MERITEV")), 2);
    EXPECT_EQ(f.count(QStringLiteral("T_VREDNOST")), 3);

    f.prompter.expectConfirm(ClassRegister::DeleteGroupQuestion, true)
        .expectConfirm(ClassRegister::deleteResultsQuestion(2), true);
    f.click(NavAction::Delete);
    EXPECT_EQ(f.ids(QStringLiteral("SELECT ID_MERITEV FROM T_MERITEV")), QList<int>{2});
    EXPECT_EQ(f.ids(QStringLiteral("SELECT ID_VREDNOST FROM T_VREDNOST")), QList<int>{3});
    EXPECT_EQ(f.count(QStringLiteral("T_UCENEC")), 2);

    // A group without results goes after the one question.
    f.exec(QStringLiteral("DELETE FROM T_VREDNOST"));
    f.prompter.expectConfirm(ClassRegister::DeleteGroupQuestion, true);
    f.click(NavAction::Delete);
    EXPECT_EQ(f.count(QStringLiteral("T_MERITEV")), 0);
    EXPECT_FALSE(f.window->wwDBNavigator1->button(NavAction::Delete)->isEnabled());
}

TEST(ClassRegister, ClosingWhileAddingSavesTheGroup)
{
    RegisterWindow f;
    f.open();
    f.click(NavAction::Insert);
    typeText(f.window->seLEto, QStringLiteral("2005"));
    f.window->sbZapri->click();
    EXPECT_FALSE(f.window->isVisible());
    EXPECT_EQ(f.value(QStringLiteral("SELECT LETO_MERITVE FROM T_MERITEV WHERE ID_MERITEV=1")).toInt(), 2005);
    EXPECT_FALSE(f.dm->A_VNOSO().isEditing());
}

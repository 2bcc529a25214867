// The pupil and results entry window driven through its buttons and editors.
#include "EntryFixture.h"
#include "records/PupilEntry.h"
#include "scoring/NormModel.h"
#include "scoring/NormTable.h"
#include "ui/records/UF_ODDELKI.h"
#include "ui/records/UF_VNOSU.h"
#include "ui/widgets/DataEditors.h"
#include "ui/widgets/DatasetTableModel.h"
#include "ui/widgets/DbLookupCombo.h"
#include "ui/widgets/EditableGrid.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <gtest/gtest.h>

using namespace gibomer;
using namespace gibomer::test;

namespace {

struct EntryWindow : EntryFixture
{
    std::unique_ptr<TF_VNOSU> window;

    void open()
    {
        window = std::make_unique<TF_VNOSU>(*dm);
        window->show();
    }
    QPushButton* pupilButton(NavAction action) const { return window->wdbNav->button(action); }
    QPushButton* resultsButton(NavAction action) const { return window->wwDBNavigator2->button(action); }
    void typeInto(QWidget* edit, const QString& text) const { typeText(edit, text); }
    void setResult(int column, const QString& text) const
    {
        DatasetTableModel* model = window->resultsModel;
        ASSERT_TRUE(model->setData(model->index(dm->A_VNOSV().currentRow(), column), text, Qt::EditRole));
    }
};

} // namespace

TEST(PupilEntry, AddsAndCorrectsAPupilEnteredByHand)
{
    EntryWindow f;
    f.addPupil(7, QStringLiteral("UVOŽEN"), QStringLiteral("UČENEC"), QVariant()); // imported: not listed
    f.open();
    EXPECT_EQ(f.dm->A_VNOSU().rowCount(), 0);
    EXPECT_FALSE(f.window->Panel6->isEnabled());

    f.pupilButton(NavAction::Insert)->click();
    Dataset& pupils = f.dm->A_VNOSU();
    EXPECT_EQ(pupils.state(), Dataset::State::Insert);
    EXPECT_TRUE(f.window->Panel6->isEnabled());
    EXPECT_FALSE(f.window->wwDBGrid1->isEnabled());
    EXPECT_EQ(pupils.field(QStringLiteral("ID_UCENEC")).toInt(), 8); // after the imported pupil's 7
    EXPECT_EQ(f.window->DBRadioGroup1->checkedIndex(), 0);           // "Moški"
    EXPECT_TRUE(f.window->wwDBDateTimePicker1->lineEdit()->text().isEmpty());

    f.typeInto(f.window->DBEdit1, QStringLiteral("košir"));
    f.typeInto(f.window->DBEdit2, QStringLiteral("špela"));
    EXPECT_EQ(f.window->DBEdit1->text(), QStringLiteral("KOŠIR"));
    f.typeInto(f.window->wwDBDateTimePicker1->lineEdit(), QStringLiteral("4.5.96"));
    f.window->DBRadioGroup1->findChildren<QRadioButton*>().at(1)->click();
    f.pupilButton(NavAction::Post)->click();

    EXPECT_EQ(pupils.state(), Dataset::State::Browse);
    EXPECT_FALSE(f.window->Panel6->isEnabled());
    EXPECT_TRUE(f.window->wwDBGrid1->isEnabled());
    QSqlQuery row =
        execSql(f.dm->db(), QStringLiteral("SELECT PRIIMEK, IME, ROJSTVO, SPOL, VNOS FROM T_UCENEC "
                                           "WHERE ID_UCENEC=8"));
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toString(), QStringLiteral("KOŠIR"));
    EXPECT_EQ(row.value(1).toString(), QStringLiteral("ŠPELA"));
    EXPECT_EQ(row.value(2).toString(), QStringLiteral("1996-05-04"));
    EXPECT_EQ(row.value(3).toInt(), 1);
    EXPECT_EQ(row.value(4).toInt(), 1);

    f.pupilButton(NavAction::Edit)->click();
    EXPECT_EQ(pupils.state(), Dataset::State::Edit);
    f.window->DBEdit2->selectAll();
    f.typeInto(f.window->DBEdit2, QStringLiteral("ana"));
    f.pupilButton(NavAction::Post)->click();
    EXPECT_EQ(f.value(QStringLiteral("SELECT IME FROM T_UCENEC WHERE ID_UCENEC=8")).toString(),
              QStringLiteral("ANA"));

    // Cancelling a correction puts the saved values back.
    f.pupilButton(NavAction::Edit)->click();
    f.typeInto(f.window->DBEdit1, QStringLiteral("X"));
    f.pupilButton(NavAction::Cancel)->click();
    EXPECT_EQ(f.window->DBEdit1->text(), QStringLiteral("KOŠIR"));
    EXPECT_EQ(f.value(QStringLiteral("SELECT PRIIMEK FROM T_UCENEC WHERE ID_UCENEC=8")).toString(),
              QStringLiteral("KOŠIR"));
}

TEST(PupilEntry, BirthDateReadsTwoDigitYearsFrom1950)
{
    struct Case
    {
        const char* typed;
        QVariant stored;
    };
    const Case cases[] = {
        {"1.2.95", QStringLiteral("1995-02-01")},     {"1.2.05", QStringLiteral("2005-02-01")},
        {"31.12.49", QStringLiteral("2049-12-31")},   {"1.1.50", QStringLiteral("1950-01-01")},
        {"07.09.2001", QStringLiteral("2001-09-07")}, {"", QVariant()},
    };
    EntryWindow f;
    f.open();
    f.pupilButton(NavAction::Insert)->click();
    DbDateEdit* date = f.window->wwDBDateTimePicker1;
    for (const Case& c : cases) {
        date->lineEdit()->setText(QStringLiteral("1.1.1990"));
        ASSERT_TRUE(date->commit());
        date->lineEdit()->setText(QString::fromLatin1(c.typed));
        EXPECT_TRUE(date->commit()) << c.typed;
        EXPECT_EQ(f.dm->A_VNOSU().field(QStringLiteral("ROJSTVO")), c.stored) << c.typed;
    }
    // Not a date: the field keeps its value and the edit shows it again.
    date->lineEdit()->setText(QStringLiteral("3.3.1999"));
    date->commit();
    date->lineEdit()->setText(QStringLiteral("31.2.2001"));
    EXPECT_FALSE(date->commit());
    EXPECT_EQ(f.dm->A_VNOSU().field(QStringLiteral("ROJSTVO")).toString(), QStringLiteral("1999-03-03"));
    EXPECT_EQ(date->lineEdit()->text(), QStringLiteral("03.03.1999"));
}

TEST(PupilEntry, RefusalsLeaveTheDataAndTheStateAlone)
{
    EntryWindow f;
    f.addGroup(1, 2002, 3, QStringLiteral("A"));
    f.open();
    f.prompter.expectMessage(PupilEntry::NoPupilText);
    f.pupilButton(NavAction::Edit)->click();
    EXPECT_EQ(f.dm->A_VNOSU().state(), Dataset::State::Browse);
    EXPECT_FALSE(f.window->Panel6->isEnabled());

    f.addPupil(1, QStringLiteral("NOVAK"), QStringLiteral("JANEZ"));
    f.window->hide();
    f.window->show(); // the lists are read again on every showing
    ASSERT_EQ(f.dm->A_VNOSU().rowCount(), 1);
    ASSERT_TRUE(f.dm->A_VNOSV().isOpen());
    f.prompter.expectMessage(PupilEntry::NoResultsText);
    f.resultsButton(NavAction::Edit)->click();
    EXPECT_EQ(f.dm->A_VNOSV().state(), Dataset::State::Browse);
    EXPECT_FALSE(f.window->wwDBGrid2->isEnabled());

    f.addResults(5, 1, 1);
    f.window->hide();
    f.window->show();
    ASSERT_EQ(f.dm->A_VNOSV().rowCount(), 1);
    f.prompter.expectMessage(PupilEntry::HasResultsText);
    f.resultsButton(NavAction::Insert)->click();
    EXPECT_EQ(f.dm->A_VNOSV().state(), Dataset::State::Browse);
    EXPECT_EQ(f.count(QStringLiteral("T_VREDNOST")), 1);
    EXPECT_TRUE(f.prompter.done());
}

TEST(PupilEntry, ResultButtonsNeedAClassYearGroup)
{
    EntryWindow f;
    f.addPupil(1, QStringLiteral("NOVAK"), QStringLiteral("JANEZ"));
    f.open();
    EXPECT_FALSE(f.dm->A_VNOSV().isOpen());
    for (NavAction action : {NavAction::Insert, NavAction::Delete, NavAction::Post, NavAction::Edit})
        EXPECT_FALSE(f.resultsButton(action)->isEnabled());
}

TEST(PupilEntry, DeletingAPupilDeletesAllItsResultsInOneStep)
{
    EntryWindow f;
    f.addGroup(1, 2002, 3, QStringLiteral("A"));
    f.addGroup(2, 2003, 4, QStringLiteral("A"));
    f.addPupil(1, QStringLiteral("AVSEC"), QStringLiteral("ANA"));
    f.addPupil(2, QStringLiteral("BERGANT"), QStringLiteral("BOR"));
    f.addResults(1, 1, 1);
    f.addResults(2, 1, 2);
    f.addResults(3, 2, 1);
    f.open();
    ASSERT_EQ(f.dm->A_VNOSU().field(QStringLiteral("ID_UCENEC")).toInt(), 1);

    f.prompter.expectConfirm(PupilEntry::DeletePupilQuestion, false);
    f.pupilButton(NavAction::Delete)->click();
    EXPECT_EQ(f.count(QStringLiteral("T_UCENEC")), 2);
    EXPECT_EQ(f.count(QStringLiteral("T_VREDNOST")), 3);

    f.prompter.expectConfirm(PupilEntry::DeletePupilQuestion, true);
    f.pupilButton(NavAction::Delete)->click();
    EXPECT_EQ(f.ids(QStringLiteral("SELECT ID_UCENEC FROM T_UCENEC")), QList<int>{2});
    EXPECT_EQ(f.ids(QStringLiteral("SELECT ID_VREDNOST FROM T_VREDNOST")), QList<int>{3});
    // The next pupil is current and its results row is shown.
    EXPECT_EQ(f.dm->A_VNOSU().field(QStringLiteral("ID_UCENEC")).toInt(), 2);
    ASSERT_EQ(f.dm->A_VNOSV().rowCount(), 1);
    EXPECT_EQ(f.dm->A_VNOSV().field(QStringLiteral("ID_VREDNOST")).toInt(), 3);

    // A refused statement leaves both tables as they were.
    f.exec(
        QStringLiteral("CREATE TRIGGER keep BEFORE DELETE ON T_UCENEC BEGIN SELECT RAISE(ABORT, 'no'); END"));
    f.prompter.expectConfirm(PupilEntry::DeletePupilQuestion, true);
    EXPECT_THROW(f.window->wdbNav->click(NavAction::Delete), DbError);
    EXPECT_EQ(f.count(QStringLiteral("T_UCENEC")), 1);
    EXPECT_EQ(f.count(QStringLiteral("T_VREDNOST")), 1);
}

TEST(PupilEntry, ChoosingTheGroupFollowsTheResultsRow)
{
    EntryWindow f;
    f.addGroup(1, 2002, 3, QStringLiteral("A"));
    f.addGroup(2, 2003, 4, QStringLiteral("B"));
    f.addPupil(1, QStringLiteral("NOVAK"), QStringLiteral("JANEZ"));
    f.addResults(9, 1, 2, 161);
    f.open();
    DbLookupCombo* chooser = f.window->wwDBLookupCombo1;
    EXPECT_EQ(chooser->currentText(), QStringLiteral("2002"));
    EXPECT_EQ(f.dm->A_VNOSV().rowCount(), 0);

    chooser->pick(1);
    EXPECT_EQ(chooser->currentText(), QStringLiteral("2003"));
    EXPECT_EQ(f.window->DBText1->text(), QStringLiteral("4"));
    EXPECT_EQ(f.window->DBText2->text(), QStringLiteral("B"));
    ASSERT_EQ(f.dm->A_VNOSV().rowCount(), 1);
    EXPECT_EQ(f.dm->A_VNOSV().field(QStringLiteral("ATV")).toDouble(), 161.0);
}

TEST(PupilEntry, ResultsRowForANewPupilSavesThePupilFirst)
{
    EntryWindow f;
    f.addGroup(1, 2002, 3, QStringLiteral("A"));
    f.open();
    f.pupilButton(NavAction::Insert)->click();
    f.typeInto(f.window->DBEdit1, QStringLiteral("ZUPAN"));
    f.resultsButton(NavAction::Insert)->click();

    EXPECT_EQ(f.dm->A_VNOSU().state(), Dataset::State::Browse);
    EXPECT_EQ(f.value(QStringLiteral("SELECT PRIIMEK FROM T_UCENEC WHERE ID_UCENEC=1")).toString(),
              QStringLiteral("ZUPAN"));
    Dataset& results = f.dm->A_VNOSV();
    EXPECT_EQ(results.state(), Dataset::State::Insert);
    EXPECT_EQ(results.field(QStringLiteral("ID_VREDNOST")).toInt(), 1);
    EXPECT_EQ(results.field(QStringLiteral("ID_UCENEC")).toInt(), 1);
    EXPECT_EQ(results.field(QStringLiteral("ID_MERITEV")).toInt(), 1);
    EXPECT_TRUE(f.window->wwDBGrid2->isEnabled());
    // Nothing may move away from the row being entered.
    EXPECT_FALSE(f.window->wwDBGrid1->isEnabled());
    EXPECT_FALSE(f.window->wwDBLookupCombo1->isEnabled());
    EXPECT_FALSE(f.pupilButton(NavAction::Insert)->isEnabled());

    // "Izbriši" drops the row without a question.
    f.resultsButton(NavAction::Delete)->click();
    EXPECT_FALSE(results.isEditing());
    EXPECT_FALSE(f.window->wwDBGrid2->isEnabled());
    EXPECT_EQ(f.count(QStringLiteral("T_VREDNOST")), 0);
}

TEST(PupilEntry, ClosingInTheMiddleOfAddingAPupilSavesIt)
{
    EntryWindow f;
    f.open();
    f.pupilButton(NavAction::Insert)->click();
    f.typeInto(f.window->DBEdit1, QStringLiteral("ZUPAN"));
    f.typeInto(f.window->wwDBDateTimePicker1->lineEdit(), QStringLiteral("2.3.05")); // typed, not yet left
    f.window->sbZapri->click();
    EXPECT_FALSE(f.window->isVisible());
    EXPECT_EQ(f.value(QStringLiteral("SELECT PRIIMEK || ' ' || ROJSTVO FROM T_UCENEC")).toString(),
              QStringLiteral("ZUPAN 2005-03-02"));
}

TEST(PupilEntry, DodajOddelkeShowsTheRegisterAndFollowsItsCurrentGroup)
{
    EntryWindow f;
    f.addGroup(1, 2002, 3, QStringLiteral("A"));
    f.addPupil(1, QStringLiteral("NOVAK"), QStringLiteral("JANEZ"));
    f.open();
    TF_ODDELKI oddelki(*f.dm);
    f.window->setClassRegister(&oddelki);
    QTimer::singleShot(0, &oddelki, [&] {
        oddelki.wwDBNavigator1->click(NavAction::Insert);
        typeText(oddelki.seLEto, QStringLiteral("2004"));
        typeText(oddelki.DBEdit3, QStringLiteral("c"));
        oddelki.reject(); // closing saves the new group
    });
    f.window->sbDodajOddelke->click();
    EXPECT_EQ(f.value(QStringLiteral("SELECT LETO_MERITVE || ODDELEK FROM T_MERITEV WHERE ID_MERITEV=2"))
                  .toString(),
              QStringLiteral("2004C"));
    EXPECT_EQ(f.window->wwDBLookupCombo1->currentText(), QStringLiteral("2004"));
    EXPECT_EQ(f.window->DBText2->text(), QStringLiteral("C"));
    ASSERT_TRUE(f.dm->A_VNOSV().isOpen());
    f.resultsButton(NavAction::Insert)->click();
    EXPECT_EQ(f.dm->A_VNOSV().field(QStringLiteral("ID_MERITEV")).toInt(), 2);
}

namespace {

// Every norm row reads N(i) = 100 + i: a raw 160 scores 60 on a rising test
// and 40 on a falling one.
void writeLinearNorms(const TestFolder& folder)
{
    NormTableData table;
    std::array<double, NormRowLength> row;
    for (int i = 0; i < NormRowLength; ++i)
        row[i] = 100 + FirstTIndex + i;
    for (int sex = 1; sex <= NormSexes; ++sex)
        for (int age = 1; age <= NormAgeGroups; ++age)
            for (int test = 1; test <= NormTests; ++test)
                table.setRow(sex, age, test, row);
    writeNormFile(table, folder.baza() + QStringLiteral("/Tnorme.dat"));
}

struct ScoredWindow : EntryWindow
{
    ScoredWindow(bool norms)
    {
        if (norms)
            writeLinearNorms(folder);
        addGroup(1, 2002, 3, QStringLiteral("A"));
        addPupil(1, QStringLiteral("NOVAK"), QStringLiteral("JANEZ"));
        open();
    }
    void enterAll(const QString& text)
    {
        for (int column = 0; column < 11; ++column)
            setResult(column, text);
    }
    QVariant saved(const char* column) const
    {
        return value(QStringLiteral("SELECT %1 FROM T_VREDNOST").arg(QString::fromLatin1(column)));
    }
};

} // namespace

TEST(PupilEntry, SavingAResultsRowScoresIt)
{
    ScoredWindow f(true);
    f.resultsButton(NavAction::Insert)->click();
    f.enterAll(QStringLiteral("160"));
    f.setResult(0, QStringLiteral("150,5"));
    f.resultsButton(NavAction::Post)->click();

    EXPECT_FALSE(f.dm->A_VNOSV().isEditing());
    EXPECT_FALSE(f.window->wwDBGrid2->isEnabled());
    EXPECT_EQ(f.count(QStringLiteral("T_VREDNOST")), 1);
    EXPECT_EQ(f.saved("ATV").toDouble(), 150.5);
    EXPECT_EQ(f.saved("ATVT").toDouble(), 51.0);
    EXPECT_EQ(f.saved("AKGT").toDouble(), 40.0);
    EXPECT_EQ(f.saved("DPRT").toDouble(), 60.0);
    EXPECT_EQ(f.saved("T600T").toDouble(), 40.0);
    EXPECT_DOUBLE_EQ(f.saved("XT").toDouble(), 52.5); // (5 * 60 + 3 * 40) / 8

    // Correcting rescored the row: an emptied motor result leaves XT empty.
    f.resultsButton(NavAction::Edit)->click();
    EXPECT_TRUE(f.window->wwDBGrid2->isEnabled());
    f.setResult(8, QString()); // VZG
    f.resultsButton(NavAction::Post)->click();
    EXPECT_TRUE(f.saved("VZG").isNull());
    EXPECT_TRUE(f.saved("VZGT").isNull());
    EXPECT_TRUE(f.saved("XT").isNull());
    EXPECT_EQ(f.saved("DPRT").toDouble(), 60.0);

    f.resultsButton(NavAction::Delete)->click();
    EXPECT_EQ(f.count(QStringLiteral("T_VREDNOST")), 0);
}

TEST(PupilEntry, ClosingInTheMiddleOfAResultsRowSavesAndScoresIt)
{
    ScoredWindow f(true);
    f.resultsButton(NavAction::Insert)->click();
    f.enterAll(QStringLiteral("160"));
    f.window->reject();
    EXPECT_FALSE(f.window->isVisible());
    EXPECT_DOUBLE_EQ(f.saved("XT").toDouble(), 52.5);
}

TEST(PupilEntry, WithoutANormFileTheRowStaysInEditingAndNothingIsWritten)
{
    ScoredWindow f(false);
    f.resultsButton(NavAction::Insert)->click();
    f.enterAll(QStringLiteral("160"));
    f.prompter.expectMessage(QStringLiteral("Datoteka z t-normami ne obstaja!"));
    f.resultsButton(NavAction::Post)->click();
    EXPECT_EQ(f.dm->A_VNOSV().state(), Dataset::State::Insert);
    EXPECT_TRUE(f.window->wwDBGrid2->isEnabled());
    EXPECT_EQ(f.count(QStringLiteral("T_VREDNOST")), 0);

    // Closing cannot save the row either: the window stays open with it rather
    // than dropping what was typed.
    f.prompter.expectMessage(QStringLiteral("Datoteka z t-normami ne obstaja!"));
    f.window->reject();
    EXPECT_TRUE(f.window->isVisible());
    EXPECT_EQ(f.dm->A_VNOSV().field(QStringLiteral("DPR")).toDouble(), 160.0);

    // "Izbriši" drops it, and the window closes.
    f.resultsButton(NavAction::Delete)->click();
    f.window->reject();
    EXPECT_FALSE(f.window->isVisible());
    EXPECT_EQ(f.count(QStringLiteral("T_VREDNOST")), 0);
}

TEST(PupilEntry, EnterMovesOnThroughTheNameAndDateFields)
{
    EntryWindow f;
    f.open();
    f.pupilButton(NavAction::Insert)->click();
    f.window->activateWindow();
    QApplication::setActiveWindow(f.window.get());
    f.window->DBEdit1->setFocus();
    if (QApplication::focusWidget() != f.window->DBEdit1)
        GTEST_SKIP() << "no keyboard focus on this platform";
    pressKey(f.window->DBEdit1, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), f.window->DBEdit2);
    pressKey(f.window->DBEdit2, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), f.window->wwDBDateTimePicker1->lineEdit());
    typeText(f.window->wwDBDateTimePicker1->lineEdit(), QStringLiteral("1.2.95"));
    pressKey(f.window->wwDBDateTimePicker1->lineEdit(), Qt::Key_Return);
    EXPECT_NE(QApplication::focusWidget(), f.window->wwDBDateTimePicker1->lineEdit());
    EXPECT_EQ(f.dm->A_VNOSU().field(QStringLiteral("ROJSTVO")).toString(), QStringLiteral("1995-02-01"));
}

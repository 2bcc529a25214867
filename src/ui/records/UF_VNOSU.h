// "Vnos učencev": hand entry of pupils and of their yearly raw results in a
// chosen class-year group.
#pragma once

#include "records/PupilEntry.h"
#include "ui/widgets/DbNavigator.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableView;
class QVBoxLayout;
class QWidget;

namespace gibomer {

class DatasetTableModel;
class DbDateEdit;
class DbLabel;
class DbLineEdit;
class DbLookupCombo;
class DbRadioGroup;
class EditableGrid;
class TDM;
class TF_ODDELKI;

class TF_VNOSU : public QDialog
{
    Q_OBJECT
public:
    explicit TF_VNOSU(TDM& dm, QWidget* parent = nullptr);

    // The class register that "Dodaj oddelke" shows; it is created after this window.
    void setClassRegister(TF_ODDELKI* classRegister) { m_classRegister = classRegister; }
    // The workbook buttons go below "Dodaj oddelke", in the order added.
    void addWorkbookButton(QPushButton* button);

    void FormShow();
    // Saves what is being edited; false keeps the window open (a results
    // row that could not be scored stays in editing).
    bool FormCloseQuery();
    void reject() override;

    void sbDodajOddelkeClick();

    // The pupil navigator's handlers.
    Then wdbNavInsertClick();
    Then wdbNavDeleteClick();
    Then wdbNavButton1Click();
    Then wdbNavPostClick();
    Then wdbNavButtonClick();
    // The results navigator's handlers.
    Then wwNavButton6Click();
    Then wwNavButton7Click();
    Then wwDBNavigator2ButtonClick();
    Then wwDBNavigator2Button1Click();

    DbNavigator* wdbNav = nullptr;
    QWidget* Panel6 = nullptr;
    DbLineEdit* DBEdit1 = nullptr;
    DbLineEdit* DBEdit2 = nullptr;
    DbDateEdit* wwDBDateTimePicker1 = nullptr;
    DbRadioGroup* DBRadioGroup1 = nullptr;
    QTableView* wwDBGrid1 = nullptr;
    QLabel* Label8 = nullptr;
    DbLookupCombo* wwDBLookupCombo1 = nullptr;
    DbLabel* DBText1 = nullptr;
    DbLabel* DBText2 = nullptr;
    DbNavigator* wwDBNavigator2 = nullptr;
    EditableGrid* wwDBGrid2 = nullptr;
    DatasetTableModel* resultsModel = nullptr;
    QPushButton* sbDodajOddelke = nullptr;
    QPushButton* sbZapri = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildPupilPart(QVBoxLayout* layout);
    void buildResultsPart(QVBoxLayout* layout);
    // Follows the datasets' states: an edited pupil opens the edit panel and
    // closes the list; an edited results row opens its grid and closes
    // everything that would move away from it.
    void syncState();
    void commitTyping();

    TDM& m_dm;
    PupilEntry m_entry;
    TF_ODDELKI* m_classRegister = nullptr;
    QVBoxLayout* m_buttonColumn = nullptr;
    int m_workbookButtons = 0;
};

} // namespace gibomer

// "Vnos oddelkov": the register of class-year groups, on the data module's
// A_VNOSO that the pupil entry window's chooser shares.
#pragma once

#include "records/ClassRegister.h"
#include "ui/widgets/DbNavigator.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableView;

namespace gibomer {

class DbLineEdit;
class DbSpinEdit;
class TDM;

class TF_ODDELKI : public QDialog
{
    Q_OBJECT
public:
    explicit TF_ODDELKI(TDM& dm, QWidget* parent = nullptr);

    bool FormCloseQuery();
    void reject() override;

    Then wwNavButton1Click();
    Then wwNavButton2Click();
    Then wwNavButton3Click();
    Then wwNavButton4Click();
    Then wwNavButton5Click();

    DbNavigator* wwDBNavigator1 = nullptr;
    QWidget* Panel8 = nullptr;
    QLabel* lLeto = nullptr;
    DbSpinEdit* seLEto = nullptr;
    DbSpinEdit* wwDBSpinEdit2 = nullptr;
    DbLineEdit* DBEdit3 = nullptr;
    DbSpinEdit* DBEdit4 = nullptr;
    QTableView* wwDBGrid3 = nullptr;
    QPushButton* sbZapri = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Browsing: the grid is open and the edit panel closed; editing: the reverse.
    void syncState();
    void commitTyping();

    TDM& m_dm;
    ClassRegister m_register;
};

} // namespace gibomer

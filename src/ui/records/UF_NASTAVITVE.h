// "Nastavitve": the school's name and address, the password change and the
// emptying of the whole database.
#pragma once

#include <QDialog>

class QPushButton;

namespace gibomer {

class DbLineEdit;
class TDM;
class TF_PRVOGESLO;

class TF_NASTAVITVE : public QDialog
{
    Q_OBJECT
public:
    explicit TF_NASTAVITVE(TDM& dm, QWidget* parent = nullptr);

    bool FormCloseQuery();
    void reject() override;

    void sbSpremembaGeslaClick();
    void sbIzprazniClick();
    void sbPomocClick();

    DbLineEdit* DBEdit1 = nullptr;
    DbLineEdit* DBEdit2 = nullptr;
    DbLineEdit* DBEdit3 = nullptr;
    DbLineEdit* DBEdit4 = nullptr;
    QPushButton* sbSpremembaGesla = nullptr;
    QPushButton* sbIzprazni = nullptr;
    QPushButton* sbPomoc = nullptr;
    QPushButton* sbZapri = nullptr;
    TF_PRVOGESLO* F_PRVOGESLO = nullptr;

private:
    TDM& m_dm;
};

} // namespace gibomer

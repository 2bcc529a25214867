// "Vnos novega gesla": the password-change dialog of the settings window.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace gibomer {

class TDM;

class TF_PRVOGESLO : public QDialog
{
    Q_OBJECT
public:
    explicit TF_PRVOGESLO(TDM& dm, QWidget* parent = nullptr);

    // Checks the three fields and stores the new password; the dialog closes
    // only when the change was made.
    void sbIzhodClick();

    QLineEdit* eGeslo = nullptr;
    QLineEdit* eNovog = nullptr;
    QLineEdit* ePonovnoG = nullptr;
    QPushButton* sbIzhod = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool hasPassword() const;

    TDM& m_dm;
};

} // namespace gibomer

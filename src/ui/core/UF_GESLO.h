// "Vnos gesla": the start-up password dialog with its four attempts.
#pragma once

#include "core/Password.h"

#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;

namespace gibomer {

class Prompter;

class TF_GESLO : public QDialog
{
    Q_OBJECT
public:
    // storedPassword is read again at each check.
    TF_GESLO(Prompter& prompter, std::function<QString()> storedPassword, QWidget* parent = nullptr);

    // Shows the dialog modally; true when the right password was typed.
    // The fourth wrong password, "Prekliči" and the close box give false:
    // start-up must then end the program.
    bool ask();

    void sbPotrdiClick();

    QLineEdit* eGeslo = nullptr;
    QPushButton* sbPotrdi = nullptr;
    QPushButton* fcImageBtn2 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    Prompter& m_prompter;
    std::function<QString()> m_storedPassword;
    PasswordAttempts m_attempts;
    bool m_accepted = false;
};

} // namespace gibomer

#include "ui/core/UF_GESLO.h"

#include "core/Prompter.h"
#include "ui/widgets/Panels.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace gibomer {

TF_GESLO::TF_GESLO(Prompter& prompter, std::function<QString()> storedPassword, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_storedPassword(std::move(storedPassword))
{
    setObjectName(QStringLiteral("F_GESLO"));
    setWindowTitle(QStringLiteral("Vnos gesla"));
    setFixedSize(207, 135);

    QWidget* upper = colouredPanel(Qt::blue);
    auto* label = new QLabel(QStringLiteral("Geslo"));
    label->setStyleSheet(QStringLiteral("color: white; font-weight: bold;"));
    eGeslo = new QLineEdit;
    eGeslo->setObjectName(QStringLiteral("eGeslo"));
    eGeslo->setEchoMode(QLineEdit::Password);
    QFont bold = eGeslo->font();
    bold.setBold(true);
    eGeslo->setFont(bold);
    auto* upperLayout = new QVBoxLayout(upper);
    upperLayout->addWidget(label);
    upperLayout->addWidget(eGeslo);

    QWidget* lower = colouredPanel(QColor(0, 0, 200));
    sbPotrdi = yellowButton(QStringLiteral("Potrdi"));
    sbPotrdi->setObjectName(QStringLiteral("sbPotrdi"));
    fcImageBtn2 = yellowButton(QStringLiteral("Prekliči"));
    fcImageBtn2->setObjectName(QStringLiteral("fcImageBtn2"));
    auto* lowerLayout = new QHBoxLayout(lower);
    lowerLayout->addWidget(sbPotrdi);
    lowerLayout->addWidget(fcImageBtn2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(upper, 1);
    layout->addWidget(lower);

    // Enter is handled by the edit box alone (the yellow buttons are never
    // default buttons), so one press is one attempt.
    connect(sbPotrdi, &QPushButton::clicked, this, &TF_GESLO::sbPotrdiClick);
    connect(eGeslo, &QLineEdit::returnPressed, this, &TF_GESLO::sbPotrdiClick);
    connect(fcImageBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TF_GESLO::showEvent(QShowEvent* event)
{
    m_attempts.reset();
    eGeslo->clear();
    eGeslo->setFocus();
    QDialog::showEvent(event);
}

bool TF_GESLO::ask()
{
    m_accepted = false;
    exec();
    return m_accepted;
}

void TF_GESLO::sbPotrdiClick()
{
    switch (m_attempts.submit(m_storedPassword(), eGeslo->text())) {
    case PasswordAttempts::Result::Accepted:
        m_accepted = true;
        accept();
        return;
    case PasswordAttempts::Result::Terminate:
        reject();
        return;
    case PasswordAttempts::Result::TryAgain:
        m_prompter.message(QStringLiteral("Napačno geslo!"));
        eGeslo->setFocus();
        eGeslo->selectAll();
        return;
    }
}

} // namespace gibomer

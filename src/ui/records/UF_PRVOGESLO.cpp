#include "ui/records/UF_PRVOGESLO.h"

#include "core/DataModule.h"
#include "core/Errors.h"
#include "records/Settings.h"
#include "ui/widgets/Panels.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace gibomer {

TF_PRVOGESLO::TF_PRVOGESLO(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("F_PRVOGESLO"));
    setWindowTitle(QStringLiteral("Vnos novega gesla"));
    setModal(true);

    QWidget* upper = colouredPanel(Qt::blue);
    auto* grid = new QGridLayout(upper);
    const QStringList captions{QStringLiteral("Staro geslo"), QStringLiteral("Novo geslo"),
                               QStringLiteral("Ponovite geslo")};
    const QStringList names{QStringLiteral("eGeslo"), QStringLiteral("eNovog"), QStringLiteral("ePonovnoG")};
    QLineEdit* edits[3];
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(captions[i], upper);
        label->setStyleSheet(QStringLiteral("color: white; font-weight: bold;"));
        edits[i] = new QLineEdit(upper);
        edits[i]->setObjectName(names[i]);
        edits[i]->setEchoMode(QLineEdit::Password);
        edits[i]->setMinimumWidth(160);
        grid->addWidget(label, i, 0);
        grid->addWidget(edits[i], i, 1);
    }
    eGeslo = edits[0];
    eNovog = edits[1];
    ePonovnoG = edits[2];

    QWidget* lower = colouredPanel(QColor(0, 0, 140));
    sbIzhod = yellowButton(QStringLiteral("Potrdi"), lower);
    sbIzhod->setObjectName(QStringLiteral("sbIzhod"));
    auto* lowerLayout = new QHBoxLayout(lower);
    lowerLayout->addStretch(1);
    lowerLayout->addWidget(sbIzhod);
    lowerLayout->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(upper, 1);
    layout->addWidget(lower);

    // Enter moves on through the first two fields and confirms in the third.
    connect(eGeslo, &QLineEdit::returnPressed, eNovog, [this] { eNovog->setFocus(); });
    connect(eNovog, &QLineEdit::returnPressed, ePonovnoG, [this] { ePonovnoG->setFocus(); });
    connect(ePonovnoG, &QLineEdit::returnPressed, this, &TF_PRVOGESLO::sbIzhodClick);
    connect(sbIzhod, &QPushButton::clicked, this, &TF_PRVOGESLO::sbIzhodClick);
}

bool TF_PRVOGESLO::hasPassword() const
{
    Dataset& settings = m_dm.A_NASTAVITVE();
    return settings.isOpen() && !settings.field(QStringLiteral("GESLo")).toString().isEmpty();
}

void TF_PRVOGESLO::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    for (QLineEdit* edit : {eGeslo, eNovog, ePonovnoG})
        edit->clear();
    // Without a password there is no old one to type.
    eGeslo->setEnabled(hasPassword());
    (eGeslo->isEnabled() ? eGeslo : eNovog)->setFocus();
}

void TF_PRVOGESLO::sbIzhodClick()
{
    try {
        changePassword(m_dm, eGeslo->text(), eNovog->text(), ePonovnoG->text());
    } catch (const SilentAbort&) {
        // Refused: the user has seen why; type the passwords again.
        for (QLineEdit* edit : {eGeslo, eNovog, ePonovnoG})
            edit->clear();
        (eGeslo->isEnabled() ? eGeslo : eNovog)->setFocus();
        return;
    }
    accept();
}

} // namespace gibomer

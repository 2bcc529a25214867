#include "ui/records/UF_NASTAVITVE.h"

#include "core/DataModule.h"
#include "records/Settings.h"
#include "ui/core/Help.h"
#include "ui/records/UF_PRVOGESLO.h"
#include "ui/widgets/DataEditors.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace gibomer {

TF_NASTAVITVE::TF_NASTAVITVE(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("F_NASTAVITVE"));
    setWindowTitle(QStringLiteral("Nastavitve"));
    setModal(true);
    Dataset& settings = m_dm.A_NASTAVITVE();

    auto* school = new QGroupBox(QStringLiteral("Šola"), this);
    auto* grid = new QGridLayout(school);
    DBEdit1 = new DbLineEdit(settings, QStringLiteral("NAZIV"), school);
    DBEdit2 = new DbLineEdit(settings, QStringLiteral("NASLOV"), school);
    DBEdit3 = new DbLineEdit(settings, QStringLiteral("POSTA"), school);
    DBEdit4 = new DbLineEdit(settings, QStringLiteral("KRAJ"), school);
    const QStringList names{QStringLiteral("DBEdit1"), QStringLiteral("DBEdit2"), QStringLiteral("DBEdit3"),
                            QStringLiteral("DBEdit4")};
    const QStringList captions{QStringLiteral("Naziv šole"), QStringLiteral("Naslov"),
                               QStringLiteral("Pošta"), QStringLiteral("Kraj")};
    const QList<DbLineEdit*> edits{DBEdit1, DBEdit2, DBEdit3, DBEdit4};
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (int i = 0; i < edits.size(); ++i) {
        edits[i]->setObjectName(names[i]);
        grid->addWidget(new QLabel(captions[i], school), i, 0);
    }
    DBEdit1->setMinimumWidth(44 * charWidth);
    DBEdit2->setMinimumWidth(44 * charWidth);
    DBEdit3->setFixedWidth(10 * charWidth);
    DBEdit4->setMinimumWidth(26 * charWidth);
    grid->addWidget(DBEdit1, 0, 1, 1, 2);
    grid->addWidget(DBEdit2, 1, 1, 1, 2);
    grid->addWidget(DBEdit3, 2, 1, Qt::AlignLeft);
    grid->addWidget(DBEdit4, 3, 1, 1, 2, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(4, 1);

    sbSpremembaGesla = new QPushButton(QStringLiteral("Spremenba gesla"), this);
    sbIzprazni = new QPushButton(QStringLiteral("Izprazni celotno bazo"), this);
    sbPomoc = new QPushButton(QStringLiteral("Pomoč"), this);
    sbZapri = new QPushButton(QStringLiteral("Zapri"), this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {sbSpremembaGesla, sbIzprazni, sbPomoc}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    sbZapri->setAutoDefault(false);
    for (QPushButton* button : {sbSpremembaGesla, sbIzprazni, sbPomoc, sbZapri})
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(sbIzprazni->text()) + 32);
    buttons->addStretch(1);
    buttons->addWidget(sbZapri);
    sbSpremembaGesla->setObjectName(QStringLiteral("sbSpremembaGesla"));
    sbIzprazni->setObjectName(QStringLiteral("sbIzprazni"));
    sbPomoc->setObjectName(QStringLiteral("sbPomoc"));
    sbZapri->setObjectName(QStringLiteral("sbZapri"));
    connect(sbSpremembaGesla, &QPushButton::clicked, this, &TF_NASTAVITVE::sbSpremembaGeslaClick);
    connect(sbIzprazni, &QPushButton::clicked, this, &TF_NASTAVITVE::sbIzprazniClick);
    connect(sbPomoc, &QPushButton::clicked, this, &TF_NASTAVITVE::sbPomocClick);
    connect(sbZapri, &QPushButton::clicked, this, &TF_NASTAVITVE::reject);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(school, 1);
    layout->addLayout(buttons);

    F_PRVOGESLO = new TF_PRVOGESLO(m_dm, this);
    resize(680, 240);
}

bool TF_NASTAVITVE::FormCloseQuery()
{
    TDM::PostIfEditing(m_dm.A_NASTAVITVE());
    return true;
}

void TF_NASTAVITVE::reject()
{
    if (FormCloseQuery())
        QDialog::reject();
}

void TF_NASTAVITVE::sbSpremembaGeslaClick()
{
    F_PRVOGESLO->exec();
}

void TF_NASTAVITVE::sbIzprazniClick()
{
    emptyDatabase(m_dm);
}

void TF_NASTAVITVE::sbPomocClick()
{
    ShowHelpTopic(QStringLiteral("Nastavitve"));
}

} // namespace gibomer

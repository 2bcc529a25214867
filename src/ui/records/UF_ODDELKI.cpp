#include "ui/records/UF_ODDELKI.h"

#include "core/DataModule.h"
#include "core/Errors.h"
#include "ui/widgets/DataEditors.h"
#include "ui/widgets/DatasetTableModel.h"

#include <QDate>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace gibomer {

TF_ODDELKI::TF_ODDELKI(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm), m_register(dm)
{
    setObjectName(QStringLiteral("F_ODDELKI"));
    setWindowTitle(QStringLiteral("Vnos oddelkov"));
    setModal(true);
    Dataset& groups = m_dm.A_VNOSO();

    wwDBNavigator1 = new DbNavigator(groups, this);
    wwDBNavigator1->setObjectName(QStringLiteral("wwDBNavigator1"));
    wwDBNavigator1->addButton(NavAction::Insert, QStringLiteral("Dodaj"), QStringLiteral("wwNavButton1"),
                              [this] { return wwNavButton1Click(); });
    wwDBNavigator1->addButton(NavAction::Delete, QStringLiteral("Izbriši"), QStringLiteral("wwNavButton2"),
                              [this] { return wwNavButton2Click(); });
    wwDBNavigator1->addButton(NavAction::Edit, QStringLiteral("Popravi"), QStringLiteral("wwNavButton3"),
                              [this] { return wwNavButton3Click(); });
    wwDBNavigator1->addButton(NavAction::Post, QStringLiteral("Shrani"), QStringLiteral("wwNavButton4"),
                              [this] { return wwNavButton4Click(); });
    wwDBNavigator1->addButton(NavAction::Cancel, QStringLiteral("Prekliči"), QStringLiteral("wwNavButton5"),
                              [this] { return wwNavButton5Click(); });

    Panel8 = new QFrame(this);
    Panel8->setObjectName(QStringLiteral("Panel8"));
    static_cast<QFrame*>(Panel8)->setFrameShape(QFrame::StyledPanel);
    auto* panel = new QGridLayout(Panel8);
    lLeto = new QLabel(Panel8);
    lLeto->setObjectName(QStringLiteral("lLeto"));
    lLeto->setMinimumWidth(lLeto->fontMetrics().horizontalAdvance(QStringLiteral("00000/")));
    lLeto->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    seLEto = new DbSpinEdit(groups, QStringLiteral("LETO_MERITVE"), Panel8);
    seLEto->setObjectName(QStringLiteral("seLEto"));
    seLEto->setRange(1900, 2999);
    const QDate today = QDate::currentDate();
    // An empty year steps to the school year now running.
    seLEto->setEmptyStart(today.month() >= 9 ? today.year() + 1 : today.year());
    wwDBSpinEdit2 = new DbSpinEdit(groups, QStringLiteral("RAZRED"), Panel8);
    wwDBSpinEdit2->setObjectName(QStringLiteral("wwDBSpinEdit2"));
    wwDBSpinEdit2->setRange(0, 99);
    wwDBSpinEdit2->setEmptyStart(1);
    DBEdit3 = new DbLineEdit(groups, QStringLiteral("ODDELEK"), Panel8);
    DBEdit3->setObjectName(QStringLiteral("DBEdit3"));
    DBEdit3->setUpperCase(true);
    // The school type is a number; the edit takes digits only.
    DBEdit4 = new DbSpinEdit(groups, QStringLiteral("VRSTA"), Panel8);
    DBEdit4->setObjectName(QStringLiteral("DBEdit4"));
    DBEdit4->setRange(0, 99);
    DBEdit4->setButtonSymbols(QAbstractSpinBox::NoButtons);
    const int editWidth = fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 40;
    for (QWidget* edit : {static_cast<QWidget*>(seLEto), static_cast<QWidget*>(wwDBSpinEdit2),
                          static_cast<QWidget*>(DBEdit3), static_cast<QWidget*>(DBEdit4)})
        edit->setFixedWidth(editWidth);
    connect(seLEto, &DbSpinEdit::textChanged, this,
            [this](const QString& text) { lLeto->setText(ClassRegister::schoolYearLabel(text)); });

    panel->addWidget(new QLabel(QStringLiteral("Leto"), Panel8), 0, 0);
    panel->addWidget(lLeto, 0, 1);
    panel->addWidget(seLEto, 0, 2);
    panel->addWidget(new QLabel(QStringLiteral("Razred"), Panel8), 1, 0);
    panel->addWidget(wwDBSpinEdit2, 1, 2);
    panel->addWidget(new QLabel(QStringLiteral("Oddelek"), Panel8), 2, 0);
    panel->addWidget(DBEdit3, 2, 2);
    panel->addWidget(new QLabel(QStringLiteral("Vrsta šole"), Panel8), 3, 0);
    panel->addWidget(DBEdit4, 3, 2);
    panel->setColumnStretch(3, 1);

    wwDBGrid3 = new QTableView(this);
    wwDBGrid3->setObjectName(QStringLiteral("wwDBGrid3"));
    wwDBGrid3->setSelectionBehavior(QAbstractItemView::SelectRows);
    wwDBGrid3->setSelectionMode(QAbstractItemView::SingleSelection);
    wwDBGrid3->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* model = new DatasetTableModel(groups,
                                        {{QStringLiteral("LETO_MERITVE"), QStringLiteral("LETO\nMERITVE"), 8},
                                         {QStringLiteral("RAZRED"), QStringLiteral("RAZRED"), 7},
                                         {QStringLiteral("ODDELEK"), QStringLiteral("ODDELEK"), 8},
                                         {QStringLiteral("VRSTA"), QStringLiteral("VRSTA"), 5}},
                                        this);
    model->attachTo(wwDBGrid3);
    wwDBGrid3->horizontalHeader()->setStretchLastSection(true);

    sbZapri = new QPushButton(QStringLiteral("Zapri"), this);
    sbZapri->setObjectName(QStringLiteral("sbZapri"));
    sbZapri->setAutoDefault(false);
    sbZapri->setMinimumWidth(100);
    connect(sbZapri, &QPushButton::clicked, this, &TF_ODDELKI::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(wwDBNavigator1);
    left->addWidget(Panel8);
    left->addWidget(wwDBGrid3, 1);
    auto* right = new QVBoxLayout;
    right->addStretch(1);
    right->addWidget(sbZapri);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);

    connect(&groups, &Dataset::stateChanged, this, &TF_ODDELKI::syncState);
    syncState();
    resize(560, 520);
}

void TF_ODDELKI::syncState()
{
    const bool editing = m_dm.A_VNOSO().isEditing();
    Panel8->setEnabled(editing);
    wwDBGrid3->setEnabled(!editing);
}

void TF_ODDELKI::commitTyping()
{
    for (DbSpinEdit* edit : {seLEto, wwDBSpinEdit2, DBEdit4})
        edit->commit();
}

void TF_ODDELKI::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    syncState();
    lLeto->setText(ClassRegister::schoolYearLabel(seLEto->text()));
    wwDBGrid3->setFocus();
}

bool TF_ODDELKI::FormCloseQuery()
{
    commitTyping();
    TDM::PostIfEditing(m_dm.A_VNOSO());
    return true;
}

void TF_ODDELKI::reject()
{
    if (FormCloseQuery())
        QDialog::reject();
}

Then TF_ODDELKI::wwNavButton1Click()
{
    m_register.addGroup();
    seLEto->setFocus();
    return Then::Skip;
}

Then TF_ODDELKI::wwNavButton2Click()
{
    m_register.deleteGroup();
    return Then::Skip;
}

Then TF_ODDELKI::wwNavButton3Click()
{
    m_register.checkGroupEditable();
    seLEto->setFocus();
    return Then::Act;
}

Then TF_ODDELKI::wwNavButton4Click()
{
    commitTyping();
    return Then::Act;
}

Then TF_ODDELKI::wwNavButton5Click()
{
    return Then::Act;
}

} // namespace gibomer

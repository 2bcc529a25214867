#include "ui/records/UF_VNOSU.h"

#include "core/DataModule.h"
#include "core/Errors.h"
#include "core/TestTables.h"
#include "ui/records/UF_ODDELKI.h"
#include "ui/widgets/DataEditors.h"
#include "ui/widgets/DatasetTableModel.h"
#include "ui/widgets/DbLookupCombo.h"
#include "ui/widgets/EditableGrid.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace gibomer {

TF_VNOSU::TF_VNOSU(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm), m_entry(dm)
{
    setObjectName(QStringLiteral("F_VNOSU"));
    setWindowTitle(QStringLiteral("Vnos učencev"));
    setModal(true);
    m_entry.attach();

    auto* main = new QVBoxLayout;
    buildPupilPart(main);
    buildResultsPart(main);

    m_buttonColumn = new QVBoxLayout;
    sbDodajOddelke = new QPushButton(QStringLiteral("Dodaj oddelke"), this);
    sbDodajOddelke->setObjectName(QStringLiteral("sbDodajOddelke"));
    sbZapri = new QPushButton(QStringLiteral("Zapri"), this);
    sbZapri->setObjectName(QStringLiteral("sbZapri"));
    for (QPushButton* button : {sbDodajOddelke, sbZapri}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(130);
    }
    m_buttonColumn->addWidget(sbDodajOddelke);
    m_buttonColumn->addStretch(1);
    m_buttonColumn->addWidget(sbZapri);
    connect(sbDodajOddelke, &QPushButton::clicked, this, &TF_VNOSU::sbDodajOddelkeClick);
    connect(sbZapri, &QPushButton::clicked, this, &TF_VNOSU::reject);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(main, 1);
    layout->addLayout(m_buttonColumn);

    for (Dataset* dataset : {&m_dm.A_VNOSU(), &m_dm.A_VNOSO(), &m_dm.A_VNOSV()})
        connect(dataset, &Dataset::stateChanged, this, &TF_VNOSU::syncState);
    syncState();
    resize(980, 700);
}

void TF_VNOSU::buildPupilPart(QVBoxLayout* layout)
{
    Dataset& pupils = m_dm.A_VNOSU();
    wdbNav = new DbNavigator(pupils, this);
    wdbNav->setObjectName(QStringLiteral("wdbNav"));
    wdbNav->addButton(NavAction::Insert, QStringLiteral("Dodaj"), QStringLiteral("wdbNavInsert"),
                      [this] { return wdbNavInsertClick(); });
    wdbNav->addButton(NavAction::Delete, QStringLiteral("Izbriši"), QStringLiteral("wdbNavDelete"),
                      [this] { return wdbNavDeleteClick(); });
    wdbNav->addButton(NavAction::Edit, QStringLiteral("Popravi"), QStringLiteral("wdbNavButton1"),
                      [this] { return wdbNavButton1Click(); });
    wdbNav->addButton(NavAction::Post, QStringLiteral("Shrani"), QStringLiteral("wdbNavPost"),
                      [this] { return wdbNavPostClick(); });
    wdbNav->addButton(NavAction::Cancel, QStringLiteral("Prekliči"), QStringLiteral("wdbNavButton"),
                      [this] { return wdbNavButtonClick(); });
    // A results row being edited is finished first.
    wdbNav->setAllowed([this](NavAction) { return !m_dm.A_VNOSV().isEditing(); });
    layout->addWidget(wdbNav);

    Panel6 = new QFrame(this);
    Panel6->setObjectName(QStringLiteral("Panel6"));
    static_cast<QFrame*>(Panel6)->setFrameShape(QFrame::StyledPanel);
    auto* panel = new QGridLayout(Panel6);
    DBEdit1 = new DbLineEdit(pupils, QStringLiteral("PRIIMEK"), Panel6);
    DBEdit1->setObjectName(QStringLiteral("DBEdit1"));
    DBEdit2 = new DbLineEdit(pupils, QStringLiteral("IME"), Panel6);
    DBEdit2->setObjectName(QStringLiteral("DBEdit2"));
    for (DbLineEdit* edit : {DBEdit1, DBEdit2}) {
        edit->setUpperCase(true);
        edit->setEnterMovesFocus(true);
        edit->setMinimumWidth(260);
    }
    wwDBDateTimePicker1 = new DbDateEdit(pupils, QStringLiteral("ROJSTVO"), Panel6);
    wwDBDateTimePicker1->setObjectName(QStringLiteral("wwDBDateTimePicker1"));
    wwDBDateTimePicker1->setEnterMovesFocus(true);
    DBRadioGroup1 = new DbRadioGroup(pupils, QStringLiteral("SPOL"), QStringLiteral("Spol"),
                                     {QStringLiteral("Moški"), QStringLiteral("Ženska")}, {0, 1}, Panel6);
    DBRadioGroup1->setObjectName(QStringLiteral("DBRadioGroup1"));
    panel->addWidget(new QLabel(QStringLiteral("Priimek"), Panel6), 0, 0);
    panel->addWidget(DBEdit1, 0, 1);
    panel->addWidget(new QLabel(QStringLiteral("Ime"), Panel6), 1, 0);
    panel->addWidget(DBEdit2, 1, 1);
    panel->addWidget(new QLabel(QStringLiteral("Rojen"), Panel6), 2, 0);
    panel->addWidget(wwDBDateTimePicker1, 2, 1, Qt::AlignLeft);
    panel->addWidget(DBRadioGroup1, 0, 2, 3, 1);
    panel->setColumnStretch(3, 1);
    layout->addWidget(Panel6);

    wwDBGrid1 = new QTableView(this);
    wwDBGrid1->setObjectName(QStringLiteral("wwDBGrid1"));
    wwDBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    wwDBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    wwDBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    wwDBGrid1->horizontalHeader()->setStretchLastSection(true);
    auto* pupilModel =
        new DatasetTableModel(pupils,
                              {{QStringLiteral("PRIIMEK"), QStringLiteral("PRIIMEK"), 14},
                               {QStringLiteral("IME"), QStringLiteral("IME"), 13},
                               {QStringLiteral("ROJSTVO"), QStringLiteral("ROJSTVO"), 10, -1, true},
                               {QStringLiteral("SPOL"), QStringLiteral("SPOL"), 4},
                               {QStringLiteral("OPOMBE"), QStringLiteral("OPOMBE"), 21}},
                              this);
    pupilModel->attachTo(wwDBGrid1);
    layout->addWidget(wwDBGrid1, 1);
}

void TF_VNOSU::buildResultsPart(QVBoxLayout* layout)
{
    Label8 = new QLabel(QStringLiteral("Izberite za katero leto bi radi učencu pripisali meritve"), this);
    Label8->setObjectName(QStringLiteral("Label8"));
    layout->addWidget(Label8);

    Dataset& groups = m_dm.A_VNOSO();
    wwDBLookupCombo1 = new DbLookupCombo(groups,
                                         {{QStringLiteral("LETO_MERITVE"), QStringLiteral("Leto"), 4},
                                          {QStringLiteral("RAZRED"), QStringLiteral("RAZRED"), 3},
                                          {QStringLiteral("ODDELEK"), QStringLiteral("ODDELEK"), 4},
                                          {QStringLiteral("VRSTA"), QStringLiteral("VRSTA"), 1}},
                                         0, this);
    wwDBLookupCombo1->setObjectName(QStringLiteral("wwDBLookupCombo1"));
    wwDBLookupCombo1->popupClosed = [this] { A_VNOSUAfterScroll(m_dm); };
    DBText1 = new DbLabel(groups, QStringLiteral("RAZRED"), this);
    DBText1->setObjectName(QStringLiteral("DBText1"));
    DBText2 = new DbLabel(groups, QStringLiteral("ODDELEK"), this);
    DBText2->setObjectName(QStringLiteral("DBText2"));
    for (QLabel* label : {static_cast<QLabel*>(DBText1), static_cast<QLabel*>(DBText2)}) {
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    }
    auto* chooser = new QHBoxLayout;
    chooser->addWidget(wwDBLookupCombo1);
    chooser->addSpacing(8);
    chooser->addWidget(new QLabel(QStringLiteral("Razred:"), this));
    chooser->addWidget(DBText1);
    chooser->addSpacing(8);
    chooser->addWidget(new QLabel(QStringLiteral("Oddelek:"), this));
    chooser->addWidget(DBText2);
    chooser->addStretch(1);
    layout->addLayout(chooser);

    Dataset& results = m_dm.A_VNOSV();
    wwDBNavigator2 = new DbNavigator(results, this);
    wwDBNavigator2->setObjectName(QStringLiteral("wwDBNavigator2"));
    wwDBNavigator2->addButton(NavAction::Insert, QStringLiteral("Dodaj"), QStringLiteral("wwNavButton6"),
                              [this] { return wwNavButton6Click(); });
    wwDBNavigator2->addButton(NavAction::Delete, QStringLiteral("Izbriši"), QStringLiteral("wwNavButton7"),
                              [this] { return wwNavButton7Click(); });
    wwDBNavigator2->addButton(NavAction::Post, QStringLiteral("Shrani"),
                              QStringLiteral("wwDBNavigator2Button"),
                              [this] { return wwDBNavigator2ButtonClick(); });
    wwDBNavigator2->addButton(NavAction::Edit, QStringLiteral("Popravi"),
                              QStringLiteral("wwDBNavigator2Button1"),
                              [this] { return wwDBNavigator2Button1Click(); });
    layout->addWidget(wwDBNavigator2);

    QList<GridColumn> columns;
    for (int test = 1; test <= 11; ++test) {
        const QString code = QString::fromLatin1(TestCodes[test]);
        columns.append({code, code, 5});
    }
    wwDBGrid2 = new EditableGrid(this);
    wwDBGrid2->setObjectName(QStringLiteral("wwDBGrid2"));
    wwDBGrid2->setSelectionMode(QAbstractItemView::SingleSelection);
    wwDBGrid2->setEditTriggers(QAbstractItemView::AllEditTriggers);
    wwDBGrid2->verticalHeader()->hide();
    resultsModel = new DatasetTableModel(results, columns, this);
    resultsModel->setEditable(true);
    resultsModel->attachTo(wwDBGrid2);
    wwDBGrid2->setFixedHeight(wwDBGrid2->horizontalHeader()->sizeHint().height() +
                              wwDBGrid2->verticalHeader()->defaultSectionSize() +
                              2 * wwDBGrid2->frameWidth() + 4);
    layout->addWidget(wwDBGrid2);
}

void TF_VNOSU::addWorkbookButton(QPushButton* button)
{
    button->setParent(this);
    button->setAutoDefault(false);
    button->setMinimumWidth(130);
    m_buttonColumn->insertWidget(1 + m_workbookButtons++, button);
}

void TF_VNOSU::syncState()
{
    const bool pupilEditing = m_dm.A_VNOSU().isEditing();
    const bool resultsEditing = m_dm.A_VNOSV().isEditing();
    Panel6->setEnabled(pupilEditing);
    wwDBGrid1->setEnabled(!pupilEditing && !resultsEditing);
    wwDBGrid2->setEnabled(resultsEditing);
    wwDBLookupCombo1->setEnabled(!resultsEditing && !m_dm.A_VNOSO().isEditing());
    sbDodajOddelke->setEnabled(!resultsEditing);
    wdbNav->updateButtons();
    wwDBNavigator2->updateButtons();
}

void TF_VNOSU::commitTyping()
{
    wwDBDateTimePicker1->commit();
    wwDBGrid2->commitOpenEditor();
}

void TF_VNOSU::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TF_VNOSU::FormShow()
{
    m_entry.show();
    wwDBLookupCombo1->syncFromDataset();
    syncState();
    wwDBGrid1->setFocus();
}

bool TF_VNOSU::FormCloseQuery()
{
    commitTyping();
    try {
        m_entry.saveAll();
    } catch (const SilentAbort&) {
        return false;
    }
    return true;
}

void TF_VNOSU::reject()
{
    if (FormCloseQuery())
        QDialog::reject();
}

void TF_VNOSU::sbDodajOddelkeClick()
{
    if (m_classRegister)
        m_classRegister->exec();
    A_VNOSUAfterScroll(m_dm);
    wwDBLookupCombo1->syncFromDataset();
    syncState();
}

Then TF_VNOSU::wdbNavInsertClick()
{
    m_entry.addPupil();
    DBEdit1->setFocus();
    return Then::Skip;
}

Then TF_VNOSU::wdbNavDeleteClick()
{
    m_entry.deletePupil();
    return Then::Skip;
}

Then TF_VNOSU::wdbNavButton1Click()
{
    m_entry.checkPupilEditable();
    DBEdit1->setFocus();
    return Then::Act;
}

Then TF_VNOSU::wdbNavPostClick()
{
    wwDBDateTimePicker1->commit();
    return Then::Act;
}

Then TF_VNOSU::wdbNavButtonClick()
{
    return Then::Act;
}

Then TF_VNOSU::wwNavButton6Click()
{
    commitTyping();
    m_entry.addResults();
    wwDBGrid2->setFocus();
    wwDBGrid2->setCurrentIndex(resultsModel->index(m_dm.A_VNOSV().currentRow(), 0));
    return Then::Skip;
}

Then TF_VNOSU::wwNavButton7Click()
{
    m_entry.deleteResults();
    return Then::Skip;
}

Then TF_VNOSU::wwDBNavigator2ButtonClick()
{
    wwDBGrid2->commitOpenEditor();
    return Then::Act;
}

Then TF_VNOSU::wwDBNavigator2Button1Click()
{
    commitTyping();
    m_entry.checkResultsEditable();
    wwDBGrid2->setFocus();
    return Then::Act;
}

} // namespace gibomer

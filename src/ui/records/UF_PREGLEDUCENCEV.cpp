#include "ui/records/UF_PREGLEDUCENCEV.h"

#include "core/DataModule.h"
#include "ui/core/GibomerApplication.h"
#include "ui/widgets/DatasetTableModel.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QDate>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace gibomer {

namespace {

QListWidget* makeList(const QString& name, QAbstractItemView::SelectionMode mode)
{
    auto* list = new QListWidget;
    list->setObjectName(name);
    list->setSelectionMode(mode);
    list->setMinimumWidth(90);
    return list;
}

QGroupBox* group(const QString& title, QWidget* content)
{
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->addWidget(content);
    return box;
}

QButtonGroup* radioGroup(QWidget* owner, const QString& name, const QStringList& captions, QBoxLayout* layout)
{
    auto* buttons = new QButtonGroup(owner);
    buttons->setObjectName(name);
    for (int i = 0; i < captions.size(); ++i) {
        auto* radio = new QRadioButton(captions[i]);
        radio->setObjectName(name + QString::number(i));
        buttons->addButton(radio, i);
        layout->addWidget(radio);
    }
    buttons->button(0)->setChecked(true);
    return buttons;
}

QStringList selectedTexts(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->isSelected())
            texts << list->item(i)->text();
    }
    return texts;
}

void refill(QListWidget* list, const QStringList& items)
{
    list->clear();
    list->addItems(items);
}

} // namespace

TF_PREGLEDUCENCEV::TF_PREGLEDUCENCEV(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("F_PREGLEDUCENCEV"));
    setWindowTitle(QStringLiteral("Pregled učencev"));

    m_grid = new QTableView;
    m_grid->setObjectName(QStringLiteral("wwDBGrid1"));
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setAlternatingRowColors(true);
    m_grid->horizontalHeader()->setSectionsClickable(true);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_model = new DatasetTableModel(m_dm.A_TOP(),
                                    {{QStringLiteral("priimek"), QStringLiteral("priimek"), 23},
                                     {QStringLiteral("ime"), QStringLiteral("ime"), 18},
                                     {QStringLiteral("spol"), QStringLiteral("spol"), 6},
                                     {QStringLiteral("razred"), QStringLiteral("razred"), 5},
                                     {QStringLiteral("oddelek"), QStringLiteral("oddelek"), 6},
                                     {QStringLiteral("leto_meritve"), QStringLiteral("leto"), 4},
                                     {QStringLiteral("v"), QStringLiteral("Vrednost"), 7},
                                     {QStringLiteral("t"), QStringLiteral("T vred."), 10}},
                                    this);
    m_model->attachTo(m_grid);
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        runReported([&] { wwDBGrid1TitleButtonClick(m_model->columns().at(section).field); });
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(buildFilters());
    layout->addWidget(m_grid, 1);

    resize(900, 640);
    FormCreate();
}

QWidget* TF_PREGLEDUCENCEV::buildFilters()
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("Panel1"));
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);

    m_razred = makeList(QStringLiteral("lbRazred"), QAbstractItemView::MultiSelection);
    m_oddelek = makeList(QStringLiteral("lbOddelek"), QAbstractItemView::MultiSelection);
    m_test = makeList(QStringLiteral("lbTest"), QAbstractItemView::SingleSelection);
    m_test->addItems(rankingTests());
    // Tall enough for the whole test list; the other two lists match it.
    const int listHeight = m_test->sizeHintForRow(0) * m_test->count() + 2 * m_test->frameWidth() + 2;
    for (QListWidget* list : {m_razred, m_oddelek, m_test})
        list->setFixedHeight(listHeight);
    row->addWidget(group(QStringLiteral("Izberi razrede"), m_razred));
    row->addWidget(group(QStringLiteral("Izberi oddelke"), m_oddelek));
    row->addWidget(group(QStringLiteral("Izbira testa"), m_test));

    auto* options = new QVBoxLayout;
    auto* spolBox = new QGroupBox(QStringLiteral("Spol"));
    spolBox->setObjectName(QStringLiteral("rgSpolG"));
    auto* spolLayout = new QHBoxLayout(spolBox);
    m_spol =
        radioGroup(this, QStringLiteral("rgSpolG"),
                   {QStringLiteral("Skupaj"), QStringLiteral("Moški"), QStringLiteral("Ženska")}, spolLayout);
    options->addWidget(spolBox);

    auto* topBox = new QGroupBox(QStringLiteral("TOP"));
    topBox->setObjectName(QStringLiteral("rgTOp"));
    auto* topLayout = new QVBoxLayout(topBox);
    m_top = radioGroup(this, QStringLiteral("rgTOp"),
                       {QStringLiteral("po vrednosti"), QStringLiteral("po T vrednosti")}, topLayout);
    options->addWidget(topBox);

    auto* yearRow = new QHBoxLayout;
    m_cbLeto = new QCheckBox(QStringLiteral("Leto"));
    m_cbLeto->setObjectName(QStringLiteral("cbLeto"));
    m_seLeto = new QSpinBox;
    m_seLeto->setObjectName(QStringLiteral("seLeto"));
    m_seLeto->setRange(1950, 2200);
    m_seLeto->setSingleStep(1);
    yearRow->addWidget(m_cbLeto);
    yearRow->addWidget(m_seLeto);
    yearRow->addStretch();
    options->addLayout(yearRow);
    options->addStretch();
    row->addLayout(options);

    auto* buttons = new QVBoxLayout;
    auto addButton = [&](const QString& name, const QString& caption) {
        auto* button = new QPushButton(caption);
        button->setObjectName(name);
        button->setAutoDefault(false);
        button->setMinimumWidth(90);
        buttons->addWidget(button);
        return button;
    };
    QPushButton* prikazi = addButton(QStringLiteral("sbPrikazi"), QStringLiteral("Prikaži"));
    QPushButton* kopiraj = addButton(QStringLiteral("sbKopiraj"), QStringLiteral("Kopiraj"));
    QPushButton* zapri = addButton(QStringLiteral("sbZapri"), QStringLiteral("Zapri"));
    buttons->addStretch();
    row->addLayout(buttons);
    row->addStretch();

    connect(prikazi, &QPushButton::clicked, this, [this] { runReported([&] { sbPrikaziClick(); }); });
    connect(kopiraj, &QPushButton::clicked, this, [this] { runReported([&] { sbKopirajClick(); }); });
    connect(zapri, &QPushButton::clicked, this, &QDialog::accept);
    return panel;
}

void TF_PREGLEDUCENCEV::FormCreate()
{
    m_test->setCurrentRow(0);
    m_seLeto->setValue(QDate::currentDate().year() + 1);
}

void TF_PREGLEDUCENCEV::FormShow()
{
    refill(m_razred, rankingGradeItems(m_dm));
    refill(m_oddelek, rankingClassItems(m_dm));
}

void TF_PREGLEDUCENCEV::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        runReported([&] { FormShow(); });
}

RankingFilter TF_PREGLEDUCENCEV::filter() const
{
    RankingFilter f;
    f.grades = selectedTexts(m_razred);
    f.classes = selectedTexts(m_oddelek);
    const QStringList tests = selectedTexts(m_test);
    f.test = tests.isEmpty() ? QStringLiteral("ATV") : tests.first();
    f.sexIndex = m_spol->checkedId();
    f.topIndex = m_top->checkedId();
    f.yearTicked = m_cbLeto->isChecked();
    f.year = m_seLeto->value();
    return f;
}

void TF_PREGLEDUCENCEV::sbPrikaziClick()
{
    runRanking(m_dm, filter());
}

void TF_PREGLEDUCENCEV::sbKopirajClick()
{
    QGuiApplication::clipboard()->setText(copyRanking(m_dm));
}

void TF_PREGLEDUCENCEV::wwDBGrid1TitleButtonClick(const QString& field)
{
    Dataset& top = m_dm.A_TOP();
    top.setSort(titleClickSort(top.sort(), field));
}

} // namespace gibomer

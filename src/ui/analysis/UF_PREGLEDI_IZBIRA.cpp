#include "ui/analysis/UF_PREGLEDI_IZBIRA.h"

#include "analysis/AnalysisBuilder.h"
#include "core/DataModule.h"
#include "ui/analysis/UF_PREGLEDI.h"
#include "ui/core/GibomerApplication.h"
#include "ui/widgets/DatasetTableModel.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace gibomer {

OptionalSpinBox::OptionalSpinBox(int minimum, int maximum, QWidget* parent) : QSpinBox(parent)
{
    setRange(minimum - 1, maximum);
    setSpecialValueText(QStringLiteral(" "));
    setValue(minimum - 1);
}

std::optional<int> OptionalSpinBox::optionalValue() const
{
    return isEmpty() ? std::nullopt : std::optional<int>(value());
}

void OptionalSpinBox::setOptionalValue(std::optional<int> v)
{
    setValue(v ? *v : minimum());
}

QValidator::State OptionalSpinBox::validate(QString& input, int& pos) const
{
    if (input.trimmed().isEmpty())
        return QValidator::Acceptable;
    return QSpinBox::validate(input, pos);
}

int OptionalSpinBox::valueFromText(const QString& text) const
{
    if (text.trimmed().isEmpty())
        return minimum();
    return QSpinBox::valueFromText(text);
}

namespace {

QLineEdit* upperCaseEdit(QWidget* parent, const QString& name, int width)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    if (width > 0)
        e->setFixedWidth(width);
    QObject::connect(e, &QLineEdit::textEdited, e, [e](const QString& text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int pos = e->cursorPosition();
            e->setText(upper);
            e->setCursorPosition(pos);
        }
    });
    return e;
}

QSpinBox* yearSpin(QWidget* parent, const QString& name, int minimum)
{
    auto* s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(minimum, 2200);
    s->setFixedWidth(72);
    return s;
}

OptionalSpinBox* optionalSpin(QWidget* parent, const QString& name, int minimum, int maximum, int width)
{
    auto* s = new OptionalSpinBox(minimum, maximum, parent);
    s->setObjectName(name);
    s->setFixedWidth(width);
    return s;
}

QGroupBox* sexGroup(QWidget* parent, const QString& name, QButtonGroup*& group)
{
    auto* box = new QGroupBox(QStringLiteral("Spol"), parent);
    box->setObjectName(name);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(8, 2, 8, 2);
    group = new QButtonGroup(box);
    const QString items[] = {QStringLiteral("Skupaj"), QStringLiteral("Moški"), QStringLiteral("Ženska")};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(items[i], box);
        group->addButton(radio, i);
        row->addWidget(radio);
    }
    row->addStretch();
    group->button(0)->setChecked(true);
    return box;
}

void setSex(QButtonGroup* group, int index)
{
    group->button(index)->setChecked(true);
}

QHBoxLayout* yearRange(QWidget* parent, QSpinBox*& from, const QString& fromName, QSpinBox*& to,
                       const QString& toName, int minimum)
{
    auto* row = new QHBoxLayout;
    from = yearSpin(parent, fromName, minimum);
    to = yearSpin(parent, toName, minimum);
    row->addWidget(new QLabel(QStringLiteral("Prikaži rezultate od leta "), parent));
    row->addWidget(from);
    row->addWidget(new QLabel(QStringLiteral("do leta"), parent));
    row->addWidget(to);
    row->addStretch();
    return row;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TF_PREGLEDI_IZBIRA::TF_PREGLEDI_IZBIRA(TDM& dm, TF_PREGLEDI& view, const QDate& today)
    : QWidget(&view, Qt::Tool | Qt::WindowStaysOnTopHint), m_dm(dm), m_view(view)
{
    setObjectName(QStringLiteral("F_PREGLEDI_IZBIRA"));
    setWindowTitle(QStringLiteral("Izbira pregleda"));
    resize(632, 364);

    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* tipBox = new QGroupBox(QStringLiteral("Izberi tip pregleda"), this);
    tipBox->setObjectName(QStringLiteral("rgTip"));
    auto* tipLayout = new QVBoxLayout(tipBox);
    rgTip = new QButtonGroup(tipBox);
    const QString kinds[] = {QStringLiteral("po Učencu"), QStringLiteral("po razredu/oddelku"),
                             QStringLiteral("po generaciji"), QStringLiteral("celotna šola")};
    for (int i = 0; i < 4; ++i) {
        auto* radio = new QRadioButton(kinds[i], tipBox);
        rgTip->addButton(radio, i);
        tipLayout->addWidget(radio);
    }
    left->addWidget(tipBox);
    left->addStretch();
    cbOstani = new QCheckBox(QStringLiteral("Ostani na vrhu"), this);
    cbOstani->setObjectName(QStringLiteral("cbOstani"));
    left->addWidget(cbOstani);
    sbZapri = button(this, QStringLiteral("sbZapri"), QStringLiteral("Zapri"));
    left->addWidget(sbZapri);
    layout->addLayout(left);

    PageControl1 = new QStackedWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    tsUcenec = new QWidget(PageControl1);
    tsUcenec->setObjectName(QStringLiteral("tsUcenec"));
    auto* pupilLayout = new QVBoxLayout(tsUcenec);
    pupilLayout->setContentsMargins(0, 0, 0, 0);
    PageControl2 = new QStackedWidget(tsUcenec);
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    tsU1 = buildPupilSearchPage();
    tsU2 = buildFoundPupilsPage();
    PageControl2->addWidget(tsU1);
    PageControl2->addWidget(tsU2);
    pupilLayout->addWidget(PageControl2);
    tsRazred = buildClassPage();
    tsGeneracija = buildGenerationPage();
    tsCelotna = buildSchoolPage();
    for (QWidget* page : {tsUcenec, tsRazred, tsGeneracija, tsCelotna})
        PageControl1->addWidget(page);
    layout->addWidget(PageControl1, 1);

    auto guarded = [this](void (TF_PREGLEDI_IZBIRA::*handler)()) {
        return [this, handler] { runReported([&] { (this->*handler)(); }); };
    };
    connect(rgTip, &QButtonGroup::idClicked, this, guarded(&TF_PREGLEDI_IZBIRA::rgTipClick));
    connect(sbZapri, &QPushButton::clicked, this, guarded(&TF_PREGLEDI_IZBIRA::sbZapriClick));
    connect(seGenU, &QSpinBox::valueChanged, this, [this] { seGenUChange(); });
    connect(seGenG, &QSpinBox::valueChanged, this, [this] { seGenGChange(); });
    connect(sbIzprazniU, &QPushButton::clicked, this, guarded(&TF_PREGLEDI_IZBIRA::sbIzprazniUClick));
    connect(sbIzprazniR, &QPushButton::clicked, this, guarded(&TF_PREGLEDI_IZBIRA::sbIzprazniRClick));
    connect(sbIzprazniG, &QPushButton::clicked, this, guarded(&TF_PREGLEDI_IZBIRA::sbIzprazniGClick));
    connect(fcImageBtn8, &QPushButton::clicked, this, guarded(&TF_PREGLEDI_IZBIRA::fcImageBtn8Click));
    connect(fcImageBtn3, &QPushButton::clicked, this, guarded(&TF_PREGLEDI_IZBIRA::fcImageBtn3Click));
    for (QPushButton* b : {fcImageBtn6, fcImageBtn1, fcImageBtn5, sbPregled})
        connect(b, &QPushButton::clicked, this, guarded(&TF_PREGLEDI_IZBIRA::sbPregledClick));
    connect(sbNAtisni, &QPushButton::clicked, this, guarded(&TF_PREGLEDI_IZBIRA::sbNAtisniClick));
    connect(wwDBGrid1, &QTableView::doubleClicked, this, guarded(&TF_PREGLEDI_IZBIRA::sbPregledClick));
    connect(wwDBGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        runReported([&] { wwDBGrid1TitleButtonClick(m_pupilModel->columns().value(section).field); });
    });
    sbNAtisni->setEnabled(false);

    FormCreate(today);
}

QWidget* TF_PREGLEDI_IZBIRA::buildPupilSearchPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsU1"));
    auto* grid = new QGridLayout(page);
    seGenU = optionalSpin(page, QStringLiteral("seGenU"), 1980, 2200, 72);
    lLetoU = new QLabel(page);
    lLetoU->setObjectName(QStringLiteral("lLetoU"));
    lLetoU->setMinimumWidth(40);
    lLetoU->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* genRow = new QHBoxLayout;
    genRow->addWidget(new QLabel(QStringLiteral("Poišči učenca za generacijo ki je šolsko leto"), page));
    genRow->addWidget(lLetoU);
    genRow->addWidget(seGenU);
    genRow->addStretch();
    grid->addLayout(genRow, 0, 0, 1, 2);

    seRazredU = optionalSpin(page, QStringLiteral("seRazredU"), 0, 9, 48);
    seOddelekU = upperCaseEdit(page, QStringLiteral("seOddelekU"), 48);
    auto* gradeRow = new QHBoxLayout;
    gradeRow->addWidget(new QLabel(QStringLiteral("obiskoval/a"), page));
    gradeRow->addWidget(seRazredU);
    gradeRow->addWidget(new QLabel(QStringLiteral("razred, ter oddelek"), page));
    gradeRow->addWidget(seOddelekU);
    gradeRow->addStretch();
    grid->addLayout(gradeRow, 1, 0, 1, 2);

    seLetnikU = optionalSpin(page, QStringLiteral("seLetnikU"), 1, 2200, 72);
    ePriimekU = upperCaseEdit(page, QStringLiteral("ePriimekU"), 0);
    eImeU = upperCaseEdit(page, QStringLiteral("eImeU"), 0);
    grid->addWidget(new QLabel(QStringLiteral("Letnik učenca"), page), 2, 0);
    grid->addWidget(seLetnikU, 2, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("Priimek"), page), 3, 0);
    grid->addWidget(ePriimekU, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Ime"), page), 4, 0);
    grid->addWidget(eImeU, 4, 1);
    grid->addWidget(sexGroup(page, QStringLiteral("rgSpolU"), rgSpolU), 5, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    sbIzprazniU = button(page, QStringLiteral("sbIzprazniU"), QStringLiteral("Izprazni polja"));
    fcImageBtn8 = button(page, QStringLiteral("fcImageBtn8"), QStringLiteral("Najdi učenc-a\\e"));
    buttons->addStretch();
    buttons->addWidget(sbIzprazniU);
    buttons->addWidget(fcImageBtn8);
    grid->addLayout(buttons, 6, 0, 1, 2);
    grid->setRowStretch(7, 1);
    return page;
}

QWidget* TF_PREGLEDI_IZBIRA::buildFoundPupilsPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsU2"));
    auto* v = new QVBoxLayout(page);
    v->addLayout(yearRange(page, seLEtoOdU, QStringLiteral("seLEtoOdU"), seLetoDoU,
                           QStringLiteral("seLetoDoU"), 1980));
    v->addWidget(
        new QLabel(QStringLiteral("za učenca: (ustreznega učenca izberite iz seznama v tabeli)"), page));
    wwDBGrid1 = new QTableView(page);
    wwDBGrid1->setObjectName(QStringLiteral("wwDBGrid1"));
    wwDBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    wwDBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    wwDBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    wwDBGrid1->verticalHeader()->hide();
    wwDBGrid1->horizontalHeader()->setSectionsClickable(true);
    wwDBGrid1->horizontalHeader()->setStretchLastSection(true);
    m_pupilModel = new DatasetTableModel(m_dm.A_PUCENCI(),
                                         {{QStringLiteral("ID_UCENEC"), QStringLiteral("ID"), 5},
                                          {QStringLiteral("PRIIMEK"), QStringLiteral("PRIIMEK"), 13},
                                          {QStringLiteral("IME"), QStringLiteral("IME"), 10},
                                          {QStringLiteral("ROJSTVO"), QStringLiteral("ROJSTVO"), 9, -1, true},
                                          {QStringLiteral("SPOL"), QStringLiteral("SPOL"), 6}},
                                         this);
    m_pupilModel->attachTo(wwDBGrid1);
    v->addWidget(wwDBGrid1, 1);
    auto* buttons = new QHBoxLayout;
    fcImageBtn6 = button(page, QStringLiteral("fcImageBtn6"), QStringLiteral("Prikaži pregled"));
    sbNAtisni = button(page, QStringLiteral("sbNAtisni"), QStringLiteral("Natisni vse"));
    fcImageBtn3 = button(page, QStringLiteral("fcImageBtn3"), QStringLiteral("Ponovni izbor"));
    buttons->addWidget(fcImageBtn6);
    buttons->addWidget(sbNAtisni);
    buttons->addStretch();
    buttons->addWidget(fcImageBtn3);
    v->addLayout(buttons);
    return page;
}

QWidget* TF_PREGLEDI_IZBIRA::buildClassPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsRazred"));
    auto* v = new QVBoxLayout(page);
    v->addLayout(yearRange(page, seLEtoODR, QStringLiteral("seLEtoODR"), seLEtoDor,
                           QStringLiteral("seLEtoDor"), 1980));
    auto* grid = new QGridLayout;
    seRazredR = optionalSpin(page, QStringLiteral("seRazredR"), 0, 9, 48);
    eOddelekR = upperCaseEdit(page, QStringLiteral("eOddelekR"), 48);
    grid->addWidget(new QLabel(QStringLiteral("za Razred"), page), 0, 0);
    grid->addWidget(seRazredR, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("za Oddelek"), page), 1, 0);
    grid->addWidget(eOddelekR, 1, 1);
    grid->setColumnStretch(2, 1);
    v->addLayout(grid);
    v->addWidget(sexGroup(page, QStringLiteral("RgSpolR"), RgSpolR));
    v->addStretch();
    auto* buttons = new QHBoxLayout;
    fcImageBtn1 = button(page, QStringLiteral("fcImageBtn1"), QStringLiteral("Prikaži pregled"));
    sbIzprazniR = button(page, QStringLiteral("sbIzprazniR"), QStringLiteral("Izprazni polja"));
    buttons->addWidget(fcImageBtn1);
    buttons->addStretch();
    buttons->addWidget(sbIzprazniR);
    v->addLayout(buttons);
    return page;
}

QWidget* TF_PREGLEDI_IZBIRA::buildGenerationPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsGeneracija"));
    auto* v = new QVBoxLayout(page);
    v->addLayout(yearRange(page, seLEtoOdG, QStringLiteral("seLEtoOdG"), SeLetoDoG,
                           QStringLiteral("SeLetoDoG"), 1950));
    auto* genRow = new QHBoxLayout;
    seGenG = yearSpin(page, QStringLiteral("seGenG"), 1950);
    lLEto = new QLabel(page);
    lLEto->setObjectName(QStringLiteral("lLEto"));
    lLEto->setMinimumWidth(40);
    lLEto->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    genRow->addWidget(new QLabel(QStringLiteral("za generacijo ki je šolsko leto"), page));
    genRow->addWidget(lLEto);
    genRow->addWidget(seGenG);
    genRow->addStretch();
    v->addLayout(genRow);
    auto* gradeRow = new QHBoxLayout;
    seRazredG = optionalSpin(page, QStringLiteral("seRazredG"), 0, 9, 48);
    eOddelekG = upperCaseEdit(page, QStringLiteral("eOddelekG"), 48);
    gradeRow->addWidget(new QLabel(QStringLiteral("obiskovala "), page));
    gradeRow->addWidget(seRazredG);
    gradeRow->addWidget(new QLabel(QStringLiteral("razred"), page));
    gradeRow->addWidget(new QLabel(QStringLiteral("ter oddelek"), page));
    gradeRow->addWidget(eOddelekG);
    gradeRow->addStretch();
    v->addLayout(gradeRow);
    v->addWidget(sexGroup(page, QStringLiteral("rgSpolG"), rgSpolG));
    v->addStretch();
    auto* buttons = new QHBoxLayout;
    fcImageBtn5 = button(page, QStringLiteral("fcImageBtn5"), QStringLiteral("Prikaži pregled"));
    sbIzprazniG = button(page, QStringLiteral("sbIzprazniG"), QStringLiteral("Izprazni polja"));
    buttons->addWidget(fcImageBtn5);
    buttons->addStretch();
    buttons->addWidget(sbIzprazniG);
    v->addLayout(buttons);
    return page;
}

QWidget* TF_PREGLEDI_IZBIRA::buildSchoolPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsCelotna"));
    auto* v = new QVBoxLayout(page);
    v->addLayout(yearRange(page, seLEtoOdC, QStringLiteral("seLEtoOdC"), seLEtoDoC,
                           QStringLiteral("seLEtoDoC"), 1950));
    v->addWidget(sexGroup(page, QStringLiteral("rgSpolC"), rgSpolC));
    v->addStretch();
    auto* buttons = new QHBoxLayout;
    sbPregled = button(page, QStringLiteral("sbPregled"), QStringLiteral("Prikaži pregled"));
    buttons->addWidget(sbPregled);
    buttons->addStretch();
    v->addLayout(buttons);
    return page;
}

void TF_PREGLEDI_IZBIRA::FormCreate(const QDate& today)
{
    const AnalysisSelection d = defaultSelection(today);
    seGenG->setValue(d.genG);
    seGenU->setValue(d.genG);
    seGenGChange();
    seGenUChange();
    seLEtoOdU->setValue(d.letoOdU);
    seLetoDoU->setValue(d.letoDoU);
    seLEtoODR->setValue(d.letoOdR);
    seLEtoDor->setValue(d.letoDoR);
    seLEtoOdG->setValue(d.letoOdG);
    SeLetoDoG->setValue(d.letoDoG);
    seLEtoOdC->setValue(d.letoOdC);
    seLEtoDoC->setValue(d.letoDoC);
    sbIzprazniUClick();
    sbIzprazniRClick();
    sbIzprazniGClick();
    rgTip->button(static_cast<int>(d.kind))->setChecked(true);
    rgTipClick();
}

void TF_PREGLEDI_IZBIRA::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    rgTipClick(); // the page always matches the chosen kind
}

void TF_PREGLEDI_IZBIRA::rgTipClick()
{
    switch (rgTip->checkedId()) {
    case 0:
        PageControl1->setCurrentWidget(tsUcenec);
        if (!m_subPageChosen) {
            PageControl2->setCurrentWidget(tsU1);
            m_subPageChosen = true;
        }
        break;
    case 1:
        PageControl1->setCurrentWidget(tsRazred);
        break;
    case 2:
        PageControl1->setCurrentWidget(tsGeneracija);
        break;
    default:
        PageControl1->setCurrentWidget(tsCelotna);
        break;
    }
}

void TF_PREGLEDI_IZBIRA::seGenUChange()
{
    lLetoU->setText(seGenU->isEmpty() ? QString() : schoolYearPrefix(seGenU->value()));
}

void TF_PREGLEDI_IZBIRA::seGenGChange()
{
    lLEto->setText(schoolYearPrefix(seGenG->value()));
}

void TF_PREGLEDI_IZBIRA::sbIzprazniUClick()
{
    seLetnikU->clear();
    seRazredU->clear();
    seOddelekU->clear();
    ePriimekU->clear();
    eImeU->clear();
    seGenU->clear();
    setSex(rgSpolU, 0);
}

void TF_PREGLEDI_IZBIRA::sbIzprazniRClick()
{
    seRazredR->clear();
    eOddelekR->clear();
    setSex(RgSpolR, 0);
}

void TF_PREGLEDI_IZBIRA::sbIzprazniGClick()
{
    seRazredG->clear();
    eOddelekG->clear();
    setSex(rgSpolG, 0);
}

AnalysisSelection TF_PREGLEDI_IZBIRA::selection() const
{
    AnalysisSelection s;
    s.kind = static_cast<AnalysisKind>(std::max(0, rgTip->checkedId()));
    s.genU = seGenU->optionalValue();
    s.razredU = seRazredU->optionalValue();
    s.oddelekU = seOddelekU->text().trimmed();
    s.letnikU = seLetnikU->optionalValue();
    s.priimekU = ePriimekU->text().trimmed();
    s.imeU = eImeU->text().trimmed();
    s.spolU = rgSpolU->checkedId();
    s.letoOdU = seLEtoOdU->value();
    s.letoDoU = seLetoDoU->value();
    s.letoOdR = seLEtoODR->value();
    s.letoDoR = seLEtoDor->value();
    s.razredR = seRazredR->optionalValue();
    s.oddelekR = eOddelekR->text().trimmed();
    s.spolR = RgSpolR->checkedId();
    s.letoOdG = seLEtoOdG->value();
    s.letoDoG = SeLetoDoG->value();
    s.genG = seGenG->value();
    s.razredG = seRazredG->optionalValue();
    s.oddelekG = eOddelekG->text().trimmed();
    s.spolG = rgSpolG->checkedId();
    s.letoOdC = seLEtoOdC->value();
    s.letoDoC = seLEtoDoC->value();
    s.spolC = rgSpolC->checkedId();
    s.ostaniNaVrhu = cbOstani->isChecked();
    takeChosenPupil(s, m_dm.A_PUCENCI());
    return s;
}

void TF_PREGLEDI_IZBIRA::BuildAnalysis()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct RestoreCursor
    {
        ~RestoreCursor() { QApplication::restoreOverrideCursor(); }
    } restore;
    const AnalysisResult result = gibomer::BuildAnalysis(m_dm, selection());
    m_view.showAnalysis(result);
    if (!cbOstani->isChecked() && isVisible())
        hide();
}

void TF_PREGLEDI_IZBIRA::fcImageBtn8Click()
{
    FindPupils(m_dm, selection());
    PageControl2->setCurrentWidget(tsU2);
    m_subPageChosen = true;
}

void TF_PREGLEDI_IZBIRA::fcImageBtn3Click()
{
    PageControl2->setCurrentWidget(tsU1);
}

void TF_PREGLEDI_IZBIRA::wwDBGrid1TitleButtonClick(const QString& field)
{
    Dataset& pupils = m_dm.A_PUCENCI();
    if (field.isEmpty() || !pupils.isOpen())
        return;
    pupils.setSort(toggledSort(pupils.sort(), field));
}

void TF_PREGLEDI_IZBIRA::sbPregledClick()
{
    BuildAnalysis();
}

void TF_PREGLEDI_IZBIRA::setShowBatchPrint(std::function<void()> handler)
{
    m_showBatchPrint = std::move(handler);
    sbNAtisni->setEnabled(static_cast<bool>(m_showBatchPrint));
}

void TF_PREGLEDI_IZBIRA::sbNAtisniClick()
{
    if (!m_showBatchPrint)
        return;
    Dataset& pupils = m_dm.A_PUCENCI();
    if (pupils.isOpen())
        pupils.first();
    cbOstani->setChecked(true); // the window stays open during and after the run
    m_view.PreviewReport = false;
    struct RestorePreview
    {
        TF_PREGLEDI& view;
        ~RestorePreview() { view.PreviewReport = true; }
    } restore{m_view};
    m_showBatchPrint();
}

void TF_PREGLEDI_IZBIRA::sbZapriClick()
{
    hide();
}

} // namespace gibomer

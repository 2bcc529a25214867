#include "ui/analysis/UF_PREGLEDI.h"

#include "analysis/PercentBetter.h"
#include "core/DataModule.h"
#include "ui/analysis/AnalysisCharts.h"
#include "ui/analysis/AnalysisGrid.h"
#include "ui/analysis/UF_PREGLEDI_IZBIRA.h"
#include "ui/analysis/UF_UREDIGRAF.h"
#include "ui/core/GibomerApplication.h"
#include "ui/core/Help.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <qcustomplot.h>

namespace gibomer {

namespace {

const QColor Lavender(230, 230, 255);

QPushButton* stripButton(QWidget* parent, const QString& name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setMinimumHeight(30);
    b->setAutoDefault(false);
    return b;
}

void styleGrid(QTableView* grid)
{
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(QFontMetrics(grid->font()).height() + 6);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setFocusPolicy(Qt::NoFocus);
    grid->setItemDelegate(new ContrastDelegate(grid));
    grid->setStyleSheet(QStringLiteral("QTableView { gridline-color: #b4b4d2; background: white; }"));
}

} // namespace

TF_PREGLEDI::TF_PREGLEDI(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("F_PREGLEDI"));
    screenWidth = [this] {
        const QScreen* s = screen();
        return s ? s->geometry().width() : 1024;
    };
    setWindowTitle(QStringLiteral("Pregledi"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    resize(1024, 768);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Lavender);
    setPalette(pal);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* panel1 = new QFrame(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setFixedHeight(41);
    auto* strip = new QHBoxLayout(panel1);
    strip->setContentsMargins(6, 4, 6, 4);
    fcImageBtn3 = stripButton(panel1, QStringLiteral("fcImageBtn3"), QStringLiteral("Izberi vrsto pregleda"));
    sbNAtisni = stripButton(panel1, QStringLiteral("sbNAtisni"), QStringLiteral("Natisni pregled"));
    fcImageBtn2 = stripButton(panel1, QStringLiteral("fcImageBtn2"), QStringLiteral("Uredi graf"));
    sbOdpri = stripButton(panel1, QStringLiteral("sbOdpri"), QStringLiteral("Pomoč"));
    sbZapri = stripButton(panel1, QStringLiteral("sbZapri"), QStringLiteral("Zapri"));
    for (QPushButton* b : {fcImageBtn3, sbNAtisni, fcImageBtn2})
        strip->addWidget(b);
    strip->addStretch();
    strip->addWidget(sbOdpri);
    strip->addWidget(sbZapri);
    sbNAtisni->setEnabled(false);
    layout->addWidget(panel1);

    auto* charts = new QHBoxLayout;
    charts->setContentsMargins(4, 0, 4, 4);
    charts->setSpacing(0);
    DBChart = new QCustomPlot(this);
    DBChart->setObjectName(QStringLiteral("DBChart"));
    DBChartX = new QCustomPlot(this);
    DBChartX->setObjectName(QStringLiteral("DBChartX"));
    DBChartX->setFixedWidth(112);
    setupAnalysisCharts(*DBChart, *DBChartX);
    charts->addWidget(DBChart, 1);
    charts->addWidget(DBChartX);
    layout->addLayout(charts, 1);

    wwDBGrid1 = new QTableView(this);
    wwDBGrid1->setObjectName(QStringLiteral("wwDBGrid1"));
    auto* header = new TwoLineHeader(wwDBGrid1);
    wwDBGrid1->setHorizontalHeader(header);
    styleGrid(wwDBGrid1);
    wwDBGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_gridModel = new DatasetTableModel(dm.A_PVRE(), analysisGridColumns(), this);
    m_gridModel->cellColour = [this](int row, const QString& field) -> std::optional<QColor> {
        const QVariant year = m_dm.A_PVRE().value(row, QStringLiteral("LETO_MERITVE"));
        return gridCellColour(m_analysis.chart, field,
                              year.isNull() ? QString() : QString::number(year.toInt()));
    };
    // Shown, not browsed: no current row to follow.
    wwDBGrid1->setModel(m_gridModel);
    header->setGroups(analysisGridGroups());
    header->setSectionResizeMode(QHeaderView::Fixed);
    wwDBGrid1->setMinimumHeight(127);
    layout->addWidget(wwDBGrid1);

    pReferencne = new QFrame(this);
    pReferencne->setObjectName(QStringLiteral("pReferencne"));
    auto* refLayout = new QHBoxLayout(pReferencne);
    refLayout->setContentsMargins(0, 0, 0, 0);
    refLayout->setSpacing(0);
    auto* refLabel = new QLabel(QStringLiteral("Refrenčne vrednosti"), pReferencne);
    refLabel->setAlignment(Qt::AlignCenter);
    refLabel->setAutoFillBackground(true);
    refLabel->setStyleSheet(
        QStringLiteral("QLabel { background: rgb(117,124,228); color: white; font-weight: bold;"
                       " padding: 0 10px; }"));
    refLayout->addWidget(refLabel);
    wwDBGrid3 = new QTableView(pReferencne);
    wwDBGrid3->setObjectName(QStringLiteral("wwDBGrid3"));
    styleGrid(wwDBGrid3);
    wwDBGrid3->horizontalHeader()->setStyleSheet(QStringLiteral(
        "QHeaderView::section { background: rgb(117,124,228); color: white; font-weight: bold; border: 0px;"
        " border-right: 1px solid #c8c8f0; }"));
    wwDBGrid3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    wwDBGrid3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_referenceModel = new DatasetTableModel(dm.A_REFERENCE(), referenceGridColumns(), this);
    wwDBGrid3->setModel(m_referenceModel);
    refLayout->addWidget(wwDBGrid3, 1);
    pReferencne->setFixedHeight(wwDBGrid3->horizontalHeader()->sizeHint().height() +
                                wwDBGrid3->verticalHeader()->defaultSectionSize() + 4);
    layout->addWidget(pReferencne);

    auto guarded = [this](void (TF_PREGLEDI::*handler)()) {
        return [this, handler] { runReported([&] { (this->*handler)(); }); };
    };
    connect(fcImageBtn3, &QPushButton::clicked, this, guarded(&TF_PREGLEDI::fcImageBtn3Click));
    connect(sbNAtisni, &QPushButton::clicked, this, guarded(&TF_PREGLEDI::sbBrisiClick));
    connect(fcImageBtn2, &QPushButton::clicked, this, guarded(&TF_PREGLEDI::fcImageBtn2Click));
    connect(sbOdpri, &QPushButton::clicked, this, guarded(&TF_PREGLEDI::sbOdpriClick));
    connect(sbZapri, &QPushButton::clicked, this, guarded(&TF_PREGLEDI::sbZapriClick));
    connect(&dm.A_PVRE(), &Dataset::rowsReset, this, [this] { fitGridHeight(); });
}

TF_PREGLEDI::~TF_PREGLEDI() = default;

void TF_PREGLEDI::setPrintHandler(std::function<void()> handler)
{
    m_printHandler = std::move(handler);
    sbNAtisni->setEnabled(static_cast<bool>(m_printHandler));
}

void TF_PREGLEDI::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        runReported([&] { FormShow(); });
}

void TF_PREGLEDI::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    applyGridWidths(screenWidth());
    fitGridHeight();
    alignXtChart(*DBChart, *DBChartX);
    DBChartX->replot();
}

void TF_PREGLEDI::FormShow()
{
    PreviewReport = true;
    Dataset& settings = m_dm.A_NASTAVITVE();
    const QString naziv = settings.isOpen() && settings.hasField(QStringLiteral("NAZIV"))
                              ? settings.field(QStringLiteral("NAZIV")).toString()
                              : QString();
    setWindowTitle(QStringLiteral("Analiza - ") + naziv);
    if (m_selection)
        m_selection->BuildAnalysis();
}

void TF_PREGLEDI::showAnalysis(const AnalysisResult& result)
{
    m_analysis = result;
    drawAnalysisCharts(*DBChart, *DBChartX, m_analysis.chart, readEvaluationBands(m_dm.A_VREDNOTENJE()));
    pReferencne->setVisible(m_analysis.chart.showReferences);
    applyGridWidths(screenWidth());
    fitGridHeight();
    wwDBGrid1->viewport()->update();
}

void TF_PREGLEDI::applyGridWidths(int screenWidth)
{
    const auto widths = analysisGridWidths(screenWidth);
    int characters = 0, pixels = 0;
    for (const GridWidth& w : widths)
        (w.pixels ? pixels : characters) += w.value;
    // A character is the width of a digit; where the columns would not fit
    // the window the unit shrinks, but a column always holds four digits in bold.
    QFont bold = wwDBGrid1->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int least = metrics.horizontalAdvance(QStringLiteral("8888")) + 8;
    int unit = metrics.horizontalAdvance(QLatin1Char('0')) + 2;
    const int available = std::max(width(), 640) - 24 - pixels;
    if (characters > 0 && characters * unit > available)
        unit = std::max(1, available / characters);
    std::array<int, 24> px{};
    int total = 0;
    for (int i = 0; i < static_cast<int>(widths.size()); ++i) {
        const GridWidth& w = widths[i];
        px[i] = w.pixels ? w.value : std::max(least, w.value * unit);
        total += px[i];
    }
    // Still too wide: the wide XT and year columns give up their room first.
    for (int i : {23, 0}) {
        const int excess = total - (available + pixels);
        if (excess <= 0 || widths[i].pixels)
            break;
        const int cut = std::min(excess, std::max(0, px[i] - least));
        px[i] -= cut;
        total -= cut;
    }
    for (int i = 0; i < static_cast<int>(px.size()); ++i)
        wwDBGrid1->setColumnWidth(i, px[i]);
    const int refChars = screenWidth > 800 ? 6 : 5;
    for (int i = 0; i < m_referenceModel->columnCount(); ++i)
        wwDBGrid3->setColumnWidth(i, std::max(least, refChars * unit));
}

void TF_PREGLEDI::fitGridHeight()
{
    // Room for every year up to a third of the window, never under the designed 127 pixels.
    const int rowHeight = wwDBGrid1->verticalHeader()->defaultSectionSize();
    const int headerHeight = wwDBGrid1->horizontalHeader()->sizeHint().height();
    const int scroll =
        wwDBGrid1->horizontalScrollBar()->isVisible() ? wwDBGrid1->horizontalScrollBar()->height() : 0;
    const int wanted = headerHeight + std::max(1, m_dm.A_PVRE().rowCount()) * rowHeight + scroll + 4;
    wwDBGrid1->setFixedHeight(std::clamp(wanted, 127, std::max(127, height() / 3)));
}

void TF_PREGLEDI::fcImageBtn3Click()
{
    if (!m_selection)
        return;
    m_selection->show();
    m_selection->raise();
    m_selection->activateWindow();
}

void TF_PREGLEDI::sbBrisiClick()
{
    if (m_printHandler)
        m_printHandler();
}

void TF_PREGLEDI::fcImageBtn2Click()
{
    if (m_settings)
        m_settings->exec();
}

void TF_PREGLEDI::sbOdpriClick()
{
    ShowHelpTopic(QStringLiteral("Pregledpodatkov"));
}

void TF_PREGLEDI::sbZapriClick()
{
    if (m_selection)
        m_selection->hide();
    accept();
}

} // namespace gibomer

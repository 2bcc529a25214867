// QCustomPlot drawing of the analysis charts.
#include "ui/analysis/AnalysisCharts.h"

#include "core/TestTables.h"

#include <qcustomplot.h>

namespace gibomer {

namespace {

const char* const SetUpProperty = "gibomerAnalysisChart";
const QColor GridNavy(0, 0, 128);

QFont chartFont(int pointSize, bool bold)
{
    QFont f;
    f.setPointSize(pointSize);
    f.setBold(bold);
    return f;
}

// Whole-number ticks anchored at 50; labels from a function of the tick.
class ScoreTicker : public QCPAxisTickerFixed
{
public:
    explicit ScoreTicker(std::function<QString(int)> label) : m_label(std::move(label))
    {
        setTickOrigin(ChartBase);
        setScaleStrategy(ssNone);
        setTickStep(5);
    }

protected:
    QString getTickLabel(double tick, const QLocale&, QChar, int) override { return m_label(qRound(tick)); }
    int getSubTickCount(double) override { return 0; }

private:
    std::function<QString(int)> m_label;
};

void hideAxisLine(QCPAxis* axis)
{
    axis->setBasePen(Qt::NoPen);
    axis->setTickPen(Qt::NoPen);
    axis->setSubTickPen(Qt::NoPen);
}

void setupScoreAxis(QCPAxis* axis, const QString& title)
{
    axis->setVisible(true);
    hideAxisLine(axis);
    axis->setTickLabelFont(chartFont(8, true));
    axis->setLabelFont(chartFont(9, true));
    axis->setLabel(title);
    axis->setPadding(2);
    axis->setLabelPadding(3);
}

// The navy lines between the test positions: grid lines of the invisible top axis.
void setupSeparatorAxis(QCPAxis* axis, double origin)
{
    axis->setVisible(true);
    hideAxisLine(axis);
    axis->setTickLabels(false);
    auto ticker = QSharedPointer<QCPAxisTickerFixed>::create();
    ticker->setTickStep(1);
    ticker->setTickOrigin(origin);
    ticker->setScaleStrategy(QCPAxisTickerFixed::ssNone);
    axis->setTicker(ticker);
    axis->grid()->setVisible(true);
    axis->grid()->setPen(QPen(GridNavy, 1, Qt::SolidLine));
    axis->setPadding(0);
}

void setupTestAxis(QCPAxis* axis, const QStringList& labels)
{
    hideAxisLine(axis);
    auto ticker = QSharedPointer<QCPAxisTickerText>::create();
    for (int i = 0; i < labels.size(); ++i)
        ticker->addTick(i + 1, labels[i]);
    axis->setTicker(ticker);
    axis->grid()->setVisible(false);
    axis->setTickLabelFont(chartFont(8, true));
    axis->setPadding(2);
}

QCPTextElement* titleElement(QCustomPlot& plot)
{
    return qobject_cast<QCPTextElement*>(plot.plotLayout()->element(0, 0));
}

} // namespace

int tickStepFor(double axisMin, double axisMax)
{
    const double half = std::max(axisMax - ChartBase, ChartBase - axisMin);
    if (half <= 8)
        return 1;
    if (half <= 16)
        return 2;
    return 5;
}

void setupAnalysisCharts(QCustomPlot& main, QCustomPlot& xt)
{
    if (main.property(SetUpProperty).toBool())
        return;
    main.setProperty(SetUpProperty, true);
    for (QCustomPlot* p : {&main, &xt}) {
        p->setInteractions({});
        p->setBackground(Qt::white);
        p->setNoAntialiasingOnDrag(true);
    }

    // Main chart: title, the legend of years, then the plot.
    main.plotLayout()->insertRow(0);
    auto* title = new QCPTextElement(&main, QString(), chartFont(11, true));
    title->setTextColor(Qt::black);
    main.plotLayout()->addElement(0, 0, title);
    main.plotLayout()->insertRow(1);
    auto* legendRow = new QCPLayoutGrid;
    main.plotLayout()->addElement(1, 0, legendRow);
    main.axisRect()->insetLayout()->take(main.legend);
    // The legend keeps its own width, centred between two empty cells.
    legendRow->addElement(0, 0, new QCPLayoutElement(&main));
    legendRow->addElement(0, 1, main.legend);
    legendRow->addElement(0, 2, new QCPLayoutElement(&main));
    legendRow->setColumnStretchFactors({1, 0.001, 1});
    legendRow->setMargins(QMargins(0, 0, 0, 0));
    main.legend->setVisible(true);
    main.legend->setFont(chartFont(8, true));
    main.legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    main.legend->setBorderPen(Qt::NoPen);
    main.legend->setBrush(Qt::NoBrush);
    main.legend->setIconSize(14, 10);
    main.legend->setRowSpacing(0);
    main.legend->setColumnSpacing(10);
    main.plotLayout()->setRowStretchFactor(0, 0.001);
    main.plotLayout()->setRowStretchFactor(1, 0.001);
    main.plotLayout()->setRowSpacing(0);

    QStringList tests;
    for (int t = 1; t <= TestCount; ++t)
        tests << QString::fromLatin1(TestCodes[t]);
    setupTestAxis(main.xAxis, tests);
    setupSeparatorAxis(main.xAxis2, 0.5);
    setupScoreAxis(main.yAxis, QStringLiteral("T vrednosti"));
    setupScoreAxis(main.yAxis2, QStringLiteral("% boljših rezultatov"));
    main.yAxis->grid()->setPen(QPen(QColor(120, 120, 120), 1, Qt::DashDotLine));
    main.yAxis->grid()->setZeroLinePen(Qt::NoPen);
    main.yAxis2->grid()->setVisible(false);

    auto* line = new QCPItemStraightLine(&main);
    line->setPen(QPen(Qt::black, 2));
    line->point1->setCoords(0, ChartBase);
    line->point2->setCoords(1, ChartBase);
    line->setClipToAxisRect(true);
    line->setObjectName(QStringLiteral("line50"));

    // XT chart: the bars on a downward axis, the percent-better labels on the right.
    xt.legend->setVisible(false);
    setupTestAxis(xt.xAxis, {QStringLiteral("XT")});
    setupSeparatorAxis(xt.xAxis2, 0.5);
    xt.xAxis2->grid()->setVisible(false);
    xt.yAxis->setVisible(false);
    xt.yAxis->setRangeReversed(true);
    xt.yAxis->grid()->setVisible(false);
    setupScoreAxis(xt.yAxis2, QStringLiteral("% boljših rezultatov - XT"));
    xt.yAxis2->grid()->setVisible(true);
    xt.yAxis2->grid()->setPen(QPen(QColor(120, 120, 120), 1, Qt::DashDotLine));
    auto* xtLine = new QCPItemStraightLine(&xt);
    xtLine->setPen(QPen(Qt::black, 2));
    xtLine->point1->setAxes(xt.xAxis, xt.yAxis2);
    xtLine->point2->setAxes(xt.xAxis, xt.yAxis2);
    xtLine->point1->setCoords(0, ChartBase);
    xtLine->point2->setCoords(1, ChartBase);
    xt.xAxis->setRange(0.5, 1.5);
}

void alignXtChart(QCustomPlot& main, QCustomPlot& xt)
{
    main.plotLayout()->update(QCPLayoutElement::upPreparation);
    main.plotLayout()->update(QCPLayoutElement::upMargins);
    main.plotLayout()->update(QCPLayoutElement::upLayout);
    const int top = main.axisRect()->rect().top();
    xt.axisRect()->setAutoMargins(QCP::msLeft | QCP::msRight | QCP::msBottom);
    xt.axisRect()->setMargins(QMargins(0, std::max(0, top), 0, 0));
    xt.axisRect()->setMinimumMargins(QMargins(4, 0, 0, 0));
}

void drawAnalysisCharts(QCustomPlot& main, QCustomPlot& xt, const ChartModel& model,
                        const EvaluationBands& bands)
{
    setupAnalysisCharts(main, xt);
    main.legend->clearItems();
    main.clearPlottables();
    xt.clearPlottables();
    for (QCustomPlot* p : {&main, &xt}) {
        // Bar groups are owned by the plot; remove the previous build's.
        for (QCPBarsGroup* g : p->findChildren<QCPBarsGroup*>())
            delete g;
    }
    if (QCPTextElement* title = titleElement(main))
        title->setText(model.title);

    const int n = static_cast<int>(model.series.size());
    const double slot = n > 0 ? 0.92 / n : 0.92;
    const double barWidth = slot * model.barWidthPercent / 100.0;
    auto* group = new QCPBarsGroup(&main);
    group->setSpacingType(QCPBarsGroup::stPlotCoords);
    group->setSpacing(slot - barWidth);
    auto* xtGroup = new QCPBarsGroup(&xt);
    xtGroup->setSpacingType(QCPBarsGroup::stPlotCoords);
    xtGroup->setSpacing(slot - barWidth);

    QVector<double> keys;
    for (int t = 1; t <= TestCount; ++t)
        keys << t;
    for (const ChartSeries& s : model.series) {
        auto* bars = new QCPBars(main.xAxis, main.yAxis);
        bars->setName(s.title);
        bars->setBaseValue(ChartBase);
        bars->setWidthType(QCPBars::wtPlotCoords);
        bars->setWidth(barWidth);
        QVector<double> values;
        for (double v : s.values)
            values << v - ChartBase;
        bars->setData(keys, values, true);
        const QColor edge = s.colour.darker(140);
        bars->setPen(QPen(edge, 0.5));
        bars->setBrush(s.colour);
        bars->setBarsGroup(group);

        auto* xtBars = new QCPBars(xt.xAxis, xt.yAxis);
        xtBars->setName(QString());
        xtBars->removeFromLegend();
        xtBars->setBaseValue(ChartBase);
        xtBars->setWidthType(QCPBars::wtPlotCoords);
        xtBars->setWidth(barWidth);
        xtBars->setData({1.0}, {s.xtValue - ChartBase}, true);
        xtBars->setPen(QPen(edge, 0.5));
        xtBars->setBrush(s.colour);
        xtBars->setBarsGroup(xtGroup);
    }
    // As many years in a legend row as the chart's width holds.
    const QFontMetrics legendMetrics(main.legend->font());
    const int itemWidth = 14 + 10 + 8 + legendMetrics.horizontalAdvance(QStringLiteral("0000"));
    const int perRow = std::max(1, (std::max(main.width(), 300) - 80) / itemWidth);
    main.legend->setWrap(std::max(1, std::min(n, perRow)));
    main.legend->setFillOrder(QCPLayoutGrid::foColumnsFirst, true);

    const double margin = TestCount * model.marginPercent / 100.0;
    main.xAxis->setRange(0.5 - margin, TestCount + 0.5 + margin);
    main.xAxis2->setRange(main.xAxis->range());

    const int step = tickStepFor(model.axisMin, model.axisMax);
    auto tScores = QSharedPointer<ScoreTicker>::create([](int x) { return QString::number(x); });
    auto tPercent = QSharedPointer<ScoreTicker>::create([bands](int x) { return bands.PercentBetterT(x); });
    auto xtPercent = QSharedPointer<ScoreTicker>::create([bands](int x) { return bands.PercentBetterXT(x); });
    for (const auto& ticker : {tScores, tPercent, xtPercent})
        ticker->setTickStep(step);
    main.yAxis->setTicker(tScores);
    main.yAxis2->setTicker(tPercent);
    xt.yAxis2->setTicker(xtPercent);
    for (QCPAxis* axis : {main.yAxis, main.yAxis2, xt.yAxis, xt.yAxis2})
        axis->setRange(model.axisMin, model.axisMax);

    main.replot();
    alignXtChart(main, xt);
    xt.replot();
}

} // namespace gibomer

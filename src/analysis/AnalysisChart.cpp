// Chart series, colours and ranges of an analysis, from the rows of A_PVRE.
#include "analysis/AnalysisChart.h"

#include "core/Dataset.h"
#include "core/TestTables.h"
#include "scoring/TScore.h"

#include <cmath>

namespace gibomer {

namespace {

const std::array<QColor, 16> Palette = {
    QColor(255, 0, 0),     QColor(0, 128, 0),     QColor(255, 255, 0), QColor(0, 0, 255),
    QColor(255, 255, 255), QColor(128, 128, 128), QColor(255, 0, 255), QColor(0, 128, 128),
    QColor(0, 0, 128),     QColor(128, 0, 0),     QColor(0, 255, 0),   QColor(128, 128, 0),
    QColor(128, 0, 128),   QColor(192, 192, 192), QColor(0, 255, 255), QColor(0, 0, 0)};

// A T-score as the chart reads it: empty is 0, and so is anything that
// rounds to 0 (a pupil's stored 0 arrives as 0.01), meaning "no score".
double chartScore(const QVariant& v)
{
    const double d = v.isNull() ? 0.0 : v.toDouble();
    return std::abs(d) < 0.5 ? 0.0 : d;
}

} // namespace

QColor seriesColour(int year)
{
    const QColor c = Palette[static_cast<size_t>((year - 1) % 16)];
    if (c == QColor(255, 255, 0))
        return QColor(128, 0, 0);
    if (c == QColor(255, 255, 255))
        return QColor(0, 0, 0);
    return c;
}

double barWidthFor(int rows)
{
    return (rows == 5 || rows == 6 || rows == 8 || rows == 9) ? 93.0 : 98.0;
}

AxisRange axisRangeFor(double foundMin, double foundMax, bool adapt)
{
    if (!adapt)
        return {};
    const double half = std::max(foundMax - ChartBase, ChartBase - foundMin);
    const double max = roundHalfEven(half * 0.2 + ChartBase + half);
    if (max <= ChartBase)
        return {}; // nothing away from 50: a collapsed axis would show nothing
    return {ChartBase - (max - ChartBase), max};
}

ChartModel buildChartModel(const Dataset& pvre, const QString& title, bool adaptRange, bool showReferences)
{
    ChartModel model;
    model.title = title;
    model.showReferences = showReferences;
    double foundMax = ChartBase, foundMin = ChartBase;
    const int rows = pvre.rowCount();
    const int yearColumn = pvre.fieldIndex(QStringLiteral("LETO_MERITVE"));
    const int xtColumn = pvre.fieldIndex(QStringLiteral("XT"));
    std::array<int, TestCount> scoreColumns{};
    for (int t = 1; t <= TestCount; ++t)
        scoreColumns[t - 1] = pvre.fieldIndex(QString::fromLatin1(TestCodes[t]) + QLatin1Char('T'));

    for (int r = 0; r < rows; ++r) {
        ChartSeries s;
        const QVariant year = pvre.value(r, yearColumn);
        s.year = year.toInt();
        s.title = year.isNull() ? QString() : QString::number(s.year);
        for (int t = 0; t < TestCount; ++t) {
            const double v = chartScore(pvre.value(r, scoreColumns[t]));
            if (v > 0) {
                foundMax = std::max(foundMax, v);
                foundMin = std::min(foundMin, v);
            }
            s.values[t] = v == 0 ? ChartBase : v;
        }
        s.xt = chartScore(pvre.value(r, xtColumn));
        s.xtValue = s.xt != 0 ? 100.0 - s.xt : ChartBase;
        s.colour = seriesColour(r + 1);
        model.series.push_back(std::move(s));
    }
    model.barWidthPercent = barWidthFor(rows);
    model.marginPercent = rows > 7 ? 6 : 5;
    const AxisRange range = axisRangeFor(foundMin, foundMax, adaptRange);
    model.axisMin = range.min;
    model.axisMax = range.max;
    return model;
}

bool isColouredGridField(const QString& field)
{
    if (field.compare(QLatin1String("LETO_MERITVE"), Qt::CaseInsensitive) == 0)
        return true;
    return field.endsWith(QLatin1Char('T'), Qt::CaseSensitive) && field != QLatin1String("ATT") &&
           field != QLatin1String("DT");
}

std::optional<QColor> gridCellColour(const ChartModel& model, const QString& field, const QString& yearText)
{
    if (!isColouredGridField(field))
        return std::nullopt;
    for (const ChartSeries& s : model.series) {
        if (s.title == yearText)
            return s.colour;
    }
    return std::nullopt;
}

std::array<GridWidth, 24> analysisGridWidths(int screenWidth)
{
    std::array<GridWidth, 24> w{};
    if (screenWidth == 800) {
        for (int i = 1; i <= 22; ++i)
            w[i] = {29, true};
        w[0] = {5, false};
        w[23] = {16, false};
    } else if (screenWidth > 800) {
        w[0] = {8, false};
        w[1] = w[2] = {6, false};
        w[23] = {15, false};
        for (int i : {6, 8, 10, 12, 14, 16, 18, 20})
            w[i] = {6, false};
    }
    return w;
}

} // namespace gibomer

// The numbers of an analysis chart, apart from any drawing: one series per
// year with its eleven T-score bars and its XT bar, the series colours, bar
// width, margins and the vertical range. The view, the printed report and
// the command-line report all draw this same value.
#pragma once

#include <QColor>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace gibomer {

class Dataset;

inline constexpr double ChartBase = 50.0; // the mean T-score the bars stand on

struct ChartSeries
{
    QString title; // the year, shown in the legend
    int year = 0;
    // T-scores of the eleven tests in test order; a missing score is drawn as 50.
    std::array<double, 11> values{};
    // 100 - XT, or 50 without XT: the XT chart's axis runs downwards, so this
    // stands at the height of XT.
    double xtValue = ChartBase;
    // XT itself (0 when empty), for drawing on an upright axis.
    double xt = 0;
    QColor colour;
};

struct ChartModel
{
    QString title;
    std::vector<ChartSeries> series;
    double barWidthPercent = 98; // of the width each bar has
    int marginPercent = 5;       // left and right margin of the main chart
    double axisMin = 12, axisMax = 88;
    bool showReferences = true;
};

// The default palette in order; year i (from 1) takes entry (i - 1) mod 16,
// with yellow shown as maroon and white as black.
QColor seriesColour(int year);

// Bar width in percent for this many rows.
double barWidthFor(int rows);

// The vertical range for the T-scores found (0 when none): the fixed 12..88,
// or, adapted, symmetric about 50 and a fifth wider than the largest
// distance from 50, rounded half to even. A range that collapses onto 50
// (no T-score away from 50) falls back to the fixed one.
struct AxisRange
{
    double min = 12, max = 88;
};
AxisRange axisRangeFor(double foundMin, double foundMax, bool adapt);

// Turns the rows of an open analysis dataset into the chart model.
ChartModel buildChartModel(const Dataset& pvre, const QString& title, bool adaptRange, bool showReferences);

// The analysis grid colours the year, every T-score column and XT of a row
// (a field whose name ends in a capital T, but not the raw ATT and DT).
bool isColouredGridField(const QString& field);
// The colour of a grid cell: that of the series titled with the row's year.
std::optional<QColor> gridCellColour(const ChartModel& model, const QString& field, const QString& yearText);

// Widths of the analysis grid's 24 columns for a screen width: characters,
// or pixels where pixels is set.
struct GridWidth
{
    int value = 5;
    bool pixels = false;
};
std::array<GridWidth, 24> analysisGridWidths(int screenWidth);

} // namespace gibomer

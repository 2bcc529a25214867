// Draws an analysis chart model into the two charts: the main chart with
// one group of eleven T-score bars per year and the narrow XT chart beside
// it. Used by the analysis view and by the printed reports, which render the
// same plots into their pages.
#pragma once

#include "analysis/AnalysisChart.h"
#include "analysis/PercentBetter.h"

class QCustomPlot;

namespace gibomer {

// Gives both charts their fixed look (title, legend at the top, axes and
// their titles, the line at 50) once; drawAnalysisCharts calls it itself.
void setupAnalysisCharts(QCustomPlot& mainChart, QCustomPlot& xtChart);

// Replaces the bars, title, range and percent-better labels, and replots.
void drawAnalysisCharts(QCustomPlot& mainChart, QCustomPlot& xtChart, const ChartModel& model,
                        const EvaluationBands& bands);

// Puts the XT chart's plot at the height of the main chart's plot (both
// charts side by side at the same top), after the main chart's layout.
void alignXtChart(QCustomPlot& mainChart, QCustomPlot& xtChart);

// The whole-number tick step of the T-score axes for a range.
int tickStepFor(double axisMin, double axisMax);

} // namespace gibomer

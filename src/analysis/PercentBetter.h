// The percent-better labels of the analysis charts' right-hand axes: for a
// score, the percentage of results better than it, read from the
// evaluation bands (T_VREDNOTENJE) by linear interpolation.
#pragma once

#include <QString>
#include <utility>
#include <vector>

namespace gibomer {

class Dataset;

// Rows (score C, BOLJSI) in ascending BOLJSI order.
using BandRows = std::vector<std::pair<double, double>>;

// The label for the whole-number score x: "100" below the first row,
// 100 - BOLJSI interpolated between rows, 100 - the last BOLJSI at or above
// the last row; one decimal with a comma, at most three significant digits.
QString PercentBetter(const BandRows& rows, int x);

// The two columns of the evaluation bands as read for the labels. A read
// error (the bands not open, a column missing) makes every label "0".
struct EvaluationBands
{
    BandRows t;
    BandRows xt;
    bool readError = false;

    QString PercentBetterT(int x) const;
    QString PercentBetterXT(int x) const;
};

EvaluationBands readEvaluationBands(const Dataset& vrednotenje);

// Over the open dataset directly (dm.A_VREDNOTENJE()).
QString PercentBetterT(const Dataset& vrednotenje, int x);
QString PercentBetterXT(const Dataset& vrednotenje, int x);

// Fixed-point with one decimal after rounding to three significant digits.
QString formatPercent(double value);

} // namespace gibomer

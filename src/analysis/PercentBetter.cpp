// Percent-better labels from the evaluation bands.
#include "analysis/PercentBetter.h"

#include "core/Dataset.h"
#include "core/Formats.h"

#include <cmath>

namespace gibomer {

QString formatPercent(double value)
{
    if (value != 0 && std::isfinite(value)) {
        const int digitsBefore = static_cast<int>(std::floor(std::log10(std::abs(value)))) + 1;
        const double scale = std::pow(10.0, 3 - digitsBefore);
        value = std::round(value * scale) / scale;
    }
    return formatFixed(value, 1);
}

QString PercentBetter(const BandRows& rows, int x)
{
    if (rows.empty())
        return formatPercent(100.0); // as if the last BOLJSI were 0
    size_t i = 0;
    while (i < rows.size() && !(rows[i].first > x))
        ++i;
    if (i == rows.size())
        return formatPercent(100.0 - rows.back().second);
    const auto [c1, b1] = rows[i];
    const auto [c0, b0] = rows[i == 0 ? 0 : i - 1];
    if (c1 - c0 == 0)
        return QStringLiteral("100");
    return formatPercent(100.0 - (b0 + (b1 - b0) * (x - c0) / (c1 - c0)));
}

namespace {

BandRows readColumn(const Dataset& d, const QString& column, bool& error)
{
    BandRows rows;
    const int c = d.fieldIndex(column);
    const int b = d.fieldIndex(QStringLiteral("BOLJSI"));
    if (!d.isOpen() || c < 0 || b < 0) {
        error = true;
        return rows;
    }
    for (int r = 0; r < d.rowCount(); ++r)
        rows.emplace_back(d.value(r, c).toDouble(), d.value(r, b).toDouble());
    return rows;
}

} // namespace

EvaluationBands readEvaluationBands(const Dataset& vrednotenje)
{
    EvaluationBands bands;
    bands.t = readColumn(vrednotenje, QStringLiteral("T"), bands.readError);
    bands.xt = readColumn(vrednotenje, QStringLiteral("XT"), bands.readError);
    return bands;
}

QString EvaluationBands::PercentBetterT(int x) const
{
    return readError ? QStringLiteral("0") : PercentBetter(t, x);
}

QString EvaluationBands::PercentBetterXT(int x) const
{
    return readError ? QStringLiteral("0") : PercentBetter(xt, x);
}

QString PercentBetterT(const Dataset& vrednotenje, int x)
{
    return readEvaluationBands(vrednotenje).PercentBetterT(x);
}

QString PercentBetterXT(const Dataset& vrednotenje, int x)
{
    return readEvaluationBands(vrednotenje).PercentBetterXT(x);
}

} // namespace gibomer

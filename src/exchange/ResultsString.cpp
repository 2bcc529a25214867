#include "exchange/ResultsString.h"

#include "core/Errors.h"

namespace gibomer {

int ParseResultField(const QString& text)
{
    if (text.isEmpty() || text.back() == QLatin1Char(' '))
        return -1;
    QString digits = text;
    digits.replace(QLatin1Char(' '), QLatin1Char('0'));
    // decimal digits with an optional leading sign, nothing else
    bool wellFormed = !digits.isEmpty();
    for (qsizetype i = 0; i < digits.size() && wellFormed; ++i) {
        const QChar c = digits[i];
        const bool sign = i == 0 && (c == QLatin1Char('+') || c == QLatin1Char('-'));
        wellFormed = sign || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
    }
    bool ok = false;
    const int value = wellFormed ? digits.toInt(&ok) : 0;
    if (!ok)
        throw ConversionError(QStringLiteral("'%1' ni veljavna celoštevilska vrednost").arg(text));
    return value;
}

ResultFields CutResultsString(const QString& meritve)
{
    ResultFields fields;
    qsizetype at = 0;
    for (int i = 1; i <= TestCount; ++i) {
        fields[i] = meritve.mid(at, TestWidths[i]);
        at += TestWidths[i];
    }
    return fields;
}

QString PackResultsFromCells(const QStringList& cells)
{
    QString packed;
    for (int i = 1; i <= TestCount; ++i) {
        const int width = TestWidths[i];
        packed += cells.value(i - 1).left(width).rightJustified(width, QLatin1Char(' '));
    }
    return packed;
}

QByteArray PackResultsFromExchangeLine(const QByteArray& line)
{
    return line.mid(41, 32);
}

} // namespace gibomer

#include "core/Formats.h"

#include <QRegularExpression>
#include <cmath>

namespace gibomer {

QLocale programLocale()
{
    // Slovenian has exactly the separators the program wants: "," and ".".
    QLocale locale(QLocale::Slovenian, QLocale::Slovenia);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

void applyProgramFormats()
{
    QLocale::setDefault(programLocale());
}

QString formatDate(const QDate& date)
{
    if (!date.isValid())
        return {};
    return date.toString(QString::fromLatin1(DateFormat));
}

int expandTwoDigitYear(int twoDigits)
{
    return twoDigits >= 50 ? 1900 + twoDigits : 2000 + twoDigits;
}

std::optional<QDate> parseDate(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,2})\\.(\\d{1,2})\\.(\\d{1,4})\\s*$"));
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int day = match.captured(1).toInt();
    const int month = match.captured(2).toInt();
    int year = match.captured(3).toInt();
    if (match.captured(3).size() <= 2)
        year = expandTwoDigitYear(year);
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString formatFixed(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.startsWith(QLatin1Char('-')) && text.count(QLatin1Char('0')) == text.size() - 1 - (decimals > 0))
        text.remove(0, 1); // no "-0,0"
    return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

QString formatGeneral(double value)
{
    return QString::number(value, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
}

std::optional<double> parseNumber(const QString& text)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> parseInteger(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^ *[+-]?\\d+$"));
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

QDate serialEpoch()
{
    return QDate(1899, 12, 30);
}

QDate dateFromSerial(double serial)
{
    return serialEpoch().addDays(static_cast<qint64>(std::floor(serial)));
}

double serialFromDate(const QDate& date)
{
    if (!date.isValid())
        return 0;
    return static_cast<double>(serialEpoch().daysTo(date));
}

} // namespace gibomer

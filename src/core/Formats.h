// The program's own date and number formats ("dd.mm.yyyy", decimal comma,
// thousands dot), in force whatever the user's regional settings are.
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <optional>

namespace gibomer {

// The locale with the program's separators; made the process default at start.
QLocale programLocale();
void applyProgramFormats();

inline constexpr const char* DateFormat = "dd.MM.yyyy";

QString formatDate(const QDate& date);
// Reads "d.m.yyyy" (one or two digits for day and month). Two-digit years are
// read in the century window that starts at 1950.
std::optional<QDate> parseDate(const QString& text);
int expandTwoDigitYear(int twoDigits);

// Fixed decimals with the decimal comma ("#0" is 0 decimals, "#0.0" one).
QString formatFixed(double value, int decimals);
// The general number-to-text form: no trailing zeros, decimal comma (12.5 -> "12,5", 1995 -> "1995").
QString formatGeneral(double value);
// Accepts a decimal comma; blanks around the number are allowed.
std::optional<double> parseNumber(const QString& text);
// Decimal digits with an optional sign and leading blanks; nothing else.
std::optional<int> parseInteger(const QString& text);

// Day serials count days from 30 December 1899 (serial 0, the empty birth date).
QDate serialEpoch();
QDate dateFromSerial(double serial);
double serialFromDate(const QDate& date);

} // namespace gibomer

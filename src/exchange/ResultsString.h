// The results string MERITVE: the eleven raw results of one staged record,
// packed into fixed-width fields by TestWidths, with no separators.
#pragma once

#include "core/TestTables.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

namespace gibomer {

// Eleven texts indexed 1..11 by the test number; entry 0 is unused.
using ResultFields = std::array<QString, TestCount + 1>;

// The value of one field: -1 for no result (empty, a trailing blank, or -1
// itself); otherwise blanks count as zeros. A field that still does not read
// as a whole number throws ConversionError.
int ParseResultField(const QString& text);

// Cuts the string from the front, TestWidths[i] characters for test i; a
// short string leaves the last fields short or empty.
ResultFields CutResultsString(const QString& meritve);

// Field i is cells[i - 1] right-aligned in TestWidths[i] characters (blanks in
// front), cut to its first TestWidths[i] characters when longer. Missing
// cells are empty fields.
QString PackResultsFromCells(const QStringList& cells);

// Characters 42..73 of an exchange line (the results and the two year digits).
QByteArray PackResultsFromExchangeLine(const QByteArray& line);

} // namespace gibomer

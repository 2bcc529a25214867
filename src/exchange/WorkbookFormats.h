// The readers of the two workbook formats, behind readWorkbook().
#pragma once

#include "exchange/Workbook.h"

#include <QByteArray>
#include <optional>

namespace gibomer::workbook {

std::vector<WorkbookSheet> readXlsx(const QString& path);
std::vector<WorkbookSheet> readXls(const QString& path);

// The cached result of a formula cell of an .xls, by sheet name.
struct FormulaCell
{
    QString sheet;
    int row = 0, column = 0; // from 1
    QString text;
};
// Empty when the file is not a compound file with a workbook stream.
std::vector<FormulaCell> readXlsFormulas(const QByteArray& file);

// Messages shared by the readers.
QString notWorkbookMessage(const QString& path);
QString damagedMessage(const QString& path);
QString passwordMessage(const QString& path);

// A day serial (days since 30.12.1899, a fraction for the time of day) of
// an ISO date or date-time text as the readers meet it; nullopt when it is none.
std::optional<double> serialFromIsoText(const QString& text);

} // namespace gibomer::workbook

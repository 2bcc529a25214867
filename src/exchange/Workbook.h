// Spreadsheet workbooks as plain data: every cell is read as the text the
// program works with, and written as text. Reads .xlsx and legacy .xls.
#pragma once

#include "core/Errors.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace gibomer {

// A workbook that cannot be read (not a workbook, damaged, password-protected)
// or written. The message is meant for the user.
class WorkbookError : public AppError
{
public:
    using AppError::AppError;
};

// One sheet: its name and the texts of its non-empty cells, rows and columns
// counted from 1 as the user sees them.
class WorkbookSheet
{
public:
    WorkbookSheet() = default;
    explicit WorkbookSheet(QString name) : m_name(std::move(name)) {}

    QString name() const { return m_name; }
    // Empty for a cell that holds nothing.
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);
    // The last row that holds a non-empty cell; 0 for an empty sheet.
    int lastRow() const { return m_lastRow; }
    // Visits the non-empty cells in no particular order.
    void forEachCell(const std::function<void(int row, int column, const QString& text)>& visit) const;

private:
    static quint64 key(int row, int column) { return (quint64(quint32(row)) << 32) | quint32(column); }

    QString m_name;
    QHash<quint64, QString> m_cells;
    int m_lastRow = 0;
};

// The sheets in the workbook's order. The format is told by the content,
// not by the file's name. Throws WorkbookError.
std::vector<WorkbookSheet> readWorkbook(const QString& path);

// Writes an .xlsx with the sheets in the given order, every cell as text.
// The file is replaced only when the whole workbook has been written.
// Throws WorkbookError (a refused or repeated sheet name, a failed write).
void writeWorkbook(const QString& path, const std::vector<WorkbookSheet>& sheets,
                   const std::vector<double>& columnWidths = {});

// The text of a number cell: a whole number without decimals ("1995", 5.0
// gives "5"), a fraction with the decimal comma ("15,5").
QString numberCellText(double value);

// Why a spreadsheet program would refuse the name of a sheet (too long, a
// character it does not allow); empty for a good name.
QString sheetNameProblem(const QString& name);

// The first name that occurs twice, compared as the spreadsheet programs
// compare sheet names (letter case ignored); empty when all differ.
QString repeatedSheetName(const QStringList& names);

} // namespace gibomer

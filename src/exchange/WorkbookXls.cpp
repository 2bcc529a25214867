// Reading legacy .xls workbooks. The library gives dates as ISO text; they are
// turned back into day serials so that both formats read a cell alike. It
// skips formula cells, whose cached results are read on their own.
#include "exchange/WorkbookFormats.h"

#include <QFile>
#include <freexl.h>

namespace gibomer::workbook {

namespace {

class XlsHandle
{
public:
    ~XlsHandle()
    {
        if (m_handle)
            freexl_close(m_handle);
    }
    const void** out() { return &m_handle; }
    const void* get() const { return m_handle; }

private:
    const void* m_handle = nullptr;
};

void check(int rc, const QString& path, const char* what)
{
    if (rc != FREEXL_OK)
        throw WorkbookError(damagedMessage(path), QStringLiteral("%1: %2").arg(QLatin1String(what)).arg(rc));
}

QString cellText(const FreeXL_CellValue& value)
{
    switch (value.type) {
    case FREEXL_CELL_INT:
        return numberCellText(value.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return numberCellText(value.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        return QString::fromUtf8(value.value.text_value);
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME: {
        const QString text = QString::fromUtf8(value.value.text_value);
        const auto serial = serialFromIsoText(text);
        return serial ? numberCellText(*serial) : text;
    }
    default:
        return {};
    }
}

} // namespace

std::vector<WorkbookSheet> readXls(const QString& path)
{
    XlsHandle handle;
    const int opened = freexl_open(QFile::encodeName(path).constData(), handle.out());
    if (opened == FREEXL_BIFF_WORKBOOK_NOT_FOUND)
        throw WorkbookError(notWorkbookMessage(path));
    check(opened, path, "open");

    unsigned int info = 0;
    if (freexl_get_info(handle.get(), FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK &&
        info == FREEXL_BIFF_OBFUSCATED)
        throw WorkbookError(passwordMessage(path));
    unsigned int count = 0;
    check(freexl_get_info(handle.get(), FREEXL_BIFF_SHEET_COUNT, &count), path, "sheet count");

    std::vector<WorkbookSheet> sheets;
    for (unsigned short index = 0; index < count; ++index) {
        const char* name = nullptr;
        check(freexl_get_worksheet_name(handle.get(), index, &name), path, "sheet name");
        WorkbookSheet sheet(QString::fromUtf8(name ? name : ""));
        check(freexl_select_active_worksheet(handle.get(), index), path, "select sheet");
        unsigned int rows = 0;
        unsigned short columns = 0;
        check(freexl_worksheet_dimensions(handle.get(), &rows, &columns), path, "dimensions");
        for (unsigned int r = 0; r < rows; ++r) {
            for (unsigned short c = 0; c < columns; ++c) {
                FreeXL_CellValue value;
                check(freexl_get_cell_value(handle.get(), r, c, &value), path, "cell");
                sheet.setCell(int(r) + 1, int(c) + 1, cellText(value));
            }
        }
        sheets.push_back(std::move(sheet));
    }

    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        for (const FormulaCell& formula : readXlsFormulas(file.readAll())) {
            for (WorkbookSheet& sheet : sheets) {
                if (sheet.name() == formula.sheet && sheet.cell(formula.row, formula.column).isEmpty())
                    sheet.setCell(formula.row, formula.column, formula.text);
            }
        }
    }
    return sheets;
}

} // namespace gibomer::workbook

// Writing .xlsx. The workbook goes to a temporary file beside the target and
// replaces it only when complete, so a failed write leaves no broken file.
#include "exchange/Workbook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <xlsxwriter.h>

namespace gibomer {

namespace {

QString writeFailed(const QString& path)
{
    return QStringLiteral("Delovnega zvezka %1 ni mogoče zapisati.").arg(QDir::toNativeSeparators(path));
}

QString lxwText(lxw_error error)
{
    return QString::fromUtf8(lxw_strerror(error));
}

// Fills an open workbook; throws on the first refusal.
void fill(lxw_workbook* book, const std::vector<WorkbookSheet>& sheets, const std::vector<double>& widths)
{
    for (const WorkbookSheet& sheet : sheets) {
        const QByteArray name = sheet.name().toUtf8();
        const lxw_error valid = workbook_validate_sheet_name(book, name.constData());
        if (valid != LXW_NO_ERROR) {
            throw WorkbookError(
                QStringLiteral("Ime lista '%1' ni dovoljeno v delovnem zvezku.").arg(sheet.name()),
                lxwText(valid));
        }
        lxw_worksheet* ws = workbook_add_worksheet(book, name.constData());
        if (!ws)
            throw WorkbookError(
                QStringLiteral("Ime lista '%1' ni dovoljeno v delovnem zvezku.").arg(sheet.name()));
        for (size_t c = 0; c < widths.size(); ++c)
            worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
        lxw_error failure = LXW_NO_ERROR;
        sheet.forEachCell([&](int row, int column, const QString& text) {
            if (failure != LXW_NO_ERROR)
                return;
            failure = worksheet_write_string(ws, lxw_row_t(row - 1), lxw_col_t(column - 1),
                                             text.toUtf8().constData(), nullptr);
        });
        if (failure != LXW_NO_ERROR)
            throw WorkbookError(QStringLiteral("Lista '%1' ni mogoče zapisati.").arg(sheet.name()),
                                lxwText(failure));
    }
}

} // namespace

void writeWorkbook(const QString& path, const std::vector<WorkbookSheet>& sheets,
                   const std::vector<double>& columnWidths)
{
    QStringList names;
    for (const auto& sheet : sheets)
        names << sheet.name();
    const QString repeated = repeatedSheetName(names);
    if (!repeated.isEmpty())
        throw WorkbookError(
            QStringLiteral("Delovni zvezek ne more imeti dveh listov z imenom '%1'.").arg(repeated));
    if (sheets.empty())
        throw WorkbookError(QStringLiteral("Delovni zvezek brez listov ni mogoč."));

    const QFileInfo target(path);
    QTemporaryFile temporary(target.absolutePath() + QStringLiteral("/.gibomer-XXXXXX.xlsx"));
    if (!temporary.open())
        throw WorkbookError(writeFailed(path), temporary.errorString());
    const QString temporaryPath = temporary.fileName();
    temporary.close();

    lxw_workbook* book = workbook_new(QFile::encodeName(temporaryPath).constData());
    if (!book)
        throw WorkbookError(writeFailed(path));
    try {
        fill(book, sheets, columnWidths);
    } catch (...) {
        workbook_close(book); // frees it; the temporary file is removed below
        throw;
    }
    const lxw_error closed = workbook_close(book);
    if (closed != LXW_NO_ERROR)
        throw WorkbookError(writeFailed(path), lxwText(closed));

    std::error_code error;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(temporaryPath).toStdString()),
                            std::filesystem::path(QFile::encodeName(target.absoluteFilePath()).toStdString()),
                            error);
    if (error)
        throw WorkbookError(writeFailed(path), QString::fromStdString(error.message()));
    temporary.setAutoRemove(false);
    // The temporary file was private to the user; the workbook is an ordinary file.
    QFile::setPermissions(target.absoluteFilePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                         QFileDevice::ReadUser | QFileDevice::WriteUser |
                                                         QFileDevice::ReadGroup | QFileDevice::ReadOther);
}

} // namespace gibomer

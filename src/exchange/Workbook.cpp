// Common parts of the workbook readers and the writer: cells, the cell-text
// rule, and telling the formats apart.
#include "exchange/Workbook.h"

#include "core/Formats.h"
#include "exchange/WorkbookFormats.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <cmath>

namespace gibomer {

QString WorkbookSheet::cell(int row, int column) const
{
    return m_cells.value(key(row, column));
}

void WorkbookSheet::setCell(int row, int column, const QString& text)
{
    if (text.isEmpty()) {
        m_cells.remove(key(row, column));
        return;
    }
    m_cells.insert(key(row, column), text);
    m_lastRow = std::max(m_lastRow, row);
}

void WorkbookSheet::forEachCell(const std::function<void(int, int, const QString&)>& visit) const
{
    for (auto it = m_cells.cbegin(); it != m_cells.cend(); ++it)
        visit(int(it.key() >> 32), int(it.key() & 0xffffffffu), it.value());
}

QString numberCellText(double value)
{
    if (!std::isfinite(value))
        return {};
    if (value == 0)
        return QStringLiteral("0"); // also for -0
    return formatGeneral(value);
}

QString sheetNameProblem(const QString& name)
{
    if (name.isEmpty())
        return QStringLiteral("ime lista je prazno");
    if (name.size() > 31)
        return QStringLiteral("ime lista je daljše od 31 znakov");
    static const QString forbidden = QStringLiteral("[]:*?/\\");
    for (const QChar c : name) {
        if (forbidden.contains(c))
            return QStringLiteral("ime lista ne sme vsebovati znaka %1").arg(c);
    }
    if (name.startsWith(QLatin1Char('\'')) || name.endsWith(QLatin1Char('\'')))
        return QStringLiteral("ime lista se ne sme začeti ali končati z opuščajem");
    return {};
}

QString repeatedSheetName(const QStringList& names)
{
    QStringList seen;
    for (const QString& name : names) {
        const QString folded = name.toCaseFolded();
        if (seen.contains(folded))
            return name;
        seen << folded;
    }
    return {};
}

namespace workbook {

QString notWorkbookMessage(const QString& path)
{
    return QStringLiteral("Datoteka %1 ni delovni zvezek (.xlsx ali .xls).").arg(QFileInfo(path).fileName());
}

QString damagedMessage(const QString& path)
{
    return QStringLiteral("Delovni zvezek %1 je poškodovan in ga ni mogoče prebrati.")
        .arg(QFileInfo(path).fileName());
}

QString passwordMessage(const QString& path)
{
    return QStringLiteral(
               "Delovni zvezek %1 je zaščiten z geslom. Shranite ga brez gesla in ga uvozite znova.")
        .arg(QFileInfo(path).fileName());
}

std::optional<double> serialFromIsoText(const QString& text)
{
    const QString t = text.trimmed();
    const QDate date = QDate::fromString(t.left(10), Qt::ISODate);
    if (t.size() >= 10 && date.isValid()) {
        double serial = serialFromDate(date);
        if (t.size() > 10) {
            const QTime time = QTime::fromString(t.mid(11, 8), Qt::ISODate);
            if (!time.isValid())
                return std::nullopt;
            serial += time.msecsSinceStartOfDay() / 86400000.0;
        }
        return serial;
    }
    const QTime time = QTime::fromString(t, Qt::ISODate);
    if (time.isValid())
        return time.msecsSinceStartOfDay() / 86400000.0;
    return std::nullopt;
}

} // namespace workbook

std::vector<WorkbookSheet> readWorkbook(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw WorkbookError(QStringLiteral("Datoteke %1 ni mogoče odpreti.").arg(path), file.errorString());
    const QByteArray head = file.read(8);
    static const QByteArray zipMagic("PK\x03\x04", 4);
    static const QByteArray oleMagic("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    if (head.startsWith(zipMagic)) {
        file.close();
        return workbook::readXlsx(path);
    }
    if (head == oleMagic) {
        // A password-protected .xlsx is a compound file whose payload is the
        // stream "EncryptedPackage"; its directory names are UTF-16LE.
        const QByteArray all = head + file.readAll();
        file.close();
        const QString marker = QStringLiteral("EncryptedPackage");
        const QByteArray utf16(reinterpret_cast<const char*>(marker.utf16()), marker.size() * 2);
        if (all.contains(utf16))
            throw WorkbookError(workbook::passwordMessage(path));
        return workbook::readXls(path);
    }
    throw WorkbookError(workbook::notWorkbookMessage(path));
}

} // namespace gibomer

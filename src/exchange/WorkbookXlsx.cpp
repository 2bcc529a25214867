// Reading .xlsx: the package is a ZIP of XML parts. Only what the cell texts
// need is read: the sheet list, the shared strings and the cells' values
// (the cached value of a formula cell; styles are not read, so a date is its
// day serial).
#include "exchange/WorkbookFormats.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <memory>
#include <zip.h>

namespace gibomer::workbook {

namespace {

// A member larger than this is not a sheet of a workbook the program reads.
constexpr zip_uint64_t MaxMemberSize = 512ull * 1024 * 1024;

struct ZipCloser
{
    void operator()(zip_t* zip) const { zip_discard(zip); }
};
using ZipHandle = std::unique_ptr<zip_t, ZipCloser>;

class Package
{
public:
    explicit Package(const QString& path) : m_path(path)
    {
        int error = 0;
        m_zip.reset(zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error));
        if (!m_zip) {
            zip_error_t ze;
            zip_error_init_with_code(&ze, error);
            const QString details = QString::fromUtf8(zip_error_strerror(&ze));
            zip_error_fini(&ze);
            throw WorkbookError(damagedMessage(path), details);
        }
    }

    bool has(const QString& name) const
    {
        return zip_name_locate(m_zip.get(), name.toUtf8().constData(), 0) >= 0;
    }

    // The member's bytes; an empty array for a missing optional member.
    QByteArray read(const QString& name, bool required) const
    {
        const QByteArray utf8 = name.toUtf8();
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat(m_zip.get(), utf8.constData(), 0, &st) != 0) {
            if (required)
                throw WorkbookError(damagedMessage(m_path), QStringLiteral("missing part %1").arg(name));
            return {};
        }
        if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE)
            throw WorkbookError(passwordMessage(m_path));
        if (!(st.valid & ZIP_STAT_SIZE) || st.size > MaxMemberSize)
            throw WorkbookError(damagedMessage(m_path), QStringLiteral("part %1 too large").arg(name));
        zip_file_t* file = zip_fopen(m_zip.get(), utf8.constData(), 0);
        if (!file)
            throw WorkbookError(damagedMessage(m_path), QString::fromUtf8(zip_strerror(m_zip.get())));
        QByteArray data(static_cast<qsizetype>(st.size), Qt::Uninitialized);
        const zip_int64_t got = zip_fread(file, data.data(), st.size);
        const QString details = got < 0 ? QString::fromUtf8(zip_file_strerror(file)) : QString();
        zip_fclose(file);
        if (got < 0 || zip_uint64_t(got) != st.size)
            throw WorkbookError(damagedMessage(m_path),
                                details.isEmpty() ? QStringLiteral("short read") : details);
        return data;
    }

    QString path() const { return m_path; }

private:
    QString m_path;
    ZipHandle m_zip;
};

void throwIfBroken(const QXmlStreamReader& xml, const Package& package, const QString& part)
{
    if (xml.hasError())
        throw WorkbookError(
            damagedMessage(package.path()),
            QStringLiteral("%1: %2 (line %3)").arg(part, xml.errorString()).arg(xml.lineNumber()));
}

// The folder of a part, for resolving relative targets ("xl" for "xl/workbook.xml").
QString folderOf(const QString& part)
{
    const int slash = part.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : part.left(slash);
}

QString resolveTarget(const QString& fromFolder, const QString& target)
{
    if (target.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(target.mid(1));
    return QDir::cleanPath(fromFolder.isEmpty() ? target : fromFolder + QLatin1Char('/') + target);
}

QString relsPartOf(const QString& part)
{
    const QString folder = folderOf(part);
    const QString file = part.mid(folder.isEmpty() ? 0 : folder.size() + 1);
    return (folder.isEmpty() ? QString() : folder + QLatin1Char('/')) + QStringLiteral("_rels/") + file +
           QStringLiteral(".rels");
}

struct Relationship
{
    QString id, type, target;
};

std::vector<Relationship> readRelationships(const Package& package, const QString& relsPart)
{
    std::vector<Relationship> result;
    const QByteArray data = package.read(relsPart, false);
    if (data.isEmpty())
        return result;
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("Relationship")) {
            const auto a = xml.attributes();
            result.push_back({a.value(QLatin1String("Id")).toString(),
                              a.value(QLatin1String("Type")).toString(),
                              a.value(QLatin1String("Target")).toString()});
        }
    }
    throwIfBroken(xml, package, relsPart);
    return result;
}

const Relationship* findByType(const std::vector<Relationship>& rels, QLatin1String typeEnd)
{
    for (const auto& r : rels) {
        if (r.type.endsWith(typeEnd))
            return &r;
    }
    return nullptr;
}

// The text of a <si> or <is> element: all its <t> runs, phonetic guides left out.
QString readRichText(QXmlStreamReader& xml)
{
    QString text;
    const auto end = xml.name().toString();
    int phonetic = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("rPh"))
                ++phonetic;
            else if (xml.name() == QLatin1String("t") && phonetic == 0)
                text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("rPh"))
                --phonetic;
            else if (xml.name() == end)
                break;
        }
    }
    return text;
}

QStringList readSharedStrings(const Package& package, const QString& part)
{
    QStringList strings;
    if (part.isEmpty())
        return strings;
    const QByteArray data = package.read(part, false);
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("si"))
            strings << readRichText(xml);
    }
    throwIfBroken(xml, package, part);
    return strings;
}

// "BC12" -> row 12, column 55; false when the reference is not of that form.
bool parseCellReference(QStringView ref, int& row, int& column)
{
    int i = 0, col = 0;
    while (i < ref.size() && ref[i].isLetter() && ref[i].unicode() < 128) {
        col = col * 26 + (ref[i].toUpper().unicode() - 'A' + 1);
        if (col > 16384)
            return false;
        ++i;
    }
    if (i == 0 || i == ref.size())
        return false;
    bool ok = false;
    const int r = ref.mid(i).toInt(&ok);
    if (!ok || r < 1)
        return false;
    row = r;
    column = col;
    return true;
}

QString valueText(const QString& type, const QString& value, const QString& inlineText,
                  const QStringList& shared, bool& ok)
{
    ok = true;
    if (type == QLatin1String("inlineStr"))
        return inlineText;
    if (value.isEmpty())
        return {};
    if (type == QLatin1String("s")) {
        bool isNumber = false;
        const int index = value.trimmed().toInt(&isNumber);
        if (!isNumber || index < 0 || index >= shared.size()) {
            ok = false;
            return {};
        }
        return shared[index];
    }
    if (type == QLatin1String("str") || type == QLatin1String("e"))
        return value;
    if (type == QLatin1String("b"))
        return value.trimmed() == QLatin1String("1") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    if (type == QLatin1String("d")) {
        const auto serial = serialFromIsoText(value);
        return serial ? numberCellText(*serial) : value;
    }
    bool isNumber = false;
    const double number = value.trimmed().toDouble(&isNumber);
    if (!isNumber) {
        ok = false;
        return {};
    }
    return numberCellText(number);
}

WorkbookSheet readSheet(const Package& package, const QString& name, const QString& part,
                        const QStringList& shared)
{
    WorkbookSheet sheet(name);
    const QByteArray data = package.read(part, true);
    QXmlStreamReader xml(data);
    int row = 0, column = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("row")) {
            const auto r = xml.attributes().value(QLatin1String("r"));
            bool ok = false;
            const int n = r.toInt(&ok);
            row = ok && n > 0 ? n : row + 1;
            column = 0;
        } else if (xml.name() == QLatin1String("c")) {
            const auto a = xml.attributes();
            const QString type = a.value(QLatin1String("t")).toString();
            const auto ref = a.value(QLatin1String("r"));
            int r = row, c = column + 1;
            if (!ref.isEmpty() && !parseCellReference(ref, r, c))
                throw WorkbookError(damagedMessage(package.path()),
                                    QStringLiteral("%1: cell reference %2").arg(part, ref.toString()));
            if (r < 1)
                r = 1;
            row = r;
            column = c;
            QString value, inlineText;
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isStartElement()) {
                    if (xml.name() == QLatin1String("v"))
                        value = xml.readElementText();
                    else if (xml.name() == QLatin1String("is"))
                        inlineText = readRichText(xml);
                    else
                        xml.skipCurrentElement(); // the formula text, extensions
                } else if (xml.isEndElement() && xml.name() == QLatin1String("c")) {
                    break;
                }
            }
            bool ok = true;
            const QString text = valueText(type, value, inlineText, shared, ok);
            if (!ok)
                throw WorkbookError(damagedMessage(package.path()),
                                    QStringLiteral("%1: value of cell %2").arg(part, ref.toString()));
            sheet.setCell(r, c, text);
        }
    }
    throwIfBroken(xml, package, part);
    return sheet;
}

} // namespace

std::vector<WorkbookSheet> readXlsx(const QString& path)
{
    const Package package(path);
    const auto rootRels = readRelationships(package, QStringLiteral("_rels/.rels"));
    const Relationship* office = findByType(rootRels, QLatin1String("/officeDocument"));
    const QString workbookPart =
        office ? resolveTarget(QString(), office->target) : QStringLiteral("xl/workbook.xml");
    if (!package.has(workbookPart)) {
        // A ZIP without a workbook part: some other kind of document.
        throw WorkbookError(notWorkbookMessage(path));
    }
    const QString folder = folderOf(workbookPart);
    const auto rels = readRelationships(package, relsPartOf(workbookPart));
    const Relationship* sharedRel = findByType(rels, QLatin1String("/sharedStrings"));
    const QString sharedPart = sharedRel ? resolveTarget(folder, sharedRel->target) : QString();
    const QStringList shared = readSharedStrings(package, sharedPart);

    struct SheetEntry
    {
        QString name, relId;
    };
    std::vector<SheetEntry> entries;
    {
        const QByteArray data = package.read(workbookPart, true);
        QXmlStreamReader xml(data);
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("sheet")) {
                SheetEntry entry;
                for (const auto& attribute : xml.attributes()) {
                    if (attribute.name() == QLatin1String("name") && attribute.namespaceUri().isEmpty())
                        entry.name = attribute.value().toString();
                    else if (attribute.name() == QLatin1String("id") && !attribute.namespaceUri().isEmpty())
                        entry.relId = attribute.value().toString();
                }
                entries.push_back(entry);
            }
        }
        throwIfBroken(xml, package, workbookPart);
    }

    std::vector<WorkbookSheet> sheets;
    for (const auto& entry : entries) {
        const Relationship* rel = nullptr;
        for (const auto& r : rels) {
            if (r.id == entry.relId)
                rel = &r;
        }
        if (!rel)
            throw WorkbookError(damagedMessage(path), QStringLiteral("sheet %1 has no part").arg(entry.name));
        const QString part = resolveTarget(folder, rel->target);
        if (rel->type.endsWith(QLatin1String("/worksheet")))
            sheets.push_back(readSheet(package, entry.name, part, shared));
        else
            sheets.emplace_back(entry.name); // a chart or dialog sheet has no cells
    }
    return sheets;
}

} // namespace gibomer::workbook

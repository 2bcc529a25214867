// The cached results of formula cells in an .xls, which the reading library
// leaves out: the workbook stream is taken from the compound file and its
// FORMULA records (with the STRING record that follows a text result) are read.
#include "exchange/WorkbookFormats.h"

#include <QtEndian>
#include <cstring>

namespace gibomer::workbook {

namespace {

constexpr quint32 EndOfChain = 0xFFFFFFFE;
constexpr quint32 FreeSector = 0xFFFFFFFF;

quint16 u16(const QByteArray& d, qsizetype at)
{
    return at + 2 <= d.size() ? qFromLittleEndian<quint16>(d.constData() + at) : 0;
}
quint32 u32(const QByteArray& d, qsizetype at)
{
    return at + 4 <= d.size() ? qFromLittleEndian<quint32>(d.constData() + at) : 0;
}

class CompoundFile
{
public:
    explicit CompoundFile(const QByteArray& file) : m_file(file)
    {
        const int shift = u16(file, 0x1E);
        const int miniShift = u16(file, 0x20);
        if (shift < 9 || shift > 16 || miniShift < 6 || miniShift >= shift)
            return;
        m_sectorSize = 1 << shift;
        m_miniSize = 1 << miniShift;
        m_cutoff = u32(file, 0x38);

        std::vector<quint32> fatSectors;
        for (int i = 0; i < 109; ++i) {
            const quint32 s = u32(file, 0x4C + 4 * i);
            if (s != FreeSector && s != EndOfChain)
                fatSectors.push_back(s);
        }
        quint32 difat = u32(file, 0x44);
        for (quint32 n = u32(file, 0x48); n > 0 && difat < EndOfChain - 1; --n) {
            const QByteArray sector = readSector(difat);
            if (sector.isEmpty())
                return;
            const int perSector = m_sectorSize / 4 - 1;
            for (int i = 0; i < perSector; ++i) {
                const quint32 s = u32(sector, 4 * i);
                if (s != FreeSector && s != EndOfChain)
                    fatSectors.push_back(s);
            }
            difat = u32(sector, 4 * perSector);
        }
        for (quint32 s : fatSectors) {
            const QByteArray sector = readSector(s);
            for (int i = 0; i + 4 <= sector.size(); i += 4)
                m_fat.push_back(u32(sector, i));
        }
        m_directory = readChain(u32(file, 0x30), m_fat, false);
        m_miniFat.clear();
        const QByteArray miniFat = readChain(u32(file, 0x3C), m_fat, false);
        for (int i = 0; i + 4 <= miniFat.size(); i += 4)
            m_miniFat.push_back(u32(miniFat, i));
        if (m_directory.size() >= 128)
            m_miniStream = readChain(u32(m_directory, 0x74), m_fat, false, u32(m_directory, 0x78));
    }

    // The stream of that name at the top level; empty when there is none.
    QByteArray stream(const QString& name) const
    {
        for (qsizetype at = 0; at + 128 <= m_directory.size(); at += 128) {
            const int nameBytes = u16(m_directory, at + 0x40);
            if (m_directory[at + 0x42] != 2 || nameBytes < 2 || nameBytes > 64)
                continue;
            const QString entry = QString::fromUtf16(
                reinterpret_cast<const char16_t*>(m_directory.constData() + at), nameBytes / 2 - 1);
            if (entry.compare(name, Qt::CaseInsensitive) != 0)
                continue;
            const quint32 start = u32(m_directory, at + 0x74);
            const quint32 size = u32(m_directory, at + 0x78);
            return size < m_cutoff ? readChain(start, m_miniFat, true, size)
                                   : readChain(start, m_fat, false, size);
        }
        return {};
    }

private:
    QByteArray readSector(quint32 s) const
    {
        const qsizetype at = (qsizetype(s) + 1) * m_sectorSize;
        if (m_sectorSize == 0 || at + m_sectorSize > m_file.size())
            return {};
        return m_file.mid(at, m_sectorSize);
    }

    QByteArray readChain(quint32 start, const std::vector<quint32>& fat, bool mini, quint32 size = 0) const
    {
        QByteArray out;
        const int unit = mini ? m_miniSize : m_sectorSize;
        // Each sector at most once: a looping chain ends.
        for (size_t steps = 0; start < EndOfChain - 1 && start < fat.size() && steps <= fat.size(); ++steps) {
            if (mini) {
                const qsizetype at = qsizetype(start) * unit;
                if (at + unit > m_miniStream.size())
                    break;
                out += m_miniStream.mid(at, unit);
            } else {
                const QByteArray sector = readSector(start);
                if (sector.isEmpty())
                    break;
                out += sector;
            }
            if (size && quint32(out.size()) >= size)
                break;
            start = fat[start];
        }
        return size ? out.left(size) : out;
    }

    const QByteArray& m_file;
    int m_sectorSize = 0;
    int m_miniSize = 0;
    quint32 m_cutoff = 4096;
    std::vector<quint32> m_fat, m_miniFat;
    QByteArray m_directory, m_miniStream;
};

// A BIFF8 string of cch characters at `at`: a flags byte, then 8-bit or
// UTF-16 characters (rich-text and phonetic parts only lengthen the record).
QString biffString(const QByteArray& data, qsizetype at, int cch)
{
    if (at >= data.size())
        return {};
    const quint8 flags = quint8(data[at]);
    qsizetype p = at + 1;
    if (flags & 0x08)
        p += 2;
    if (flags & 0x04)
        p += 4;
    if (flags & 0x01) {
        const int n = int(std::min<qsizetype>(cch, (data.size() - p) / 2));
        QString text(n, Qt::Uninitialized);
        for (int i = 0; i < n; ++i)
            text[i] = QChar(u16(data, p + 2 * i));
        return text;
    }
    return QString::fromLatin1(data.constData() + p, std::min<qsizetype>(cch, data.size() - p));
}

QString errorText(quint8 code)
{
    switch (code) {
    case 0x00:
        return QStringLiteral("#NULL!");
    case 0x07:
        return QStringLiteral("#DIV/0!");
    case 0x0F:
        return QStringLiteral("#VALUE!");
    case 0x17:
        return QStringLiteral("#REF!");
    case 0x1D:
        return QStringLiteral("#NAME?");
    case 0x24:
        return QStringLiteral("#NUM!");
    case 0x2A:
        return QStringLiteral("#N/A");
    default:
        return QStringLiteral("#N/A");
    }
}

} // namespace

std::vector<FormulaCell> readXlsFormulas(const QByteArray& file)
{
    std::vector<FormulaCell> cells;
    const CompoundFile compound(file);
    const QByteArray book = compound.stream(QStringLiteral("Workbook"));
    if (book.isEmpty())
        return cells; // older formats keep their formulas unread

    // The sheets' names and where their records start.
    std::vector<std::pair<QString, quint32>> sheets;
    for (qsizetype at = 0; at + 4 <= book.size();) {
        const quint16 type = u16(book, at), length = u16(book, at + 2);
        const QByteArray data = book.mid(at + 4, length);
        if (type == 0x0085 && data.size() >= 8)
            sheets.emplace_back(biffString(data, 7, quint8(data[6])), u32(data, 0));
        if (type == 0x000A) // the end of the workbook globals
            break;
        at += 4 + length;
    }

    for (const auto& [name, start] : sheets) {
        FormulaCell pending;
        bool awaitingString = false;
        for (qsizetype at = start; at + 4 <= book.size();) {
            const quint16 type = u16(book, at), length = u16(book, at + 2);
            const QByteArray data = book.mid(at + 4, length);
            at += 4 + length;
            if (type == 0x000A)
                break;
            if (type == 0x0207 && awaitingString) {
                pending.text = biffString(data, 2, u16(data, 0));
                cells.push_back(pending);
                awaitingString = false;
                continue;
            }
            if (type != 0x0006 || data.size() < 14)
                continue;
            FormulaCell cell{name, int(u16(data, 0)) + 1, int(u16(data, 2)) + 1, {}};
            if (u16(data, 12) == 0xFFFF) {
                switch (quint8(data[6])) {
                case 0: // a text result: in the STRING record that follows
                    pending = cell;
                    awaitingString = true;
                    continue;
                case 1:
                    cell.text = data[8] ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
                    break;
                case 2:
                    cell.text = errorText(quint8(data[8]));
                    break;
                default: // an empty text
                    continue;
                }
            } else {
                double value = 0;
                std::memcpy(&value, data.constData() + 6, sizeof value);
                cell.text = numberCellText(qFromLittleEndian(value));
            }
            cells.push_back(cell);
        }
    }
    return cells;
}

} // namespace gibomer::workbook

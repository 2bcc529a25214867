// Norm files: the 6-byte real codec, the record layout and the file search.
#include "scoring/NormTable.h"

#include "core/Errors.h"
#include "core/ProgramFolder.h"
#include "core/Prompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace gibomer {

namespace {

constexpr int Real48Bias = 129;
constexpr int Real48FractionBits = 39;
constexpr std::uint64_t Real48FractionLimit = std::uint64_t(1) << Real48FractionBits;

// The years at which the downward and the upward search stop.
constexpr int OldestNormYear = 1981;
constexpr int NewestNormYear = 2019;

// File names are matched as the file system compares them.
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
constexpr auto NormFileNameOptions = QRegularExpression::CaseInsensitiveOption;
#else
constexpr auto NormFileNameOptions = QRegularExpression::NoPatternOption;
#endif

} // namespace

double decodeReal48(const unsigned char* bytes)
{
    const int exponent = bytes[0];
    if (exponent == 0)
        return 0.0;
    std::uint64_t fraction = std::uint64_t(bytes[5] & 0x7f);
    for (int i = 4; i >= 1; --i)
        fraction = (fraction << 8) | bytes[i];
    const double magnitude =
        std::ldexp(1.0 + std::ldexp(double(fraction), -Real48FractionBits), exponent - Real48Bias);
    return (bytes[5] & 0x80) ? -magnitude : magnitude;
}

Real48 encodeReal48(double value)
{
    Real48 bytes{};
    if (!std::isfinite(value))
        throw AppError(QStringLiteral("Vrednosti %1 ni mogoče zapisati v datoteko z normami.").arg(value));
    if (value == 0.0)
        return bytes;
    const bool negative = std::signbit(value);
    int binaryExponent = 0;
    // frexp gives a mantissa in [0.5, 1): value = m * 2^e = (2m) * 2^(e - 1).
    const double mantissa = std::frexp(std::fabs(value), &binaryExponent) * 2.0;
    --binaryExponent;
    auto fraction = static_cast<std::uint64_t>(std::llround((mantissa - 1.0) * double(Real48FractionLimit)));
    if (fraction == Real48FractionLimit) { // rounded up to the next power of two
        fraction = 0;
        ++binaryExponent;
    }
    const int exponent = binaryExponent + Real48Bias;
    if (exponent < 1)
        return bytes; // below the smallest magnitude: 0
    if (exponent > 255)
        throw AppError(QStringLiteral("Vrednosti %1 ni mogoče zapisati v datoteko z normami.").arg(value));
    bytes[0] = static_cast<unsigned char>(exponent);
    for (int i = 1; i <= 4; ++i) {
        bytes[i] = static_cast<unsigned char>(fraction & 0xff);
        fraction >>= 8;
    }
    bytes[5] = static_cast<unsigned char>((fraction & 0x7f) | (negative ? 0x80 : 0x00));
    return bytes;
}

NormTableData::NormTableData() : m_values(NormValueCount, NoNormValue) {}

std::size_t NormTableData::index(int sex, int ageGroup, int test, int tIndex)
{
    if (sex < 1 || sex > NormSexes || ageGroup < 1 || ageGroup > NormAgeGroups || test < 1 ||
        test > NormTests || tIndex < FirstTIndex || tIndex > LastTIndex)
        throw std::out_of_range("norm table index out of range");
    return static_cast<std::size_t>(normOffset(sex, ageGroup, test, tIndex) / Real48Size);
}

double NormTableData::at(int sex, int ageGroup, int test, int tIndex) const
{
    return m_values[index(sex, ageGroup, test, tIndex)];
}

void NormTableData::set(int sex, int ageGroup, int test, int tIndex, double value)
{
    m_values[index(sex, ageGroup, test, tIndex)] = value;
}

std::span<const double, NormRowLength> NormTableData::row(int sex, int ageGroup, int test) const
{
    return std::span<const double, NormRowLength>(m_values.data() + index(sex, ageGroup, test, FirstTIndex),
                                                  NormRowLength);
}

void NormTableData::setRow(int sex, int ageGroup, int test, std::span<const double, NormRowLength> values)
{
    const std::size_t first = index(sex, ageGroup, test, FirstTIndex);
    for (int i = 0; i < NormRowLength; ++i)
        m_values[first + i] = values[i];
}

NormTableData NormTableData::fromBytes(const QByteArray& bytes)
{
    if (bytes.size() < NormRecordSize)
        throw AppError(QStringLiteral("Zapis norm je prekratek: %1 bajtov namesto %2.")
                           .arg(bytes.size())
                           .arg(NormRecordSize));
    NormTableData table;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (int i = 0; i < NormValueCount; ++i)
        table.m_values[i] = decodeReal48(data + std::size_t(i) * Real48Size);
    return table;
}

QByteArray NormTableData::toBytes() const
{
    QByteArray bytes(NormRecordSize, '\0');
    for (int i = 0; i < NormValueCount; ++i) {
        const Real48 value = encodeReal48(m_values[i]);
        std::copy(value.begin(), value.end(), bytes.begin() + qsizetype(i) * Real48Size);
    }
    return bytes;
}

NormTableData& NormTable()
{
    static NormTableData table;
    return table;
}

std::optional<QString> findNormFile(const ProgramFolder& folder, int year)
{
    // The years of the norm files present, read from one listing of baza.
    // Searching the listing instead of testing every candidate name keeps
    // the search short for any year (0, or years far outside 1981..2019)
    // and finds the same file as testing the names one by one would.
    const QDir baza(folder.baza());
    static const QRegularExpression namePattern(QStringLiteral("^Tnorme(-?[0-9]+)\\.dat$"),
                                                NormFileNameOptions);
    std::optional<int> down; // the newest year in the downward range
    std::optional<int> up;   // the oldest year in the upward range
    QString downName, upName;
    const bool downOnlyYear = year <= OldestNormYear;
    const bool upOnlyYear = year >= NewestNormYear;
    for (const QString& name : baza.entryList(QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch match = namePattern.match(name);
        if (!match.hasMatch())
            continue;
        const QString digits = match.captured(1);
        bool ok = false;
        const int fileYear = digits.toInt(&ok);
        if (!ok || QString::number(fileYear) != digits) // no leading zeros, within range
            continue;
        const bool inDown =
            downOnlyYear ? fileYear == year : (fileYear >= OldestNormYear && fileYear <= year);
        const bool inUp = upOnlyYear ? fileYear == year : (fileYear >= year && fileYear <= NewestNormYear);
        if (inDown && (!down || fileYear > *down)) {
            down = fileYear;
            downName = name;
        }
        if (inUp && (!up || fileYear < *up)) {
            up = fileYear;
            upName = name;
        }
    }
    if (down)
        return baza.filePath(downName);
    if (up)
        return baza.filePath(upName);
    const QString fallback = folder.bazaFile(QStringLiteral("Tnorme.dat"));
    if (QFileInfo(fallback).isFile())
        return fallback;
    return std::nullopt;
}

NormTableData readNormFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(QStringLiteral("Datoteke z normami \"%1\" ni mogoče odpreti.")
                          .arg(QDir::toNativeSeparators(path)),
                      file.errorString());
    const QByteArray bytes = file.read(NormRecordSize);
    if (bytes.size() < NormRecordSize)
        throw IoError(QStringLiteral("Datoteke z normami \"%1\" ni mogoče prebrati: je krajša od %2 bajtov.")
                          .arg(QDir::toNativeSeparators(path))
                          .arg(NormRecordSize),
                      file.error() != QFileDevice::NoError ? file.errorString() : QString());
    return NormTableData::fromBytes(bytes);
}

void LoadNormTable(const ProgramFolder& folder, Prompter& prompter, int year)
{
    const std::optional<QString> path = findNormFile(folder, year);
    if (!path)
        abortWithMessage(prompter, QStringLiteral("Datoteka z t-normami ne obstaja!"));
    // Read whole first, so that a failed read leaves the previous table in place.
    NormTable() = readNormFile(*path);
}

} // namespace gibomer

// The T-norm tables: the 6-byte reals of a norm file, the record layout, the
// search for the norm file of a measurement year and the program-wide table
// that the T-score routine reads.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace gibomer {

class ProgramFolder;
class Prompter;

// The layout of one record: sex 1..2 (outermost), age group 1..14, test 1..11,
// T index 12..88 (innermost), each value a 6-byte real.
inline constexpr int NormSexes = 2;
inline constexpr int NormAgeGroups = 14;
inline constexpr int NormTests = 11;
inline constexpr int FirstTIndex = 12;
inline constexpr int LastTIndex = 88;
inline constexpr int NormRowLength = LastTIndex - FirstTIndex + 1; // 77
inline constexpr int NormValueCount = NormSexes * NormAgeGroups * NormTests * NormRowLength;
inline constexpr int Real48Size = 6;
inline constexpr qsizetype NormRecordSize = qsizetype(NormValueCount) * Real48Size; // 142,296
// Marks a position of a norm row that has no raw result.
inline constexpr double NoNormValue = -1.0;

// Byte offset of one value in the record.
constexpr qsizetype normOffset(int sex, int ageGroup, int test, int tIndex)
{
    return qsizetype((((sex - 1) * NormAgeGroups + (ageGroup - 1)) * NormTests + (test - 1)) * NormRowLength +
                     (tIndex - FirstTIndex)) *
           Real48Size;
}

// The 6-byte real: byte 0 the exponent biased by 129 (0 means the value 0),
// bytes 1..5 a 39-bit fraction, least significant byte first, bit 7 of byte 5
// the sign.
using Real48 = std::array<unsigned char, Real48Size>;
double decodeReal48(const unsigned char* bytes);
// Rounds to the nearest representable value; magnitudes too small for the
// format become 0. Throws AppError for infinities, NaN and magnitudes too large.
Real48 encodeReal48(double value);

// One norm table (one record) in memory.
class NormTableData
{
public:
    // Every position without a raw result (-1).
    NormTableData();

    // Throw std::out_of_range for indices outside the layout.
    double at(int sex, int ageGroup, int test, int tIndex) const;
    void set(int sex, int ageGroup, int test, int tIndex, double value);
    // The 77 values of one norm row, T index 12 first.
    std::span<const double, NormRowLength> row(int sex, int ageGroup, int test) const;
    void setRow(int sex, int ageGroup, int test, std::span<const double, NormRowLength> values);

    // Reads the first record; throws AppError when bytes holds less than one.
    static NormTableData fromBytes(const QByteArray& bytes);
    QByteArray toBytes() const;

    bool operator==(const NormTableData&) const = default;

private:
    static std::size_t index(int sex, int ageGroup, int test, int tIndex);
    std::vector<double> m_values;
};

// The norm table of the last loaded year, read by ComputeTScore.
NormTableData& NormTable();

// The norm file for a measurement year: the newest of Tnorme1981.dat up to
// Tnorme<year>.dat; else, for a year older than every file, the oldest of
// Tnorme<year>.dat up to Tnorme2019.dat (at or beyond either limit only the
// year itself is looked for in that direction); else Tnorme.dat. Nullopt
// when none exists.
std::optional<QString> findNormFile(const ProgramFolder& folder, int year);

// Reads the first record of a norm file. Throws IoError when the file cannot
// be opened or holds less than one record.
NormTableData readNormFile(const QString& path);

// Finds and reads the norm file of the year into NormTable(). With no norm
// file it shows "Datoteka z t-normami ne obstaja!" and throws SilentAbort.
void LoadNormTable(const ProgramFolder& folder, Prompter& prompter, int year);

} // namespace gibomer

// Norm tables built from a model of means and standard deviations per sex,
// age and test, and the readable listing of a norm table.
#pragma once

#include "scoring/NormTable.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <tuple>

namespace gibomer {

// Ages of the norm table: age group k is age k + 6.
inline constexpr int FirstNormAge = 7;
inline constexpr int LastNormAge = FirstNormAge + NormAgeGroups - 1; // 20

struct NormModelEntry
{
    double mean = 0;
    double sd = 0;
};

// A model: sex 1 boys and 2 girls (the norm table's sections), age in years
// 7..20, test 1..11, each with the mean and standard deviation of the raw
// result in the unit of the test's raw-result column.
class NormModel
{
public:
    void add(int sex, int age, int test, NormModelEntry entry);
    bool contains(int sex, int age, int test) const;
    // The entry of that age, or of the nearest age the model has for that sex
    // and test (the younger on a tie); nullopt when it has none.
    std::optional<NormModelEntry> nearest(int sex, int age, int test) const;
    int size() const { return static_cast<int>(m_entries.size()); }

private:
    std::map<std::tuple<int, int, int>, NormModelEntry> m_entries;
};

// Reads "sex,age,test,code,mean,sd" lines, a header line first (fields may
// also be separated by ";", with a decimal comma). Throws AppError naming the
// line for a malformed one, a value out of range, a code that does not match
// the test number, or a repeated sex, age and test.
NormModel parseNormModel(const QByteArray& text, const QString& sourceName);
// Throws IoError when the file cannot be read.
NormModel readNormModel(const QString& path);

// The raw value of norm position i for a mean and standard deviation: the
// value whose T-score is i (rising tests) or 100 - i (falling tests), that is
// mean + (i - 50) / 10 * sd in both cases, never below 0, to one decimal.
double normModelValue(const NormModelEntry& entry, int tIndex);

// The norm table of a model. Age groups the model lacks take the nearest age
// it has; a sex and test without any entry stays without raw results (-1),
// and is named in notes.
NormTableData buildNormTable(const NormModel& model, QStringList* notes = nullptr);

// Writes the record to path, replacing it only when the whole record was written.
void writeNormFile(const NormTableData& table, const QString& path);

// A readable listing: for each chosen sex section (1, 2) and age (7..20) a
// table of the T indices 12..88 with the values of each chosen test.
struct NormDumpFilter
{
    std::optional<int> sex;
    std::optional<int> age;
    std::optional<int> test;
};
QString dumpNormTable(const NormTableData& table, const NormDumpFilter& filter = {});

} // namespace gibomer

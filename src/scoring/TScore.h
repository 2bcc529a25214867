// T-scores: a raw result read off the norm row of the pupil's sex and age
// group, and the overall score XT of hand-entered results.
#pragma once

#include "core/TestTables.h"
#include "scoring/NormTable.h"

#include <QDate>
#include <array>
#include <optional>
#include <span>

namespace gibomer {

// The norm table's sex section: 1 for SPOL 0, 2 for SPOL 1, 1 for anything else.
int normSexSection(int sex);

// The age group 1..14 from the grade, the school type, the birth date and the
// measurement year. An invalid birth date counts as the empty date 30.12.1899.
int normAgeGroup(int grade, int schoolType, const QDate& birthDate, int year);

// The T-score of x on one norm row (T index 12 first): 11..89, or 0 when the
// row holds no usable value.
double tScoreOnRow(std::span<const double, NormRowLength> row, bool scoreFalls, double x);

// The T-score of a raw result of test 1..11 read off the given table; 0 for a
// test number outside 1..11.
double ComputeTScore(const NormTableData& table, int test, int sex, int grade, int schoolType, double value,
                     const QDate& birthDate, int year);
// The same on the program-wide table of the last loaded year.
double ComputeTScore(int test, int sex, int grade, int schoolType, double value, const QDate& birthDate,
                     int year);

// Rounds to the nearest whole number, a half to the even neighbour.
double roundHalfEven(double value);

// Indexed by the test number 1..11; entry 0 is unused.
using TestValues = std::array<std::optional<double>, TestCount + 1>;

// XT of hand entry: the mean of the eight motor T-scores to two decimals, or
// nullopt unless all eight motor results are present and greater than 0 and
// their T-scores add up to more than 0.
std::optional<double> handEntryXT(const TestValues& raw, const TestValues& tScores);

} // namespace gibomer

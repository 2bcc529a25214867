// T-scores off a norm row, the pupil's age group and sex section, and XT.
#include "scoring/TScore.h"

#include <QDate>
#include <climits>
#include <cmath>
#include <gtest/gtest.h>

using namespace gibomer;

namespace {

constexpr int RisingTest = 5;  // SDM
constexpr int FallingTest = 6; // PON

// The row N(i) = 100 + i.
std::array<double, NormRowLength> hundredPlusIndex()
{
    std::array<double, NormRowLength> row{};
    for (int i = FirstTIndex; i <= LastTIndex; ++i)
        row[i - FirstTIndex] = 100.0 + i;
    return row;
}

void setRange(std::array<double, NormRowLength>& row, int from, int to, double value)
{
    for (int i = from; i <= to; ++i)
        row[i - FirstTIndex] = value;
}

struct WalkCase
{
    const char* what;
    double x;
    double rising;
    double falling;
};

void expectWalk(const std::array<double, NormRowLength>& row, std::initializer_list<WalkCase> cases)
{
    for (const WalkCase& c : cases) {
        EXPECT_EQ(tScoreOnRow(row, false, c.x), c.rising) << c.what << " x=" << c.x;
        EXPECT_EQ(tScoreOnRow(row, true, c.x), c.falling) << c.what << " x=" << c.x;
    }
}

} // namespace

TEST(NormRowWalk, ExactNearestAndBeyondTheRow)
{
    expectWalk(hundredPlusIndex(), {
                                       {"exact", 150, 50, 50},
                                       {"nearer the lower", 150.4, 50, 50},
                                       {"half-way goes to the higher T", 150.5, 51, 50},
                                       {"nearer the upper", 150.6, 51, 49},
                                       {"below the row", 111, 11, 89},
                                       {"first value", 112, 12, 88},
                                       {"last value", 188, 88, 12},
                                       {"above the row", 200, 89, 11},
                                   });
}

TEST(NormRowWalk, RunsOfEqualValuesScoreTheirMiddle)
{
    auto even = hundredPlusIndex();
    setRange(even, 40, 43, 140);
    auto odd = hundredPlusIndex();
    setRange(odd, 40, 42, 140);
    expectWalk(even, {{"run of four", 140, 42, 59}});
    expectWalk(odd, {{"run of three", 140, 41, 59}});

    // A run at the end of the row stops at T index 88.
    auto tail = hundredPlusIndex();
    setRange(tail, 85, 88, 185);
    expectWalk(tail, {{"run at the end", 185, 87, 14}});
}

TEST(NormRowWalk, PositionsWithoutARawResult)
{
    auto top = hundredPlusIndex();
    setRange(top, 80, 88, -1);
    expectWalk(top, {{"above the last usable value", 500, 79, 21}});

    auto bottom = hundredPlusIndex();
    setRange(bottom, 12, 19, -1);
    // -1 takes part in the nearest comparison: N(19) = -1 is nearer to 50 than N(20) = 120.
    expectWalk(bottom, {{"-1 as a neighbour", 50, 19, 81}});

    std::array<double, NormRowLength> none{};
    none.fill(-1);
    expectWalk(none, {
                         {"no usable value", 0, 0, 0},
                         {"no usable value", 1e9, 0, 0},
                         {"no usable value", -0.5, 0, 0},
                     });
    EXPECT_EQ(tScoreOnRow(none, false, std::nan("")), 0);
}

TEST(AgeGroup, GradeSchoolTypeAndBirthYear)
{
    struct Case
    {
        int grade, schoolType, birthYear, year;
        int expected;
    } cases[] = {
        {3, 9, 1996, 2005, 3},   {3, 9, 1995, 2005, 4},  {3, 9, 1998, 2005, 1},  {3, 9, 1997, 2005, 2},
        {3, 9, 1994, 2005, 5},   {3, 9, 1992, 2005, 3}, // four years off: the grade decides
        {3, 9, 1999, 2005, 3},                          // three years off
        {3, 9, 1980, 1989, 3},                          // born 1980 or earlier: no correction
        {3, 2, 1995, 2005, 4},                          // types 1..3: grade + 1
        {4, 5, 1986, 2005, 13},  {4, 5, 1988, 2005, 11}, {6, 5, 1984, 2005, 14}, // 15 clamped
        {3, 12, 1995, 2005, 3},                         // another type: the grade, no correction
        {3, 0, 1995, 2005, 3},   {0, 9, 2004, 2005, 1}, // below 1 clamped
        {-5, 9, 1999, 2005, 1},                         // d far off: g0 = -5, clamped
        {99, 9, 1999, 2005, 14},
    };
    for (const Case& c : cases)
        EXPECT_EQ(normAgeGroup(c.grade, c.schoolType, QDate(c.birthYear, 6, 15), c.year), c.expected)
            << "grade " << c.grade << " type " << c.schoolType << " born " << c.birthYear;

    // An empty birth date counts as 30.12.1899.
    EXPECT_EQ(normAgeGroup(3, 9, QDate(), 2005), 3);
    EXPECT_EQ(normAgeGroup(3, 9, QDate(1899, 12, 30), 2005), 3);
    EXPECT_EQ(normAgeGroup(INT_MAX, 5, QDate(2000, 1, 1), INT_MIN), 14);
}

TEST(ComputeTScore, ReadsTheRowOfTheSexAndAgeGroup)
{
    // Only girls of age group 3 have norms for the rising and the falling test.
    NormTableData table;
    const auto row = hundredPlusIndex();
    table.setRow(2, 3, RisingTest, row);
    table.setRow(2, 3, FallingTest, row);
    table.setRow(1, 3, RisingTest, row);
    const QDate born1996(1996, 5, 10);
    EXPECT_EQ(ComputeTScore(table, RisingTest, 1, 3, 9, 152, born1996, 2005), 52);
    EXPECT_EQ(ComputeTScore(table, FallingTest, 1, 3, 9, 152, born1996, 2005), 48);
    EXPECT_EQ(ComputeTScore(table, RisingTest, 1, 3, 9, 152, QDate(1995, 5, 10), 2005), 0); // group 4
    EXPECT_EQ(ComputeTScore(table, FallingTest, 0, 3, 9, 152, born1996, 2005), 0);          // boys
    // Any sex other than 0 and 1 is scored as a boy.
    EXPECT_EQ(ComputeTScore(table, RisingTest, 2, 3, 9, 152, born1996, 2005), 52);
    EXPECT_EQ(ComputeTScore(table, RisingTest, -7, 3, 9, 152, born1996, 2005), 52);
    EXPECT_EQ(ComputeTScore(table, 0, 1, 3, 9, 152, born1996, 2005), 0);
    EXPECT_EQ(ComputeTScore(table, 12, 1, 3, 9, 152, born1996, 2005), 0);

    // The other overload reads the program-wide table.
    NormTable() = table;
    EXPECT_EQ(ComputeTScore(RisingTest, 1, 3, 9, 152, born1996, 2005), 52);
}

TEST(HandEntryXT, EightPositiveMotorResultsRoundedHalfToEven)
{
    EXPECT_EQ(roundHalfEven(5012.5), 5012);
    EXPECT_EQ(roundHalfEven(5037.5), 5038);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(2.4999), 2);

    const auto scores = [](double last) {
        TestValues raw, t;
        for (int test = 1; test <= TestCount; ++test) {
            raw[test] = 10.0;
            t[test] = 50.0;
        }
        t[1] = 99; // body measures never count
        t[TestCount] = last;
        return std::pair{raw, t};
    };
    struct Case
    {
        double last;
        std::optional<double> expected;
    } cases[] = {{52, 50.25}, {51, 50.12}, {53, 50.38}, {50, 50.0}};
    for (const Case& c : cases) {
        const auto [raw, t] = scores(c.last);
        EXPECT_EQ(handEntryXT(raw, t), c.expected) << "sum " << 350 + c.last;
    }

    auto [raw, t] = scores(50);
    raw[7] = 0.0; // scored, but a zero result makes XT empty
    EXPECT_EQ(handEntryXT(raw, t), std::nullopt);
    std::tie(raw, t) = scores(50);
    raw[9].reset(); // seven motor results
    t[9].reset();
    EXPECT_EQ(handEntryXT(raw, t), std::nullopt);
    std::tie(raw, t) = scores(50);
    raw[1].reset(); // a missing body measure does not matter
    EXPECT_EQ(handEntryXT(raw, t), 50.0);
    std::tie(raw, t) = scores(0);
    for (int test = FirstMotorTest; test <= TestCount; ++test)
        t[test] = 0.0; // no norms at all
    EXPECT_EQ(handEntryXT(raw, t), std::nullopt);
}

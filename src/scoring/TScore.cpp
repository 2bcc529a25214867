// The T-score routine and the hand-entry XT rule.
#include "scoring/TScore.h"

#include "core/Formats.h"

#include <algorithm>
#include <cmath>

namespace gibomer {

int normSexSection(int sex)
{
    return sex == 1 ? 2 : 1;
}

int normAgeGroup(int grade, int schoolType, const QDate& birthDate, int year)
{
    const int birthYear = birthDate.isValid() ? birthDate.year() : serialEpoch().year();
    // Work in 64 bits: grades and years come from the database unchecked.
    long long group = grade;
    if (schoolType >= 1 && schoolType <= 3)
        group = static_cast<long long>(grade) + 1;
    else if (schoolType >= 4 && schoolType <= 8)
        group = static_cast<long long>(grade) + 9;
    if (birthYear > 1980 && schoolType >= 1 && schoolType <= 9) {
        // How far the pupil's real birth year lies from the one the grade implies;
        // a pupil a year or two ahead or behind is scored by age.
        const long long d = (static_cast<long long>(year) - group - 6) - birthYear;
        if (d >= -2 && d <= 2)
            group += d;
    }
    return static_cast<int>(std::clamp<long long>(group, 1, NormAgeGroups));
}

double tScoreOnRow(std::span<const double, NormRowLength> row, bool scoreFalls, double x)
{
    const auto n = [&](int i) { return row[i - FirstTIndex]; };
    const auto score = [&](int p) { return double(scoreFalls ? 100 - p : p); };
    int lastBelow = 0;
    for (int i = FirstTIndex; i <= LastTIndex; ++i) {
        if (n(i) == x) {
            int last = i;
            while (last < LastTIndex && n(last + 1) == x)
                ++last;
            const int d = last - i;
            int p = i + d / 2;
            // A run of even length has two middles: take the one with the higher T-score.
            if (d % 2 == 1 && !scoreFalls)
                ++p;
            return score(p);
        }
        if (n(i) > x) {
            if (i == FirstTIndex)
                return score(FirstTIndex - 1);
            const double a = std::fabs(x - n(i - 1));
            const double b = std::fabs(x - n(i));
            int p;
            if (a < b)
                p = i - 1;
            else if (a > b)
                p = i;
            else
                p = scoreFalls ? i - 1 : i; // half-way: the higher T-score
            return score(p);
        }
        if (n(i) < x && n(i) != NoNormValue)
            lastBelow = i;
    }
    if (lastBelow == 0)
        return 0.0; // the row holds no usable value
    return score(lastBelow == LastTIndex ? LastTIndex + 1 : lastBelow);
}

double ComputeTScore(const NormTableData& table, int test, int sex, int grade, int schoolType, double value,
                     const QDate& birthDate, int year)
{
    if (test < 1 || test > TestCount)
        return 0.0;
    const int group = normAgeGroup(grade, schoolType, birthDate, year);
    return tScoreOnRow(table.row(normSexSection(sex), group, test), scoreFallsWithValue(test), value);
}

double ComputeTScore(int test, int sex, int grade, int schoolType, double value, const QDate& birthDate,
                     int year)
{
    return ComputeTScore(NormTable(), test, sex, grade, schoolType, value, birthDate, year);
}

double roundHalfEven(double value)
{
    const double below = std::floor(value);
    const double rest = value - below;
    if (rest < 0.5)
        return below;
    if (rest > 0.5)
        return below + 1.0;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::optional<double> handEntryXT(const TestValues& raw, const TestValues& tScores)
{
    double sum = 0.0;
    int count = 0;
    for (int test = FirstMotorTest; test <= TestCount; ++test) {
        if (raw[test] && tScores[test] && *raw[test] > 0.0) {
            sum += *tScores[test];
            ++count;
        }
    }
    if (sum > 0.0 && count == TestCount - FirstMotorTest + 1)
        return roundHalfEven(sum / count * 100.0) / 100.0;
    return std::nullopt;
}

} // namespace gibomer

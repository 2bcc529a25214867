// The eleven tests of the yearly testing: their codes (also the raw-result
// column names) and their widths in the fixed-column results string.
#pragma once

#include <array>

namespace gibomer {

inline constexpr int TestCount = 11;

// Indexed 1..11 by the test number; entry 0 is unused.
inline constexpr std::array<const char*, TestCount + 1> TestCodes = {
    "", "ATV", "ATT", "AKG", "DPR", "SDM", "PON", "DT", "PRE", "VZG", "T60", "T600"};

inline constexpr std::array<int, TestCount + 1> TestWidths = {0, 4, 3, 2, 2, 3, 3, 2, 2, 3, 3, 3};

// Tests 4..11 are the motor tests that make up XT.
inline constexpr int FirstMotorTest = 4;

// Tests whose T-score falls as the raw value rises (skinfold, obstacle course, runs).
constexpr bool scoreFallsWithValue(int test)
{
    return test == 3 || test == 6 || test == 10 || test == 11;
}

} // namespace gibomer

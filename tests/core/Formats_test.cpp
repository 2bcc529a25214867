// The program's formats hold under a foreign locale.
#include "core/Formats.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace gibomer;

TEST(Formats, CommaAndDotDateWhateverTheUserLocale)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    applyProgramFormats();
    EXPECT_EQ(QLocale().toString(50.25, 'f', 2), QStringLiteral("50,25"));
    EXPECT_EQ(QLocale().toDouble(QStringLiteral("50,25")), 50.25);
    EXPECT_EQ(QLocale().decimalPoint(), QStringLiteral(","));
    EXPECT_EQ(QLocale().groupSeparator(), QStringLiteral("."));
    EXPECT_EQ(formatDate(QDate(1995, 3, 5)), QStringLiteral("05.03.1995"));
    EXPECT_EQ(formatFixed(50.25, 1), QStringLiteral("50,3"));
    EXPECT_EQ(formatFixed(12.4, 0), QStringLiteral("12"));
    EXPECT_EQ(formatGeneral(12.5), QStringLiteral("12,5"));
    EXPECT_EQ(formatGeneral(1995), QStringLiteral("1995"));
    EXPECT_EQ(parseNumber(QStringLiteral("15,5")), 15.5);
}

TEST(Formats, DatesReadAsDayMonthYear)
{
    struct Case
    {
        const char* text;
        QDate expected;
    } cases[] = {
        {"5.3.1995", QDate(1995, 3, 5)},   {"05.03.1995", QDate(1995, 3, 5)}, {"1.1.2100", QDate(2100, 1, 1)},
        {"17.08.1101", QDate(1101, 8, 17)}, {"5.3.95", QDate(1995, 3, 5)},     {"5.3.05", QDate(2005, 3, 5)},
        {"31.02.1995", QDate()},            {"..1995", QDate()},               {"", QDate()},
    };
    for (const Case& c : cases) {
        const auto parsed = parseDate(QString::fromLatin1(c.text));
        EXPECT_EQ(parsed.value_or(QDate()), c.expected) << c.text;
    }
}

TEST(Formats, DaySerials)
{
    EXPECT_EQ(dateFromSerial(0), QDate(1899, 12, 30));
    EXPECT_EQ(serialFromDate(QDate(1900, 1, 1)), 2.0);
    EXPECT_EQ(dateFromSerial(serialFromDate(QDate(2005, 6, 15))), QDate(2005, 6, 15));
}

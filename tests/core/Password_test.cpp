// Password comparison and the four attempts.
#include "core/Password.h"

#include <gtest/gtest.h>

using namespace gibomer;
using Result = PasswordAttempts::Result;

TEST(Password, OnlyAsciiLettersIgnoreCase)
{
    struct Case
    {
        const char* stored;
        const char* typed;
        bool matches;
    } cases[] = {
        {"geslo", "GESLO", true}, {"Geslo1", "gESLO1", true}, {"šola", "ŠOLA", false},
        {"šola", "šOLA", true},   {"geslo", "gesl", false},   {"geslo", "geslo ", false},
    };
    for (const Case& c : cases) {
        const QString stored = QString::fromUtf8(c.stored);
        const QString typed = QString::fromUtf8(c.typed);
        EXPECT_EQ(passwordMatches(stored, typed), c.matches) << c.stored << " / " << c.typed;
        EXPECT_EQ(passwordMatches(hashPassword(stored), typed), c.matches) << "hashed " << c.stored;
    }
}

TEST(Password, HashIsSaltedAndNotPlain)
{
    const QString a = hashPassword(QStringLiteral("geslo"));
    const QString b = hashPassword(QStringLiteral("geslo"));
    EXPECT_NE(a, b);
    EXPECT_TRUE(isPasswordHash(a));
    EXPECT_FALSE(a.contains(QStringLiteral("GESLO")));
    EXPECT_FALSE(isPasswordHash(QStringLiteral("geslo")));
}

TEST(Password, FourthWrongAttemptTerminates)
{
    PasswordAttempts attempts;
    const QString stored = QStringLiteral("abc");
    EXPECT_EQ(attempts.submit(stored, QStringLiteral("x")), Result::TryAgain);
    EXPECT_EQ(attempts.submit(stored, QStringLiteral("y")), Result::TryAgain);
    EXPECT_EQ(attempts.submit(stored, QStringLiteral("z")), Result::TryAgain);
    EXPECT_EQ(attempts.submit(stored, QStringLiteral("w")), Result::Terminate);

    attempts.reset();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(attempts.submit(stored, QStringLiteral("no")), Result::TryAgain);
    EXPECT_EQ(attempts.submit(stored, QStringLiteral("ABC")), Result::Accepted);
}

// The start-up password: how a typed text is compared with the stored one,
// how a new one is stored, and the dialog's four attempts.
#pragma once

#include <QString>

namespace gibomer {

// The letters a to z become capitals; every other character stays as it is
// (so "š" and "Š" differ).
QString upperAsciiLetters(const QString& text);

// A salted, slow hash of the upper-cased text, stored in GESLo.
QString hashPassword(const QString& plain);
bool isPasswordHash(const QString& stored);

// True when the typed text is the stored password: a hash made by
// hashPassword, or a plain text left by an older database.
bool passwordMatches(const QString& stored, const QString& typed);

// The attempts of one showing of the password dialog.
class PasswordAttempts
{
public:
    enum class Result { Accepted, TryAgain, Terminate };
    static constexpr int MaxAttempts = 4;

    void reset() { m_attempts = 0; }
    Result submit(const QString& stored, const QString& typed);
    int attempts() const { return m_attempts; }

private:
    int m_attempts = 0;
};

} // namespace gibomer

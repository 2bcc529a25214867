#include "core/Password.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QStringList>

namespace gibomer {

namespace {
// A literal, so that hashing works during static initialisation too.
constexpr QLatin1StringView HashPrefix("pbkdf2-sha256");
constexpr int Iterations = 60000;

QByteArray pbkdf2(const QByteArray& password, const QByteArray& salt, int iterations)
{
    // One block of PBKDF2-HMAC-SHA256 gives the 32 bytes we keep.
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, password);
    mac.addData(salt);
    mac.addData(QByteArray("\x00\x00\x00\x01", 4));
    QByteArray u = mac.result();
    QByteArray result = u;
    for (int i = 1; i < iterations; ++i) {
        mac.reset();
        mac.addData(u);
        u = mac.result();
        for (int j = 0; j < result.size(); ++j)
            result[j] = static_cast<char>(result[j] ^ u[j]);
    }
    return result;
}
} // namespace

QString upperAsciiLetters(const QString& text)
{
    QString result = text;
    for (QChar& c : result) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return result;
}

QString hashPassword(const QString& plain)
{
    QByteArray salt(16, Qt::Uninitialized);
    for (char& c : salt)
        c = static_cast<char>(QRandomGenerator::system()->bounded(256));
    const QByteArray hash = pbkdf2(upperAsciiLetters(plain).toUtf8(), salt, Iterations);
    return QStringList{QString(HashPrefix), QString::number(Iterations), QString::fromLatin1(salt.toBase64()),
                       QString::fromLatin1(hash.toBase64())}
        .join(QLatin1Char('$'));
}

bool isPasswordHash(const QString& stored)
{
    const QStringList parts = stored.split(QLatin1Char('$'));
    return parts.size() == 4 && parts[0] == HashPrefix;
}

bool passwordMatches(const QString& stored, const QString& typed)
{
    if (!isPasswordHash(stored))
        return upperAsciiLetters(stored) == upperAsciiLetters(typed);
    const QStringList parts = stored.split(QLatin1Char('$'));
    const int iterations = parts[1].toInt();
    const QByteArray salt = QByteArray::fromBase64(parts[2].toLatin1());
    const QByteArray expected = QByteArray::fromBase64(parts[3].toLatin1());
    if (iterations <= 0 || expected.isEmpty())
        return false;
    return pbkdf2(upperAsciiLetters(typed).toUtf8(), salt, iterations) == expected;
}

PasswordAttempts::Result PasswordAttempts::submit(const QString& stored, const QString& typed)
{
    ++m_attempts;
    if (passwordMatches(stored, typed))
        return Result::Accepted;
    return m_attempts >= MaxAttempts ? Result::Terminate : Result::TryAgain;
}

} // namespace gibomer

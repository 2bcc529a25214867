#include "exchange/ExchangeReader.h"

#include "core/Errors.h"
#include "core/Formats.h"
#include "exchange/LetterConversion.h"
#include "exchange/ResultsString.h"
#include "exchange/Windows1250.h"

#include <QFile>
#include <optional>

namespace gibomer {

namespace {

// Columns are 1-based and inclusive; a column past the end of the line reads as nothing.
QByteArray columns(const QByteArray& line, int first, int last)
{
    return line.mid(first - 1, last - first + 1);
}

// Leading blanks, an optional sign, then decimal digits only.
std::optional<int> toInteger(const QByteArray& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > 1'000'000'000)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
}

// Names and class labels: the seven-bit forms to Windows-1250, then the
// code page 852 capitals that some files carry.
QString convertLetters(const QByteArray& bytes)
{
    return fromWindows1250(ConvertSlovenianLetters(1250, 850, ConvertSlovenianLetters(437, 850, bytes)));
}

// Blanks and control characters at both ends.
QString trimBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20)
        --end;
    return text.mid(begin, end - begin);
}

QByteArray trimTrailingBlanks(QByteArray text)
{
    while (!text.isEmpty() && text.back() == ' ')
        text.chop(1);
    return text;
}

} // namespace

void ReadExchangeLine(const QByteArray& line, StagedRecord& record)
{
    if (const auto sola = toInteger(columns(line, 2, 5)))
        record.setSola(*sola);
    if (const auto vrsta = toInteger(columns(line, 6, 6)))
        record.setVrsta(*vrsta);
    if (const auto razred = toInteger(columns(line, 7, 7)))
        record.setRazred(*razred);
    record.setOddelek(convertLetters(columns(line, 8, 8)));

    const QByteArray yearDigits = columns(line, 72, 73);
    if (const auto twoDigits = toInteger(yearDigits)) {
        const QByteArray century = *twoDigits > 50 ? "19" : "20";
        if (const auto year = toInteger(century + yearDigits))
            record.setLeto(*year);
    }

    record.setEmso(fromWindows1250(columns(line, 9, 18)));
    record.setSpol(columns(line, 18, 18) == "0" ? 0 : 1);

    const QByteArray birthYear = columns(line, 13, 15);
    if (const auto threeDigits = toInteger(birthYear)) {
        const QByteArray text = columns(line, 9, 10) + '.' + columns(line, 11, 12) +
                                (*threeDigits > 100 ? ".1" : ".2") + birthYear;
        if (const auto date = parseDate(QString::fromLatin1(text)))
            record.setRojstvo(serialFromDate(*date));
    }

    const QByteArray nameBlock = columns(line, 22, 41);
    const qsizetype blank = nameBlock.indexOf(' ');
    const QByteArray surname = blank < 0 ? QByteArray() : nameBlock.left(blank);
    const QByteArray firstName = trimTrailingBlanks(blank < 0 ? nameBlock : nameBlock.mid(blank + 1));
    record.setPriimek(trimBlanks(convertLetters(surname)));
    record.setIme(trimBlanks(convertLetters(firstName)));

    record.setMeritve(fromWindows1250(PackResultsFromExchangeLine(line)));
}

void ReadExchangeData(const QByteArray& input, StagingTable& staging)
{
    QByteArray data = input;
    if (const qsizetype eof = data.indexOf('\x1A'); eof >= 0)
        data.truncate(eof);

    staging.clear();
    qsizetype pos = 0;
    while (pos < data.size()) {
        qsizetype end = pos;
        while (end < data.size() && data[end] != '\r' && data[end] != '\n')
            ++end;
        const QByteArray line = data.mid(pos, end - pos);
        if (end < data.size() && data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n')
            pos = end + 2;
        else
            pos = end + 1;

        StagedRecord& record = staging.insert();
        try {
            ReadExchangeLine(line, record);
        } catch (const std::exception&) {
            // a line that fails is kept with what it read; reading goes on
        }
    }
}

void ReadExchangeFile(const QString& path, StagingTable& staging)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(QStringLiteral("Datoteke %1 ni mogoče odpreti: %2").arg(path, file.errorString()));
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw IoError(QStringLiteral("Datoteke %1 ni mogoče prebrati: %2").arg(path, file.errorString()));
    file.close();
    ReadExchangeData(data, staging);
}

} // namespace gibomer

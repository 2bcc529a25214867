// The exchange text reader: columns, the guarded conversions, the year and
// birth-date rules, the name split, the letter spellings and line ends.
#include "core/Errors.h"
#include "core/Formats.h"
#include "exchange/ExchangeReader.h"
#include "exchange/LetterConversion.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace gibomer;

namespace {

// One exchange line, 73 columns, with a field replaced where a test needs it.
struct Line
{
    QByteArray bytes = QByteArray(" 12349"
                                  "5A"
                                  "0503995500"
                                  "123"
                                  "NOVAK ANA           "
                                  "145231229211803453211107123456"
                                  "05");

    Line& at(int column, const QByteArray& text)
    {
        bytes.replace(column - 1, text.size(), text);
        return *this;
    }
    Line& name(const QByteArray& block) { return at(22, block.leftJustified(20, ' ')); }
    Line& cut(int length)
    {
        bytes.truncate(length);
        return *this;
    }
};

StagedRecord read(const QByteArray& line)
{
    StagedRecord record;
    ReadExchangeLine(line, record);
    return record;
}

QString latin(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

TEST(ExchangeReader, TypicalLine)
{
    const Line line;
    ASSERT_EQ(line.bytes.size(), 73);
    const StagedRecord r = read(line.bytes);
    EXPECT_EQ(r.solaText(), QStringLiteral("1234"));
    EXPECT_EQ(r.vrsta(), 9);
    EXPECT_EQ(r.razred(), 5);
    EXPECT_EQ(r.oddelek(), QStringLiteral("A"));
    EXPECT_EQ(r.emso(), QStringLiteral("0503995500"));
    EXPECT_EQ(r.spol(), 0);
    EXPECT_EQ(dateFromSerial(r.rojstvo()), QDate(1995, 3, 5));
    EXPECT_EQ(r.priimek(), QStringLiteral("NOVAK"));
    EXPECT_EQ(r.ime(), QStringLiteral("ANA"));
    EXPECT_EQ(r.meritve(), QStringLiteral("14523122921180345321110712345605"));
    EXPECT_EQ(r.leto(), 2005);
}

TEST(ExchangeReader, YearOfMeasurement)
{
    struct Case
    {
        QByteArray digits;
        const char* expected; // LETO as text, empty when it stays empty
    } cases[] = {
        {"05", "2005"}, {"50", "2050"}, {"51", "1951"}, {"99", "1999"}, {"00", "2000"},
        {"  ", ""},     {"5 ", ""},     {" 5", ""},     {"x5", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(read(Line().at(72, c.digits).bytes).letoText(), QString::fromLatin1(c.expected))
            << c.digits.data();
    // a line of 60 characters: results cut to 19 characters and no year
    const StagedRecord shortLine = read(Line().cut(60).bytes);
    EXPECT_EQ(shortLine.meritve().size(), 19);
    EXPECT_EQ(shortLine.letoText(), QString());
}

TEST(ExchangeReader, BirthDate)
{
    struct Case
    {
        QByteArray emso;
        QDate expected; // invalid: the date stays empty
    } cases[] = {
        {"0503995", QDate(1995, 3, 5)}, {"0503005", QDate(2005, 3, 5)}, {"0503100", QDate(2100, 3, 5)},
        {"0503101", QDate(1101, 3, 5)}, {"3102995", QDate()},           {"0503 95", QDate()},
        {"05039x5", QDate()},           {"  03995", QDate()},
    };
    for (const Case& c : cases) {
        const StagedRecord r = read(Line().at(9, c.emso).bytes);
        EXPECT_EQ(r.hasRojstvo(), c.expected.isValid()) << c.emso.data();
        if (c.expected.isValid()) {
            EXPECT_EQ(dateFromSerial(r.rojstvo()), c.expected) << c.emso.data();
        } else {
            EXPECT_EQ(r.rojstvo(), 0.0) << c.emso.data();
        }
    }
}

TEST(ExchangeReader, SexDigitAndGuardedNumbers)
{
    EXPECT_EQ(read(Line().at(18, "0").bytes).spol(), 0);
    EXPECT_EQ(read(Line().at(18, "5").bytes).spol(), 1);
    EXPECT_EQ(read(Line().at(18, " ").bytes).spol(), 1);
    EXPECT_EQ(read(Line().cut(17).bytes).spol(), 1);

    // a field that does not convert stays empty and the others are read
    const StagedRecord r = read(Line().at(2, "12a4").at(6, "x").at(7, " ").bytes);
    EXPECT_EQ(r.solaText(), QString());
    EXPECT_EQ(r.vrstaText(), QString());
    EXPECT_EQ(r.razredText(), QString());
    EXPECT_EQ(r.leto(), 2005);
    EXPECT_EQ(read(Line().at(2, "  12").bytes).sola(), 12);
}

TEST(ExchangeReader, NameBlocks)
{
    struct Case
    {
        QByteArray block;
        const char* priimek;
        const char* ime;
    } cases[] = {
        {"NOVAK ANA", "NOVAK", "ANA"},
        {"DE LA CRUZ ANA", "DE", "LA CRUZ ANA"},
        {"BREZPRESLEDKAVIMENUX", "", "BREZPRESLEDKAVIMENUX"},
        {"", "", ""},
        {"^RNE MARKO", "ČRNE", "MARKO"},
        {"KO{AR MAJA", "KOšAR", "MAJA"},
        {"[TRUKELJ @AN", "ŠTRUKELJ", "ŽAN"},
        {"Kova~i~ Bo`o", "Kovačič", "Božo"},
        {"NOVAK  ANA", "NOVAK", "ANA"}, // the first name is trimmed at both ends
    };
    for (const Case& c : cases) {
        const StagedRecord r = read(Line().name(c.block).bytes);
        EXPECT_EQ(r.priimek(), latin(c.priimek)) << c.block.data();
        EXPECT_EQ(r.ime(), latin(c.ime)) << c.block.data();
    }
    EXPECT_EQ(read(Line().at(8, "^").bytes).oddelek(), QStringLiteral("Č"));
}

TEST(ExchangeReader, LetterConversionOfTheReader)
{
    // The two steps 437 -> 850 and 1250 -> 850 change exactly these bytes.
    const std::map<unsigned char, unsigned char> changed = {
        {0x7E, 0xE8}, {0x5E, 0xC8}, {0x5B, 0x8A}, {0x7B, 0x9A}, {0x60, 0x9E},
        {0x40, 0x8E}, {0xAC, 0xC8}, {0xE6, 0x8A}, {0xA6, 0x8E}, {0x8F, 0xC6},
    };
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QByteArray converted = ConvertSlovenianLetters(1250, 850, ConvertSlovenianLetters(437, 850, all));
    ASSERT_EQ(converted.size(), 256);
    for (int b = 0; b < 256; ++b) {
        const auto it = changed.find(static_cast<unsigned char>(b));
        const unsigned char expected = it == changed.end() ? static_cast<unsigned char>(b) : it->second;
        EXPECT_EQ(static_cast<unsigned char>(converted[b]), expected) << "byte " << b;
    }
}

TEST(ExchangeReader, LetterVariants)
{
    const QByteArray windows1250("\xE8\xC8\x8A\x9A\x9E\x8E\xE6\xC6\xF0\xD0");
    // code page 852 has no repeated byte: its whole row maps to Windows-1250
    EXPECT_EQ(ConvertSlovenianLetters(852, 850, "\x9F\xAC\xE6\xE7\xA7\xA6\x86\x8F\xD0\xD1"), windows1250);
    EXPECT_EQ(ConvertSlovenianLetters(850, 852, windows1250),
              QByteArray("\x9F\xAC\xE6\xE7\xA7\xA6\x86\x8F\xD0\xD1"));
    // a repeated byte converts by its first position: in 851 C8 is č
    EXPECT_EQ(ConvertSlovenianLetters(851, 850, "\xC8\x8A"), QByteArray("\xE8\x8A"));
    EXPECT_EQ(ConvertSlovenianLetters(0, 850, "cCzd"), QByteArray("\xE8\xC8\x9E\xF0"));
    EXPECT_EQ(ConvertSlovenianLetters(850, 0, windows1250), QByteArray("cCSszZcCdD"));
    EXPECT_EQ(ConvertSlovenianLetters(1080, 850, "^"), QByteArray("\xE8"));
    // numbers outside the table leave the text alone
    EXPECT_EQ(ConvertSlovenianLetters(999, 850, "~^"), QByteArray("~^"));
    EXPECT_EQ(ConvertSlovenianLetters(437, 12, "~^"), QByteArray("~^"));
    int known = 0;
    for (int n : {0, 100, 400, 437, 850, 851, 852, 859, 1060, 1070, 1080, 1090, 1250})
        known += letterVariant(n).has_value();
    EXPECT_EQ(known, 13);
}

TEST(ExchangeReader, LineEndsOrderAndEndOfFileMark)
{
    const QByteArray a = Line().name("PRVI A").bytes;
    const QByteArray b = Line().name("DRUGI B").bytes;
    const QByteArray c = Line().name("TRETJI C").bytes;
    for (const QByteArray& data :
         {a + "\r\n" + b + "\r\n" + c + "\r\n", a + "\n" + b + "\n" + c, a + "\r" + b + "\r" + c + "\r\n\x1A",
          a + "\r\n" + b + "\n" + c + "\x1A"}) {
        StagingTable table;
        ReadExchangeData(data, table);
        ASSERT_EQ(table.size(), 3) << data.toStdString();
        // inserted in front of the current record: reversed, last line current
        EXPECT_EQ(table.at(0).priimek(), QStringLiteral("TRETJI"));
        EXPECT_EQ(table.at(2).priimek(), QStringLiteral("PRVI"));
        EXPECT_EQ(table.current().priimek(), QStringLiteral("TRETJI"));
    }
}

TEST(ExchangeReader, EmptyShortAndStrangeLines)
{
    StagingTable table;
    ReadExchangeData(
        QByteArray("\r\n") + Line().cut(10).bytes + "\r\n" + Line().name("N\x81\x98 \x01\xFF").bytes, table);
    ASSERT_EQ(table.size(), 3);
    const StagedRecord& empty = table.at(2);
    EXPECT_EQ(empty.solaText() + empty.vrstaText() + empty.razredText() + empty.oddelek() + empty.letoText() +
                  empty.emso() + empty.priimek() + empty.ime() + empty.meritve(),
              QString());
    EXPECT_FALSE(empty.hasRojstvo());
    EXPECT_EQ(empty.spol(), 1);

    const StagedRecord& shortLine = table.at(1);
    EXPECT_EQ(shortLine.sola(), 1234);
    EXPECT_EQ(shortLine.emso(), QStringLiteral("05"));
    EXPECT_EQ(shortLine.priimek() + shortLine.ime() + shortLine.meritve(), QString());

    // bytes that the code page leaves undefined do not stop the reader
    const StagedRecord& strange = table.at(0);
    EXPECT_EQ(strange.priimek(), QStringLiteral("N\uFFFD\uFFFD"));
    EXPECT_EQ(strange.ime(), QStringLiteral("\u02D9"));
}

TEST(ExchangeReader, FilesReplaceTheTableAndFailuresKeepIt)
{
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("S123405"));
    const QString second = dir.filePath(QStringLiteral("S123406"));
    QFile f1(first);
    ASSERT_TRUE(f1.open(QIODevice::WriteOnly));
    f1.write(Line().name("PRVI A").bytes + "\r\n" + Line().name("DRUGI B").bytes + "\r\n");
    f1.close();
    QFile f2(second);
    ASSERT_TRUE(f2.open(QIODevice::WriteOnly));
    f2.write(Line().name("TRETJI C").bytes + "\r\n");
    f2.close();

    StagingTable table;
    ReadExchangeFile(first, table);
    ASSERT_EQ(table.size(), 2);
    ReadExchangeFile(second, table);
    ASSERT_EQ(table.size(), 1);
    EXPECT_EQ(table.current().priimek(), QStringLiteral("TRETJI"));

    EXPECT_THROW(ReadExchangeFile(dir.filePath(QStringLiteral("ni")), table), IoError);
    EXPECT_THROW(ReadExchangeFile(dir.path(), table), IoError); // a folder cannot be read as a file
    ASSERT_EQ(table.size(), 1);
    EXPECT_EQ(table.current().priimek(), QStringLiteral("TRETJI"));
}

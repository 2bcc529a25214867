// The results string: reading one field, cutting by the test widths, packing
// from workbook cells and from an exchange line; the staging table's rules.
#include "core/Errors.h"
#include "exchange/ResultsString.h"
#include "exchange/StagingTable.h"

#include <gtest/gtest.h>

using namespace gibomer;

TEST(ResultsString, FieldValues)
{
    struct Case
    {
        const char* text;
        int expected;
    } cases[] = {
        {"1452", 1452}, {"  12", 12}, {"0012", 12}, {"1 2", 102}, {"12  ", -1}, {"    ", -1},
        {"", -1},       {"-1", -1},   {"+7", 7},    {"0", 0},     {"5", 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseResultField(QString::fromLatin1(c.text)), c.expected) << '"' << c.text << '"';
}

TEST(ResultsString, FieldsThatDoNotConvert)
{
    // the leading blank of " -5" becomes a zero in front of the sign
    for (const char* text : {" -5", "14,5", "1a", "-", "5-"})
        EXPECT_THROW(ParseResultField(QString::fromLatin1(text)), ConversionError) << text;
}

TEST(ResultsString, CutByTestWidths)
{
    const QString full = QStringLiteral("1452312 9211803453211107123456");
    ASSERT_EQ(full.size(), 30);
    const ResultFields fields = CutResultsString(full + QStringLiteral("05"));
    const char* expected[] = {"", "1452", "312", " 9", "21", "180", "345", "32", "11", "107", "123", "456"};
    for (int i = 1; i <= TestCount; ++i)
        EXPECT_EQ(fields[i], QString::fromLatin1(expected[i])) << i;

    // 19 characters end inside test 7: tests 8..11 are empty; 20 characters
    // leave test 8 one character long
    const ResultFields short19 = CutResultsString(full.left(19));
    EXPECT_EQ(short19[7], QStringLiteral("32"));
    for (int i = 8; i <= TestCount; ++i)
        EXPECT_EQ(ParseResultField(short19[i]), -1) << i;
    const ResultFields short20 = CutResultsString(full.left(20));
    EXPECT_EQ(short20[8], QStringLiteral("1"));
    EXPECT_EQ(ParseResultField(short20[8]), 1);
}

TEST(ResultsString, PackFromCellsAndExchangeLine)
{
    QStringList cells = {QStringLiteral("12345"), QStringLiteral("31"), QString(), QStringLiteral("7")};
    const QString packed = PackResultsFromCells(cells);
    EXPECT_EQ(packed.size(), 30);
    EXPECT_EQ(packed.left(11), QStringLiteral("1234 31   7"));
    const ResultFields fields = CutResultsString(packed);
    EXPECT_EQ(ParseResultField(fields[1]), 1234);
    EXPECT_EQ(ParseResultField(fields[2]), 31);
    EXPECT_EQ(ParseResultField(fields[3]), -1);
    EXPECT_EQ(ParseResultField(fields[4]), 7);
    EXPECT_EQ(ParseResultField(fields[11]), -1);

    const QByteArray line =
        QByteArray(41, 'x') + QByteArray("145231229211803453211107123456") + "05" + "tail";
    EXPECT_EQ(PackResultsFromExchangeLine(line), QByteArray("14523122921180345321110712345605"));
    EXPECT_EQ(PackResultsFromExchangeLine(QByteArray(60, '1')), QByteArray(19, '1'));
}

TEST(StagingTable, WidthsEmptyReadsAndInsertInFront)
{
    StagingTable table;
    for (const char* name : {"PRVI", "DRUGI", "TRETJI"})
        table.insert().setPriimek(QString::fromLatin1(name));
    ASSERT_EQ(table.size(), 3);
    EXPECT_EQ(table.at(0).priimek(), QStringLiteral("TRETJI"));
    EXPECT_EQ(table.at(2).priimek(), QStringLiteral("PRVI"));
    EXPECT_EQ(table.current().priimek(), QStringLiteral("TRETJI"));

    StagedRecord& r = table.current();
    r.setPriimek(QString(25, QLatin1Char('K')));
    EXPECT_EQ(r.priimek(), QString(20, QLatin1Char('K')));
    EXPECT_EQ(r.leto(), 0);
    EXPECT_EQ(r.letoText(), QString());
    EXPECT_EQ(r.rojstvo(), 0.0);
    EXPECT_EQ(r.oddelek(), QString());
}

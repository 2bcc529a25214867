// Norm files: the 6-byte real codec, the record layout, the search for the
// file of a year and the reading of a record.
#include "core/Errors.h"
#include "scoring/NormTable.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolder.h"

#include <QFileInfo>
#include <climits>
#include <cmath>
#include <gtest/gtest.h>

using namespace gibomer;
using namespace gibomer::test;

namespace {

Real48 bytes(std::initializer_list<int> values)
{
    Real48 result{};
    int i = 0;
    for (int v : values)
        result[i++] = static_cast<unsigned char>(v);
    return result;
}

void writeNorms(const TestFolder& folder, const QString& name, const NormTableData& table)
{
    folder.writeFile(QStringLiteral("baza/") + name, table.toBytes());
}

} // namespace

TEST(Real48, KnownEncodings)
{
    struct Case
    {
        double value;
        Real48 encoded;
    } cases[] = {
        {-1.0, bytes({0x81, 0, 0, 0, 0, 0x80})},
        {0.0, bytes({0, 0, 0, 0, 0, 0})},
        {1.0, bytes({0x81, 0, 0, 0, 0, 0})},
        {0.5, bytes({0x80, 0, 0, 0, 0, 0})},
        {2.5, bytes({0x82, 0, 0, 0, 0, 0x20})},
        {-3.0, bytes({0x82, 0, 0, 0, 0, 0xC0})},
        // 1 + 2^-39: the lowest fraction bit is bit 0 of byte 1.
        {1.0 + std::ldexp(1.0, -39), bytes({0x81, 1, 0, 0, 0, 0})},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(encodeReal48(c.value), c.encoded) << c.value;
        EXPECT_EQ(decodeReal48(c.encoded.data()), c.value) << c.value;
    }
    // A zero exponent is 0 whatever the other bytes hold.
    EXPECT_EQ(decodeReal48(bytes({0, 0xff, 0xff, 0xff, 0xff, 0xff}).data()), 0.0);
}

TEST(Real48, RoundTripsWithinTheFractionsPrecision)
{
    for (double value : {154.2, 1245.1, 0.1, -0.1, 99.9, 1e-30, 1e30, 123456.789, 188.0}) {
        const double back = decodeReal48(encodeReal48(value).data());
        EXPECT_LE(std::fabs(back - value), std::fabs(value) * std::ldexp(1.0, -39)) << value;
    }
    // A fraction that rounds up to the next power of two carries into the exponent.
    EXPECT_EQ(decodeReal48(encodeReal48(std::nextafter(2.0, 0.0)).data()), 2.0);
    EXPECT_EQ(encodeReal48(1e-50), bytes({0, 0, 0, 0, 0, 0})); // below the smallest magnitude
    EXPECT_THROW(encodeReal48(1e40), AppError);
    EXPECT_THROW(encodeReal48(std::nan("")), AppError);
}

TEST(NormRecord, LayoutAndBytes)
{
    EXPECT_EQ(NormRecordSize, 142296);
    EXPECT_EQ(normOffset(1, 1, 1, 12), 0);
    EXPECT_EQ(normOffset(1, 1, 2, 12), 462);
    EXPECT_EQ(normOffset(1, 2, 1, 12), 5082);
    EXPECT_EQ(normOffset(2, 1, 1, 12), 71148);
    EXPECT_EQ(normOffset(2, 14, 11, 88), 142290);

    NormTableData table;
    table.set(2, 14, 11, 88, 123.5);
    table.set(1, 1, 1, 12, 7.0);
    table.set(1, 6, 5, 50, 154.2);
    const QByteArray record = table.toBytes();
    ASSERT_EQ(record.size(), NormRecordSize);
    EXPECT_EQ(decodeReal48(reinterpret_cast<const unsigned char*>(record.constData()) + 142290), 123.5);
    EXPECT_EQ(decodeReal48(reinterpret_cast<const unsigned char*>(record.constData())), 7.0);
    // Untouched positions hold -1.
    EXPECT_EQ(record.mid(6, 6), QByteArray::fromHex("810000000080"));
    const NormTableData back = NormTableData::fromBytes(record);
    EXPECT_EQ(back.at(2, 14, 11, 88), 123.5);
    EXPECT_NEAR(back.at(1, 6, 5, 50), 154.2, 1e-9);
    EXPECT_EQ(back.at(2, 14, 11, 87), -1.0);
    EXPECT_THROW(table.at(3, 1, 1, 12), std::out_of_range);
    EXPECT_THROW(table.at(1, 1, 1, 89), std::out_of_range);
}

TEST(NormFileSearch, OrderAndLimits)
{
    struct Case
    {
        QStringList files;
        int year;
        QString expected; // empty: no norm file
    } cases[] = {
        {{"Tnorme2001.dat", "Tnorme2010.dat"}, 2005, "Tnorme2001.dat"},
        // A year older than every file takes the oldest later one up to 2019.
        {{"Tnorme2001.dat", "Tnorme2010.dat"}, 2000, "Tnorme2001.dat"},
        {{"Tnorme2001.dat", "Tnorme2010.dat"}, 2012, "Tnorme2010.dat"},
        {{"Tnorme2001.dat", "Tnorme2010.dat"}, 2010, "Tnorme2010.dat"},
        {{"Tnorme2001.dat", "Tnorme2010.dat"}, 2040, "Tnorme2010.dat"},
        {{"Tnorme2001.dat", "Tnorme2010.dat", "Tnorme2020.dat", "Tnorme.dat"}, 1950, "Tnorme2001.dat"},
        // Only Tnorme.dat: every year loads it, far outside both limits too.
        {{"Tnorme.dat"}, 0, "Tnorme.dat"},
        {{"Tnorme.dat"}, 1900, "Tnorme.dat"},
        {{"Tnorme.dat"}, 2100, "Tnorme.dat"},
        {{"Tnorme.dat"}, INT_MIN, "Tnorme.dat"},
        {{"Tnorme.dat"}, INT_MAX, "Tnorme.dat"},
        // At and beyond a limit only the year itself is tried in that direction.
        {{"Tnorme1975.dat"}, 1975, "Tnorme1975.dat"},
        {{"Tnorme1975.dat"}, 1976, ""},
        {{"Tnorme1975.dat"}, 1970, "Tnorme1975.dat"},
        {{"Tnorme2025.dat"}, 2020, ""},
        {{"Tnorme2025.dat"}, 2030, "Tnorme2025.dat"},
        {{"Tnorme1981.dat"}, 1981, "Tnorme1981.dat"},
        {{"Tnorme0.dat"}, 0, "Tnorme0.dat"},
        // The year is written without leading zeros.
        {{"Tnorme02005.dat", "Tnorme.dat"}, 2005, "Tnorme.dat"},
        {{}, 2005, ""},
    };
    for (const Case& c : cases) {
        TestFolder folder;
        for (const QString& name : c.files)
            folder.writeFile(QStringLiteral("baza/") + name, "x");
        const std::optional<QString> found = findNormFile(folder.folder(), c.year);
        EXPECT_EQ(found ? QFileInfo(*found).fileName() : QString(), c.expected)
            << c.year << " " << c.files.join(QLatin1Char(' ')).toStdString();
    }
}

TEST(NormFileSearch, DirectoriesAreNoNormFiles)
{
    TestFolder folder;
    folder.writeFile(QStringLiteral("baza/Tnorme2005.dat/inner"), "x");
    folder.writeFile(QStringLiteral("baza/Tnorme.dat/inner"), "x");
    EXPECT_FALSE(findNormFile(folder.folder(), 2005));
}

TEST(NormFileRead, FirstRecordOrAnInputOutputError)
{
    TestFolder folder;
    NormTableData table;
    table.set(1, 6, 5, 50, 154.2);
    const QByteArray record = table.toBytes();

    folder.writeFile(QStringLiteral("baza/long.dat"), record + QByteArray::fromHex("ff"));
    EXPECT_EQ(readNormFile(folder.folder().bazaFile(QStringLiteral("long.dat"))),
              NormTableData::fromBytes(record));

    folder.writeFile(QStringLiteral("baza/short.dat"), record.left(NormRecordSize - 1));
    try {
        readNormFile(folder.folder().bazaFile(QStringLiteral("short.dat")));
        ADD_FAILURE() << "a short file was read";
    } catch (const IoError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("short.dat"))) << error.message().toStdString();
    }
    EXPECT_THROW(readNormFile(folder.folder().bazaFile(QStringLiteral("missing.dat"))), IoError);
}

TEST(LoadNormTable, ReadsTheFoundFileOrStopsWithAMessage)
{
    TestFolder folder;
    NormTableData table;
    table.set(2, 3, 4, 40, 33.0);
    writeNorms(folder, QStringLiteral("Tnorme2001.dat"), table);
    ScriptedPrompter prompter;
    LoadNormTable(folder.folder(), prompter, 2005);
    EXPECT_EQ(NormTable().at(2, 3, 4, 40), 33.0);

    // A file that cannot be read leaves the loaded table as it was.
    folder.writeFile(QStringLiteral("baza/Tnorme2003.dat"), "too short");
    EXPECT_THROW(LoadNormTable(folder.folder(), prompter, 2005), IoError);
    EXPECT_EQ(NormTable().at(2, 3, 4, 40), 33.0);

    TestFolder empty;
    prompter.expectMessage(QStringLiteral("Datoteka z t-normami ne obstaja!"));
    EXPECT_THROW(LoadNormTable(empty.folder(), prompter, 2005), SilentAbort);
    EXPECT_TRUE(prompter.done());
}

// Reading and writing workbook files: fixtures written by a real spreadsheet
// program in both formats, hand-made packages for the value kinds that
// program does not write, and files that are not sound workbooks.
#include "exchange/Workbook.h"
#include "support/TestFolder.h"

#include "support/QStringPrinting.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <zip.h>

using namespace gibomer;
using namespace gibomer::test;

namespace {

QString fixture(const char* name)
{
    return sourcePath(QStringLiteral("tests/exchange/workbooks/") + QLatin1String(name));
}

QStringList names(const std::vector<WorkbookSheet>& sheets)
{
    QStringList result;
    for (const auto& s : sheets)
        result << s.name();
    return result;
}

// The message of the WorkbookError that reading throws; empty when none is thrown.
QString readError(const QString& path)
{
    try {
        readWorkbook(path);
    } catch (const WorkbookError& e) {
        return e.message();
    }
    return {};
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A ZIP with the given members, for packages no spreadsheet program writes.
void writeZip(const QString& path, const std::vector<std::pair<const char*, QByteArray>>& members)
{
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(zip, nullptr);
    std::vector<QByteArray> keep;
    for (const auto& [name, data] : members) {
        keep.push_back(data);
        zip_source_t* source = zip_source_buffer(zip, keep.back().constData(), keep.back().size(), 0);
        ASSERT_GE(zip_file_add(zip, name, source, ZIP_FL_OVERWRITE), 0);
    }
    ASSERT_EQ(zip_close(zip), 0);
}

const QByteArray Rels = R"(<?xml version="1.0"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>
</Relationships>)";
const QByteArray WorkbookXml = R"(<?xml version="1.0"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<sheets><sheet name="8 C" sheetId="1" r:id="rId1"/></sheets></workbook>)";
const QByteArray WorkbookRels = R"(<?xml version="1.0"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/xl/worksheets/s.xml"/>
</Relationships>)";

} // namespace

class FixtureWorkbook : public ::testing::TestWithParam<const char*>
{
};

TEST_P(FixtureWorkbook, SheetsAndCellTexts)
{
    const auto sheets = readWorkbook(fixture(GetParam()));
    EXPECT_EQ(names(sheets), QStringList({"5 A", "7 ABCD", "6 B", "5 ", "List1"}));
    const WorkbookSheet& s = sheets[0];
    struct Case
    {
        int row, column;
        const char* text;
    };
    const Case cases[] = {
        {1, 4, "Priimek in ime"},
        {1, 16, "600m"},
        {2, 1, "5"},
        {2, 3, "1995"},
        {2, 4, "Novak Ana"},
        {2, 5, "505"},
        {2, 6, "1452"},
        {3, 1, ""},
        {3, 4, "Kovač Miha"},
        {3, 6, "15,5"},
        {4, 1, "07"},
        {4, 5, "M"},
        {4, 7, ""},
        {5, 4, ""},
        {5, 6, "1300"},
        {6, 4, "Košir  Žan"},
        {6, 6, "1450"}, // a formula: its cached value
        {7, 4, "Zupan Eva"},
        {7, 5, ""}, // merged over two columns: the second reads empty
        {7, 6, "1500"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(s.cell(c.row, c.column), QString::fromUtf8(c.text)) << c.row << "," << c.column;
    EXPECT_EQ(sheets[2].lastRow(), 51);
    EXPECT_EQ(sheets[2].cell(51, 4), QStringLiteral("Učenec50 Ime"));
    EXPECT_EQ(sheets[4].lastRow(), 0);
}

INSTANTIATE_TEST_SUITE_P(BothFormats, FixtureWorkbook, ::testing::Values("entry.xlsx", "entry.xls"));

TEST(NumberCellText, WholeNumbersWithoutDecimalsFractionsWithComma)
{
    const std::pair<double, const char*> cases[] = {{1995, "1995"}, {5.0, "5"},         {15.5, "15,5"},
                                                    {-0.0, "0"},    {0.1 + 0.2, "0,3"}, {-12.25, "-12,25"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(numberCellText(value), QLatin1String(text)) << value;
}

TEST(XlsxReader, ValueKindsAPackageMayHold)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kinds.xlsx"));
    // Inline and formula strings, booleans, an ISO date, cells and rows
    // without references, a shared string with a phonetic guide.
    const QByteArray sheet = R"(<?xml version="1.0"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>
<row r="2"><c r="A2" t="inlineStr"><is><t>Novak</t><r><t xml:space="preserve"> Ana</t></r></is></c>
<c t="b"><v>1</v></c><c t="str"><f>A2</f><v>izračun</v></c><c r="E2" t="d"><v>1995-03-05</v></c>
<c r="F2" t="s"><v>0</v></c><c r="G2"><v>1.25E1</v></c><c r="H2" t="e"><v>#DIV/0!</v></c><c r="I2"/></row>
<row><c r="B3"><v>7</v></c></row>
</sheetData></worksheet>)";
    const QByteArray shared = R"(<?xml version="1.0"?>
<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="1" uniqueCount="1">
<si><r><t>Šola</t></r><rPh><t>xx</t></rPh></si></sst>)";
    QByteArray rels = WorkbookRels;
    rels.replace(
        "</Relationships>",
        R"(<Relationship Id="rId9" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/></Relationships>)");
    writeZip(path, {{"_rels/.rels", Rels},
                    {"xl/workbook.xml", WorkbookXml},
                    {"xl/_rels/workbook.xml.rels", rels},
                    {"xl/sharedStrings.xml", shared},
                    {"xl/worksheets/s.xml", sheet}});
    const auto sheets = readWorkbook(path);
    ASSERT_EQ(sheets.size(), 1u);
    const WorkbookSheet& s = sheets[0];
    EXPECT_EQ(s.name(), QStringLiteral("8 C"));
    EXPECT_EQ(s.cell(2, 1), QStringLiteral("Novak Ana"));
    EXPECT_EQ(s.cell(2, 2), QStringLiteral("TRUE"));
    EXPECT_EQ(s.cell(2, 3), QStringLiteral("izračun"));
    EXPECT_EQ(s.cell(2, 5), QStringLiteral("34763")); // 5.3.1995 as its day serial
    EXPECT_EQ(s.cell(2, 6), QStringLiteral("Šola"));
    EXPECT_EQ(s.cell(2, 7), QStringLiteral("12,5"));
    EXPECT_EQ(s.cell(2, 8), QStringLiteral("#DIV/0!"));
    EXPECT_EQ(s.cell(2, 9), QString());
    EXPECT_EQ(s.cell(3, 2), QStringLiteral("7"));
}

TEST(WorkbookReader, FilesThatAreNotSoundWorkbooksGiveAClearMessage)
{
    QTemporaryDir dir;
    const QByteArray xlsx = readBytes(fixture("entry.xlsx"));
    const QByteArray xls = readBytes(fixture("entry.xls"));
    ASSERT_FALSE(xlsx.isEmpty());
    ASSERT_FALSE(xls.isEmpty());

    // A password-protected .xlsx: a compound file holding "EncryptedPackage".
    QByteArray encrypted = xls.left(512);
    const QString stream = QStringLiteral("EncryptedPackage");
    encrypted.append(reinterpret_cast<const char*>(stream.utf16()), stream.size() * 2);
    encrypted.append(QByteArray(1024, '\0'));
    QByteArray brokenSheet = xlsx;
    brokenSheet.replace("<sheetData>", "<sheetData><row><c r=\"A1\"><v>1</v></row>");

    struct Case
    {
        const char* file;
        QByteArray bytes;
        const char* message;
    } cases[] = {
        {"notes.xls", "Priimek;Ime\r\nNovak;Ana\r\n", "ni delovni zvezek"},
        {"half.xlsx", xlsx.left(xlsx.size() / 2), "je poškodovan"},
        {"half.xls", xls.left(1536), "je poškodovan"},
        {"secret.xlsx", encrypted, "je zaščiten z geslom"},
        {"empty.xlsx", QByteArray(), "ni delovni zvezek"},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(QLatin1String(c.file));
        writeBytes(path, c.bytes);
        EXPECT_TRUE(readError(path).contains(QString::fromUtf8(c.message)))
            << c.file << ": " << readError(path).toStdString();
    }

    const QString document = dir.filePath(QStringLiteral("document.xlsx"));
    writeZip(document, {{"word/document.xml", "<document/>"}});
    EXPECT_TRUE(readError(document).contains(QStringLiteral("ni delovni zvezek")));

    const QString badXml = dir.filePath(QStringLiteral("badxml.xlsx"));
    writeZip(badXml, {{"_rels/.rels", Rels},
                      {"xl/workbook.xml", WorkbookXml},
                      {"xl/_rels/workbook.xml.rels", WorkbookRels},
                      {"xl/worksheets/s.xml", "<worksheet><sheetData><row><c r=\"A1\"><v>1</v></row>"}});
    EXPECT_TRUE(readError(badXml).contains(QStringLiteral("je poškodovan")));

    EXPECT_TRUE(
        readError(dir.filePath(QStringLiteral("missing.xls"))).contains(QStringLiteral("ni mogoče odpreti")));
}

TEST(WorkbookWriter, WritesTextCellsThatReadBackUnchanged)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.xlsx"));
    WorkbookSheet a(QStringLiteral("5 Č"));
    a.setCell(1, 1, QStringLiteral("Dan rojstva"));
    a.setCell(2, 1, QStringLiteral("05"));
    a.setCell(2, 4, QStringLiteral("Šubic Žiga"));
    a.setCell(2, 6, QStringLiteral("12,5"));
    a.setCell(40, 16, QStringLiteral("x"));
    WorkbookSheet b(QStringLiteral("6 A"));
    writeWorkbook(path, {a, b}, {12, 14});

    const auto sheets = readWorkbook(path);
    ASSERT_EQ(names(sheets), QStringList({"5 Č", "6 A"}));
    EXPECT_EQ(sheets[0].cell(2, 1), QStringLiteral("05"));
    EXPECT_EQ(sheets[0].cell(2, 4), QStringLiteral("Šubic Žiga"));
    EXPECT_EQ(sheets[0].cell(2, 6), QStringLiteral("12,5"));
    EXPECT_EQ(sheets[0].cell(40, 16), QStringLiteral("x"));
    EXPECT_EQ(sheets[1].lastRow(), 0);
}

TEST(WorkbookWriter, ARefusedWorkbookLeavesTheExistingFileAlone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.xlsx"));
    writeBytes(path, "earlier");
    const std::vector<std::vector<WorkbookSheet>> refused = {
        {WorkbookSheet(QStringLiteral("5 A")), WorkbookSheet(QStringLiteral("5 a"))},
        {WorkbookSheet(QStringLiteral("5 A/B"))},
        {WorkbookSheet(QStringLiteral("5 ") + QString(40, QLatin1Char('A')))},
    };
    for (const auto& sheets : refused) {
        EXPECT_THROW(writeWorkbook(path, sheets), WorkbookError) << sheets[0].name().toStdString();
        EXPECT_EQ(readBytes(path), QByteArray("earlier"));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"out.xlsx"}));
}

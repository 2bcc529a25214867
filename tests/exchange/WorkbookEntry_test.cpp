// The entry workbook: its sheet-name rules, staging the pupils of a filled
// workbook, creating it for a year, and the import through the engine.
#include "core/Errors.h"
#include "core/Formats.h"
#include "core/Sql.h"
#include "exchange/ClassWorkbook.h"
#include "exchange/StagingTable.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolder.h"

#include "support/QStringPrinting.h"
#include <QDate>
#include <QSqlQuery>

#include <gtest/gtest.h>

using namespace gibomer;
using namespace gibomer::test;

namespace {

QString fixture(const char* name)
{
    return sourcePath(QStringLiteral("tests/exchange/workbooks/") + QLatin1String(name));
}

std::vector<WorkbookSheet> sheetsNamed(const QStringList& names)
{
    std::vector<WorkbookSheet> sheets;
    for (const QString& n : names)
        sheets.emplace_back(n);
    return sheets;
}

void addClass(TDM& dm, int id, int sola, int leto, int razred, const QString& oddelek, int vrsta = 1)
{
    execSql(dm.db(), QStringLiteral("INSERT INTO T_MERITEV VALUES (:p1,:p2,:p3,:p4,:p5,:p6)"),
            {{":p1", id}, {":p2", sola}, {":p3", leto}, {":p4", razred}, {":p5", oddelek}, {":p6", vrsta}});
}

QString thisYear()
{
    return QString::number(QDate::currentDate().year());
}

} // namespace

TEST(ClassSheetNames, EveryNameIsCheckedBeforeAnythingIsStaged)
{
    struct Case
    {
        QStringList names;
        const char* message; // empty: accepted
    } cases[] = {
        {{"5 A", "List1"}, " ni pravilno vpisan razred"},
        {{"5 "}, "Oddelek ni pravilno vpisan !"},
        {{"peti A"}, "peti ni pravilno vpisan razred"},
        {{"5A"}, " ni pravilno vpisan razred"},
        {{"5 A", "6 B", "5 a"}, "Lista '5 A' in '5 a' sta za isti razred in oddelek (5 a)."},
        {{"5 ABC", "5 ABCD"}, "Lista '5 ABC' in '5 ABCD' sta za isti razred in oddelek (5 ABC)."},
        {{"05 A", "5 A"}, "Lista '05 A' in '5 A' sta za isti razred in oddelek (5 A)."},
    };
    for (const Case& c : cases) {
        ScriptedPrompter prompter;
        prompter.allowMessages(QString::fromUtf8(c.message));
        StagingTable staging;
        staging.insert().setPriimek(QStringLiteral("prej"));
        EXPECT_THROW(stageClassWorkbook(prompter, sheetsNamed(c.names), {}, staging), SilentAbort)
            << c.names.join('|').toStdString();
        ASSERT_EQ(prompter.asked.size(), 1) << c.names.join('|').toStdString();
        EXPECT_TRUE(prompter.asked[0].contains(QString::fromUtf8(c.message)))
            << prompter.asked[0].toStdString();
        EXPECT_EQ(staging.size(), 1) << "staging table touched for " << c.names.join('|').toStdString();
    }

    ScriptedPrompter prompter;
    const auto classes = checkClassSheets(prompter, sheetsNamed({"5 A", "7 ABCD", "12 b", "3  x"}));
    ASSERT_EQ(classes.size(), 4u);
    EXPECT_EQ(classes[0].razred, 5);
    EXPECT_EQ(classes[0].oddelek, QStringLiteral("A"));
    EXPECT_EQ(classes[1].oddelek, QStringLiteral("ABC"));
    EXPECT_EQ(classes[2].razred, 12);
    EXPECT_EQ(classes[3].oddelek, QStringLiteral(" x"));
}

class StagingFixture : public ::testing::TestWithParam<const char*>
{
};

TEST_P(StagingFixture, PupilsOfRowsTwoToFortyNine)
{
    auto sheets = readWorkbook(fixture(GetParam()));
    sheets.resize(3); // "5 A", "7 ABCD", "6 B"; the two badly named sheets are tested above
    ScriptedPrompter prompter;
    StagingTable staging;
    const QStringList cut = stageClassWorkbook(prompter, sheets, {4321, 2, 2005}, staging);
    EXPECT_EQ(cut, QStringList({"6 B"}));
    // 5 A: five named rows (one row without a name is skipped); 7 ABCD: one; 6 B: rows 2..49.
    ASSERT_EQ(staging.size(), 5 + 1 + 48);
    // Each record went in front of the one before: the first read is last.
    EXPECT_EQ(staging.currentIndex(), 0);
    EXPECT_EQ(staging.at(0).priimek(), QStringLiteral("Učenec48"));
    EXPECT_EQ(staging.at(48).priimek(), QStringLiteral("Horvat"));
    EXPECT_EQ(staging.at(48).oddelek(), QStringLiteral("ABC"));
    EXPECT_EQ(staging.at(48).razred(), 7);

    struct Expected
    {
        const char* priimek;
        const char* ime;
        int spol;
        QDate born; // invalid: none
        const char* meritve;
    };
    const Expected rows[] = {
        {"Novak", "Ana", 1, QDate(1995, 3, 5), "1452 4512301801202540 15 95210"},
        {"Kovač", "Miha", 0, QDate(1996, 1, 1), "15,5 38 9281751182235 12 99220"}, // empty day: 1 January
        {"", "Ana", 1, QDate(1995, 11, 7), "1400     31                   "},
        {"Košir", " Žan", 0, QDate(1995, 2, 1), "1450 50 8331901102841 20 90200"},
        {"Zupan", "Eva", 1, QDate(1995, 2, 2), "1500 51                       "},
    };
    for (int i = 0; i < 5; ++i) {
        const StagedRecord& r = staging.at(53 - i);
        const Expected& e = rows[i];
        EXPECT_EQ(r.priimek(), QString::fromUtf8(e.priimek)) << i;
        EXPECT_EQ(r.ime(), QString::fromUtf8(e.ime)) << i;
        EXPECT_EQ(r.spol(), e.spol) << i;
        EXPECT_EQ(dateFromSerial(r.rojstvo()), e.born) << i;
        EXPECT_EQ(r.meritve(), QString::fromUtf8(e.meritve)) << i;
        EXPECT_EQ(r.sola(), 4321);
        EXPECT_EQ(r.vrsta(), 2);
        EXPECT_EQ(r.leto(), 2005);
        EXPECT_EQ(r.razred(), 5);
        EXPECT_EQ(r.oddelek(), QStringLiteral("A"));
        EXPECT_TRUE(r.emso().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(BothFormats, StagingFixture, ::testing::Values("entry.xlsx", "entry.xls"));

TEST(ClassWorkbookStaging, BirthDatesThatAreNotDatesStayEmpty)
{
    WorkbookSheet sheet(QStringLiteral("5 A"));
    const QStringList rows[] = {
        {"31", "2", "1995", "A B"}, {"", "", "", "C D"}, {"5", "", "1995", "E F"}, {"34763", "", "", "G H"}};
    for (int i = 0; i < 4; ++i) {
        for (int c = 0; c < 4; ++c)
            sheet.setCell(2 + i, c + 1, rows[i][c]);
    }
    ScriptedPrompter prompter;
    StagingTable staging;
    stageClassWorkbook(prompter, {sheet}, {}, staging);
    ASSERT_EQ(staging.size(), 4);
    for (const StagedRecord& r : staging)
        EXPECT_FALSE(r.hasRojstvo()) << r.priimek().toStdString();
}

TEST(CreateClassWorkbook, OneSheetPerClassInReverseOrderWithTheHeader)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    auto dm = folder.openDataModule(prompter);
    addClass(*dm, 1, 10, 2005, 6, QStringLiteral("A"));
    addClass(*dm, 2, 10, 2005, 5, QStringLiteral("B"));
    addClass(*dm, 3, 10, 2005, 5, QStringLiteral("A"));
    addClass(*dm, 4, 11, 2005, 7, QStringLiteral("C"), 0);
    addClass(*dm, 5, 10, 2006, 8, QStringLiteral("A"));
    const QString path = folder.path() + QStringLiteral("/razredi");
    prompter.expectInput(QStringLiteral("Vpis leta meritve"), QStringLiteral("2005")).expectSaveFile(path);

    EXPECT_EQ(CreateClassWorkbook(*dm), path + QStringLiteral(".xlsx"));
    EXPECT_EQ(prompter.lastProposedText, thisYear());
    const auto sheets = readWorkbook(path + QStringLiteral(".xlsx"));
    QStringList names;
    for (const auto& s : sheets)
        names << s.name();
    // Query order: 7 C (type 0), 5 A, 5 B, 6 A.
    EXPECT_EQ(names, QStringList({"6 A", "5 B", "5 A", "7 C"}));
    QStringList header;
    for (int c = 1; c <= 17; ++c)
        header << sheets[0].cell(1, c);
    EXPECT_EQ(header.join('|'),
              QStringLiteral("Dan rojstva|Mesec rojstva|Leto rojstva|Priimek in ime|Spol|ATV|"
                             "ATT|AKG|DPR|SDM|PON|DT|PRE|VZG|60m|600m|"));
    EXPECT_EQ(sheets[3].lastRow(), 1);
}

TEST(CreateClassWorkbook, StopsWithAMessageAndWritesNothing)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    auto dm = folder.openDataModule(prompter);
    addClass(*dm, 1, 10, 2005, 5, QStringLiteral("A"));
    addClass(*dm, 2, 11, 2005, 5, QStringLiteral("a")); // another school: the same sheet name
    addClass(*dm, 3, 10, 2006, 5, QStringLiteral("A"));
    addClass(*dm, 5, 10, 2008, 5, QStringLiteral("A/B"));

    const std::pair<std::optional<QString>, const char*> cases[] = {
        {QStringLiteral("2007"),
         "Za izbrano leto ni vnešenih oddelkov, zato ne morete kreirati excel dokumenta!"},
        {QStringLiteral("2005 or 1=1"), "Napačno vnešeno leto!"},
        {QStringLiteral(""), "Napačno vnešeno leto!"},
        {QStringLiteral("2005"), "Za leto 2005 sta vpisana dva oddelka z imenom '5 "},
        {QStringLiteral("2008"),
         "Oddelek '5 A/B' leta 2008 ne more dati imena lista (ime lista ne sme vsebovati znaka /)"},
    };
    for (const auto& [answer, message] : cases) {
        prompter.expectInput(QStringLiteral("Vpis leta meritve"), answer)
            .allowMessages(QString::fromUtf8(message));
        EXPECT_THROW(CreateClassWorkbook(*dm), SilentAbort) << answer->toStdString();
        EXPECT_TRUE(prompter.asked.last().startsWith(QString::fromUtf8(message)))
            << prompter.asked.last().toStdString();
    }
    // Cancel keeps the proposed year; the user then cancels the save dialog.
    if (QDate::currentDate().year() != 2006)
        addClass(*dm, 4, 10, QDate::currentDate().year(), 5, QStringLiteral("A"));
    prompter.expectInput(QStringLiteral("Vpis leta meritve"), std::nullopt).expectSaveFile(QString());
    EXPECT_EQ(CreateClassWorkbook(*dm), QString());
    EXPECT_TRUE(prompter.done());
}

// The export of a school year: sheets, row order, the cells of a pupil row,
// the cases that stop it, and its window.
#include "core/Errors.h"
#include "core/Sql.h"
#include "exchange/Export.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolder.h"
#include "ui/Program.h"
#include "ui/core/UF_MAIN.h"
#include "ui/exchange/UF_IZVOZ.h"
#include "ui/records/UF_VNOSU.h"

#include "support/QStringPrinting.h"
#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

using namespace gibomer;
using namespace gibomer::test;

namespace {

void addClass(TDM& dm, int id, int leto, int razred, const QString& oddelek)
{
    execSql(dm.db(), QStringLiteral("INSERT INTO T_MERITEV VALUES (:p1,10,:p2,:p3,:p4,1)"),
            {{":p1", id}, {":p2", leto}, {":p3", razred}, {":p4", oddelek}});
}

void addPupil(TDM& dm, int id, const QString& priimek, const QString& ime, const QVariant& rojstvo, int spol)
{
    execSql(dm.db(),
            QStringLiteral("INSERT INTO T_UCENEC (ID_UCENEC,PRIIMEK,IME,ROJSTVO,SPOL) VALUES "
                           "(:p1,:p2,:p3,:p4,:p5)"),
            {{":p1", id}, {":p2", priimek}, {":p3", ime}, {":p4", rojstvo}, {":p5", spol}});
}

// ATV, ATT and T600 given; the others NULL.
void addResults(TDM& dm, int pupil, int group, double atv, double att, double t600)
{
    execSql(dm.db(),
            QStringLiteral("INSERT INTO T_VREDNOST (ID_UCENEC,ID_MERITEV,ATV,ATVT,ATT,T600,XT) VALUES "
                           "(:p1,:p2,:p3,55,:p4,:p5,51.5)"),
            {{":p1", pupil}, {":p2", group}, {":p3", atv}, {":p4", att}, {":p5", t600}});
}

QString row(const WorkbookSheet& sheet, int r)
{
    QStringList cells;
    for (int c = 1; c <= 17; ++c)
        cells << sheet.cell(r, c);
    return cells.join('|');
}

// A year with two groups: 5 A with four pupils (and a results row whose
// pupil is gone), 6 B without results rows; and a group of another year.
struct ExportYearFixture
{
    TestFolder folder;
    ScriptedPrompter prompter;
    std::unique_ptr<TDM> dm = folder.openDataModule(prompter);

    ExportYearFixture()
    {
        addClass(*dm, 1, 2005, 5, QStringLiteral("A"));
        addClass(*dm, 2, 2005, 6, QStringLiteral("B"));
        addClass(*dm, 3, 2006, 6, QStringLiteral("A"));
        addPupil(*dm, 1, QStringLiteral("Žagar"), QStringLiteral("Eva"), QStringLiteral("1994-03-05"), 1);
        addPupil(*dm, 2, QStringLiteral("Novak"), QStringLiteral("Jan"), QStringLiteral("1994-12-31"), 0);
        addPupil(*dm, 3, QStringLiteral("Ambrož"), QStringLiteral("Ana"), QVariant(), 1);
        addPupil(*dm, 4, QStringLiteral("Novak"), QStringLiteral("Aleš"), QStringLiteral("1899-12-30"), 0);
        addResults(*dm, 1, 1, 1452, 12.5, 210);
        addResults(*dm, 2, 1, 1500, 40, 199);
        addResults(*dm, 3, 1, 1399, 38, 220);
        addResults(*dm, 4, 1, 1420, 41, 205);
        addResults(*dm, 99, 1, 1, 1, 1); // its pupil is missing
        addResults(*dm, 1, 3, 1460, 44, 200);
    }
};

} // namespace

TEST(ExportSheets, PupilRowsOfEveryGroupOfTheYear)
{
    ExportYearFixture f;
    const auto sheets = buildExportSheets(*f.dm, 2005, false);
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0].name(), QStringLiteral("6 B")); // the reverse of the groups' order
    EXPECT_EQ(sheets[1].name(), QStringLiteral("5 A"));
    EXPECT_EQ(sheets[0].lastRow(), 1); // a group without results rows: the header only
    EXPECT_EQ(sheets[0].cell(1, 16), QStringLiteral("600m"));

    const WorkbookSheet& s = sheets[1];
    EXPECT_EQ(s.lastRow(), 5);
    // Boys first, then by surname and first name; no date cells for a pupil
    // without a birth date; results as text with the decimal comma.
    EXPECT_EQ(row(s, 2), QStringLiteral("|||Novak Aleš|500|1420|41|||||||||205|"));
    EXPECT_EQ(row(s, 3), QStringLiteral("31|12|1994|Novak Jan|500|1500|40|||||||||199|"));
    EXPECT_EQ(row(s, 4), QStringLiteral("|||Ambrož Ana|505|1399|38|||||||||220|"));
    EXPECT_EQ(row(s, 5), QStringLiteral("05|03|1994|Žagar Eva|505|1452|12,5|||||||||210|"));

    const auto pupilsOnly = buildExportSheets(*f.dm, 2005, true);
    EXPECT_EQ(row(pupilsOnly[1], 5), QStringLiteral("05|03|1994|Žagar Eva|505||||||||||||"));
}

TEST(ExportYear, WritesWhereTheUserChoosesOrStopsWithAMessage)
{
    ExportYearFixture f;
    const QString path = f.folder.path() + QStringLiteral("/izvoz.xlsx");
    f.prompter.expectSaveFile(path);
    EXPECT_EQ(ExportYear(*f.dm, 2005, false), path);
    const auto sheets = readWorkbook(path);
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(row(sheets[1], 5), QStringLiteral("05|03|1994|Žagar Eva|505|1452|12,5|||||||||210|"));

    f.prompter.expectSaveFile(QString());
    EXPECT_EQ(ExportYear(*f.dm, 2005, false), QString());

    f.prompter.allowMessages(QStringLiteral("Za leto 2007 ni vnešenih oddelkov"));
    EXPECT_THROW(ExportYear(*f.dm, 2007, false), SilentAbort);

    addClass(*f.dm, 4, 2005, 5, QStringLiteral("a"));
    f.prompter.allowMessages(QStringLiteral("Za leto 2005 sta vpisana dva oddelka z imenom '5 "));
    EXPECT_THROW(ExportYear(*f.dm, 2005, false), SilentAbort);
    EXPECT_TRUE(f.prompter.done());
}

TEST(TF_IZVOZ, ExportsTheChosenYearAndOpensTheWorkbook)
{
    ExportYearFixture f;
    TF_IZVOZ window(*f.dm);
    EXPECT_EQ(window.seLeto->value(), currentSchoolYear());
    EXPECT_FALSE(window.cbIzvoz->isChecked());
    QStringList opened;
    window.openWorkbook = [&](const QString& p) { opened << p; };
    window.seLeto->setValue(2005);
    window.cbIzvoz->setChecked(true);
    const QString path = f.folder.path() + QStringLiteral("/izvoz");
    f.prompter.expectSaveFile(path);
    window.sbUvozi->click();
    EXPECT_EQ(opened, QStringList({path + QStringLiteral(".xlsx")}));
    EXPECT_EQ(readWorkbook(opened[0])[1].cell(5, 6), QString());

    window.resize(window.sizeHint());
    window.grab().save(QStringLiteral("/tmp/TF_IZVOZ.png"));
}

TEST(CurrentSchoolYear, NamedByTheYearInWhichItEnds)
{
    EXPECT_EQ(currentSchoolYear(QDate(2026, 8, 31)), 2026);
    EXPECT_EQ(currentSchoolYear(QDate(2026, 9, 1)), 2027);
}

TEST(ProgramWiring, ExportMenuItemAndTheEntryWindowsWorkbookButtons)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    Program program(folder.folder(), prompter);
    ASSERT_NE(program.izvoz(), nullptr);
    EXPECT_TRUE(program.main().menuItem(QStringLiteral("Izvozpodatkov1"))->isEnabled());
    ASSERT_NE(program.vnosu(), nullptr);
    auto* create = program.vnosu()->findChild<QPushButton*>(QStringLiteral("fcImageBtn1"));
    auto* import = program.vnosu()->findChild<QPushButton*>(QStringLiteral("fcImageBtn2"));
    ASSERT_NE(create, nullptr);
    ASSERT_NE(import, nullptr);
    EXPECT_EQ(create->text(), QStringLiteral("Kreiraj Excel"));
    EXPECT_EQ(import->text(), QStringLiteral("Uvoz iz Excela"));
    program.vnosu()->resize(1000, 700);
    program.vnosu()->grab().save(QStringLiteral("/tmp/TF_VNOSU_workbook.png"));
}

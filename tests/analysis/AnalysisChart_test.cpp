// The chart model of an analysis: bars, colours, ranges, grid colouring,
// the percent-better labels and the notes of older databases.
#include "analysis/AnalysisBuilder.h"
#include "analysis/AnalysisFixture.h"
#include "analysis/Notes.h"
#include "analysis/PercentBetter.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

using namespace gibomer;
using namespace gibomer::test;

TEST(PercentBetter, InterpolatesBetweenBandsAndStopsAtTheEnds)
{
    const BandRows rows{{40, 20}, {50, 50}, {60, 80}};
    const std::pair<int, const char*> cases[] = {{55, "35,0"}, {50, "50,0"}, {35, "100"}, {40, "80,0"},
                                                 {60, "20,0"}, {70, "20,0"}, {43, "71,0"}};
    for (const auto& [x, label] : cases)
        EXPECT_EQ(PercentBetter(rows, x), QString::fromLatin1(label)) << x;
    EXPECT_EQ(PercentBetter({}, 50), QStringLiteral("100,0"));
    // Three significant digits, one decimal.
    EXPECT_EQ(PercentBetter({{40, 0.04}, {60, 0.05}}, 60), QStringLiteral("100,0"));
    EXPECT_EQ(PercentBetter({{40, 87.66}}, 45), QStringLiteral("12,3"));
    EXPECT_EQ(PercentBetter({{40, 98.766}}, 45), QStringLiteral("1,2"));
}

TEST(PercentBetter, ReadsTheOpenBandsAndGivesZeroWhenTheyCannotBeRead)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    auto dm = folder.openDataModule(prompter);
    fillSmallSchool(*dm);
    EXPECT_EQ(PercentBetterT(dm->A_VREDNOTENJE(), 55), QStringLiteral("35,0"));
    EXPECT_EQ(PercentBetterXT(dm->A_VREDNOTENJE(), 55), QStringLiteral("20,0"));
    dm->A_VREDNOTENJE().close();
    EXPECT_EQ(PercentBetterT(dm->A_VREDNOTENJE(), 55), QStringLiteral("0"));
    EXPECT_EQ(PercentBetterXT(dm->A_VREDNOTENJE(), 55), QStringLiteral("0"));
}

TEST(ChartColours, YellowAndWhiteYearsAreShownMaroonAndBlack)
{
    const QColor maroon(128, 0, 0), black(0, 0, 0);
    EXPECT_EQ(seriesColour(3), maroon);
    EXPECT_EQ(seriesColour(10), maroon);
    EXPECT_EQ(seriesColour(5), black);
    EXPECT_EQ(seriesColour(16), black);
    EXPECT_EQ(seriesColour(1), QColor(255, 0, 0));
    EXPECT_EQ(seriesColour(17), seriesColour(1)); // the palette repeats after sixteen years
    EXPECT_EQ(seriesColour(19), maroon);
}

TEST(ChartRange, FixedOrAdaptedSymmetricAboutFifty)
{
    struct Case
    {
        double min, max;
        bool adapt;
        double wantMin, wantMax;
    };
    const Case cases[] = {
        {45, 55, true, 44, 56},    {38, 70, true, 26, 74},
        {5, 95, false, 12, 88},    {48, 50, true, 48, 52}, // half 2: 52.4 rounds to 52
        {50, 52.5, true, 47, 53},                          // half 2.5: 53 exactly
        {50, 51.25, true, 48, 52},                         // 52.5 rounds half to even: 52
        {50, 50, true, 12, 88},                            // nothing away from 50: the fixed range
    };
    for (const Case& c : cases) {
        const AxisRange r = axisRangeFor(c.min, c.max, c.adapt);
        EXPECT_EQ(r.min, c.wantMin) << c.min << ".." << c.max;
        EXPECT_EQ(r.max, c.wantMax) << c.min << ".." << c.max;
    }
    for (auto [rows, width] : {std::pair{4, 98.0}, {5, 93.0}, {7, 98.0}, {8, 93.0}, {9, 93.0}, {10, 98.0}})
        EXPECT_EQ(barWidthFor(rows), width) << rows;
}

TEST(ChartModel, BarsFromTheAnalysisRows)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    auto dm = folder.openDataModule(prompter);
    fillSmallSchool(*dm);
    execSql(dm->db(), QStringLiteral("UPDATE T_NASTAVITVE SET PRILAGODIGRAF=1, PRIKAZUJREFERENCNE=0"));
    dm->A_NASTAVITVE().close();
    dm->A_NASTAVITVE().open();
    // ANA's stored zero scores no norm: shown as 50, like an empty one, and not in the range.
    execSql(dm->db(),
            QStringLiteral("UPDATE T_VREDNOST SET AKGT=0, PRET=84 WHERE ID_UCENEC=1 AND ID_MERITEV=1"));

    AnalysisSelection s = defaultSelection(QDate(2021, 5, 1));
    s.kind = AnalysisKind::Pupil;
    s.letoOdU = 2019;
    s.letoDoU = 2021;
    s.pupilState = AnalysisSelection::PupilState::Chosen;
    s.pupil.id = 1;
    const ChartModel m = BuildAnalysis(*dm, s).chart;
    ASSERT_EQ(m.series.size(), 3u);
    EXPECT_EQ(m.series[0].title, QStringLiteral("2019"));
    EXPECT_NEAR(m.series[0].values[0], 60.01, 1e-9);
    EXPECT_EQ(m.series[0].values[2], 50.0);              // AKG
    EXPECT_NEAR(m.series[1].values[9], 50.0, 1e-9);      // T60 empty in 2020
    EXPECT_NEAR(m.series[0].xtValue, 100 - 60.01, 1e-9); // XT stands at 100 - XT on the downward axis
    EXPECT_EQ(m.series[1].xtValue, 50.0);                // no XT in 2020
    EXPECT_EQ(m.series[2].colour, QColor(128, 0, 0));
    // Scores 60,01..84,01: half range 34.01, 50 + 34.01 * 1.2 = 90.81 -> 91.
    EXPECT_EQ(m.axisMax, 91.0);
    EXPECT_EQ(m.axisMin, 9.0);
    EXPECT_EQ(m.barWidthPercent, 98.0);
    EXPECT_EQ(m.marginPercent, 5);
    EXPECT_FALSE(m.showReferences);
}

TEST(GridColours, YearTScoresAndXtTakeTheColourOfTheirYear)
{
    ChartModel m;
    for (int year : {2018, 2019}) {
        ChartSeries s;
        s.title = QString::number(year);
        s.colour = seriesColour(year - 2017);
        m.series.push_back(s);
    }
    for (const char* field : {"LETO_MERITVE", "ATVT", "ATTT", "DTT", "T60T", "T600T", "XT"})
        EXPECT_EQ(gridCellColour(m, QString::fromLatin1(field), QStringLiteral("2019")), QColor(0, 128, 0))
            << field;
    for (const char* field : {"ATV", "ATT", "DT", "T60", "T600", "PRE"})
        EXPECT_FALSE(gridCellColour(m, QString::fromLatin1(field), QStringLiteral("2019"))) << field;
    EXPECT_FALSE(gridCellColour(m, QStringLiteral("ATVT"), QStringLiteral("2020")));
}

TEST(Notes, AnOldRtfNoteIsShownAsItsText)
{
    const QString rtf = QStringLiteral(
        "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl "
        ";\\red0\\green0\\blue0;}\r\n"
        "{\\*\\generator Msftedit;}\\viewkind4\\pard\\f0\\fs20 Rezultati so \\b zelo\\b0  dobri\\par\r\n"
        "U\\'e8enci \\u353?ole\\tab 5\\{x\\}\\par\r\n}");
    EXPECT_TRUE(isRtfNote(rtf));
    EXPECT_EQ(rtfToPlainText(rtf), QStringLiteral("Rezultati so zelo dobri\nUčenci šole\t5{x}"));
    EXPECT_FALSE(isRtfNote(QStringLiteral("<p>Opomba</p>")));
    EXPECT_TRUE(notesToHtml(rtf).contains(QStringLiteral("Učenci")));
}

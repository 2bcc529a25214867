// The analysis statements on a small school: rows and values of each kind,
// titles, conditions, and the builds that cannot run.
#include "analysis/AnalysisBuilder.h"
#include "analysis/AnalysisFixture.h"
#include "core/Errors.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

using namespace gibomer;
using namespace gibomer::test;

namespace {

class AnalysisBuild : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dm = folder.openDataModule(prompter);
        fillSmallSchool(*dm);
    }

    AnalysisSelection selection(AnalysisKind kind, int from, int to)
    {
        AnalysisSelection s = defaultSelection(QDate(2021, 5, 1));
        s.kind = kind;
        s.letoOdU = s.letoOdR = s.letoOdG = s.letoOdC = from;
        s.letoDoU = s.letoDoR = s.letoDoG = s.letoDoC = to;
        return s;
    }

    // A_PVRE's value in the row of that year; invalid when the row is missing.
    QVariant value(int year, const char* field)
    {
        Dataset& d = dm->A_PVRE();
        for (int r = 0; r < d.rowCount(); ++r) {
            if (d.value(r, QStringLiteral("LETO_MERITVE")).toInt() == year)
                return d.value(r, QString::fromLatin1(field));
        }
        ADD_FAILURE() << "no row for " << year;
        return {};
    }

    QList<int> years()
    {
        QList<int> result;
        for (int r = 0; r < dm->A_PVRE().rowCount(); ++r)
            result << dm->A_PVRE().value(r, QStringLiteral("LETO_MERITVE")).toInt();
        return result;
    }

    TestFolder folder;
    ScriptedPrompter prompter;
    std::unique_ptr<TDM> dm;
};

} // namespace

TEST_F(AnalysisBuild, WholeSchoolWeighsClassGroupsSplitBySex)
{
    const AnalysisResult r = BuildAnalysis(*dm, selection(AnalysisKind::WholeSchool, 2019, 2021));
    EXPECT_EQ(r.title, QStringLiteral("Povprečni rezultati za celotno šolo (Moški+Ženske)"));
    EXPECT_EQ(r.where.text, QStringLiteral("(m.LETO_MERITVE>=2019) and (m.LETO_MERITVE<=2021)"));
    EXPECT_EQ(years(), (QList<int>{2019, 2020, 2021}));
    // 2019 sub-groups: 1.A girls {ANA}, 1.A boys {BOR, CENE}, 1.B girls {DANA}.
    EXPECT_NEAR(value(2019, "ATV").toDouble(), (150 + 130 + 160) / 3.0, 1e-9); // plain mean of sub-groups
    EXPECT_NEAR(value(2019, "ATVT").toDouble(), (60 * 1 + 50 * 2 + 70 * 1) / 4.0, 1e-9); // weighted by size
    EXPECT_NEAR(value(2019, "SDMT").toDouble(), (60 * 1 + 45 * 2 + 0) / 3.0, 1e-9); // 0 left out of divisor
    EXPECT_NEAR(value(2019, "XT").toDouble(), (60 + 45 + 70) / 3.0, 1e-9);
    // 2020: the 2.A sub-groups have no T60 score and add nothing.
    EXPECT_NEAR(value(2020, "T60T").toDouble(), (50 + 70) / 2.0, 1e-9);
    EXPECT_NEAR(value(2020, "XT").toDouble(), (440 / 7.0 + 300 / 7.0 + 50 + 70) / 4.0, 1e-9);
    // 2021: BOR's sub-group has no score at all; it divides 0 by 0 and is left out.
    EXPECT_NEAR(value(2021, "XT").toDouble(), 62.0, 1e-9);
    EXPECT_NEAR(value(2021, "ATVT").toDouble(), 62.0, 1e-9);
    // The reference values are the mean of every reference row.
    EXPECT_NEAR(dm->A_REFERENCE().field(QStringLiteral("ATVt")).toDouble(), (120 + 130 + 200) / 3.0, 1e-9);
    EXPECT_TRUE(r.referenceWhere.isEmpty());
}

TEST_F(AnalysisBuild, WholeSchoolWithOnlyEmptyScoresGivesEmptyValuesNotAnError)
{
    AnalysisSelection s = selection(AnalysisKind::WholeSchool, 2021, 2021);
    s.spolC = 1; // boys: only BOR, without any T-score
    const AnalysisResult r = BuildAnalysis(*dm, s);
    EXPECT_EQ(r.title, QStringLiteral("Povprečni rezultati za celotno šolo (Moški)"));
    ASSERT_EQ(years(), QList<int>{2021});
    EXPECT_TRUE(value(2021, "XT").isNull());
    EXPECT_TRUE(value(2021, "DPRT").isNull());
    EXPECT_EQ(value(2021, "ATV").toDouble(), 150.0);
}

TEST_F(AnalysisBuild, ClassAveragesAndTheirOwnXtRules)
{
    AnalysisSelection s = selection(AnalysisKind::ClassGrade, 2019, 2020);
    s.oddelekR = QStringLiteral("a"); // the class letter compares without regard to case
    AnalysisResult r = BuildAnalysis(*dm, s);
    EXPECT_EQ(r.title, QStringLiteral("Povprečni rezultati  a Oddelek(Moški+Ženske)"));
    EXPECT_EQ(years(), (QList<int>{2019, 2020}));
    EXPECT_NEAR(value(2019, "ATV").toDouble(), 140.0, 1e-9); // BOR's empty ATV is not counted
    EXPECT_NEAR(value(2019, "ATVT").toDouble(), 55.0, 1e-9);
    EXPECT_NEAR(value(2019, "XT").toDouble(), 50.0, 1e-9);
    // No T60 average: XT is the other seven over seven.
    EXPECT_TRUE(value(2020, "T60T").isNull());
    EXPECT_NEAR(value(2020, "XT").toDouble(), (6 * 50 + 70) / 7.0, 1e-9);

    s.oddelekR = QStringLiteral("B");
    s.letoOdR = 2019;
    r = BuildAnalysis(*dm, s);
    EXPECT_NEAR(value(2019, "XT").toDouble(), 70.0, 1e-9); // SDM average 0 is not counted
    EXPECT_TRUE(value(2020, "XT").isNull());               // no DPR average: no XT

    s.razredR = 1;
    s.spolR = 2;
    r = BuildAnalysis(*dm, s);
    EXPECT_EQ(r.title, QStringLiteral("Povprečni rezultati  1.B Razred(Ženske)"));
    EXPECT_EQ(r.where.text,
              QStringLiteral("(m.LETO_MERITVE>=2019) and (m.LETO_MERITVE<=2020) and (m.RAZRED=1) "
                             "and (m.ODDELEK='B') and (SPOL=1)"));
    EXPECT_EQ(years(), QList<int>{2019});

    s.razredR = 5;
    s.oddelekR.clear();
    s.spolR = 0;
    EXPECT_EQ(analysisConditions(prompter, s).title,
              QStringLiteral("Povprečni rezultati  5.razred(Moški+Ženske)"));
    s.razredR.reset();
    EXPECT_EQ(analysisConditions(prompter, s).title, QStringLiteral("Povprečni rezultati  (Moški+Ženske)"));
    s.razredR = 5;
    s.oddelekR = QStringLiteral("B");
    s.spolR = 2;
    EXPECT_EQ(analysisConditions(prompter, s).title,
              QStringLiteral("Povprečni rezultati  5.B Razred(Ženske)"));
}

TEST_F(AnalysisBuild, GenerationFollowsTheGradesThroughTheYears)
{
    AnalysisSelection s = selection(AnalysisKind::Generation, 2018, 2020);
    s.genG = 2020;
    s.razredG = 3;
    s.oddelekG = QStringLiteral("A");
    s.spolG = 1;
    EXPECT_EQ(analysisConditions(prompter, s).where.text,
              QStringLiteral("(((m.LETO_MERITVE=2018) and (m.RAZRED=1) and (m.ODDELEK='A'))or"
                             "((m.LETO_MERITVE=2019) and (m.RAZRED=2) and (m.ODDELEK='A'))or"
                             "((m.LETO_MERITVE=2020) and (m.RAZRED=3) and (m.ODDELEK='A'))) and (SPOL=0)"));

    // Grade 2.A in 2020: 1.A in 2019, 3.A in 2021; 1.B and 2.B stay out.
    s = selection(AnalysisKind::Generation, 2019, 2021);
    s.genG = 2020;
    s.razredG = 2;
    s.oddelekG = QStringLiteral("A");
    const AnalysisResult r = BuildAnalysis(*dm, s);
    EXPECT_EQ(r.title,
              QStringLiteral("Povprečni rezultati za generacijo  (2019/2020)2.A Razred (Moški+Ženske)"));
    EXPECT_EQ(years(), (QList<int>{2019, 2020, 2021}));
    EXPECT_NEAR(value(2019, "DPRT").toDouble(), 50.0, 1e-9); // ANA 60, BOR 40, CENE 50
    EXPECT_NEAR(value(2020, "ATV").toDouble(), 150.0, 1e-9);
    EXPECT_NEAR(value(2021, "ATVT").toDouble(), 62.0, 1e-9);

    // One year: one group and no "or", no "or"; without a grade no grade conditions.
    s = selection(AnalysisKind::Generation, 2020, 2020);
    s.genG = 2020;
    s.razredG.reset();
    s.oddelekG.clear();
    EXPECT_EQ(analysisConditions(prompter, s).where.text, QStringLiteral("(((m.LETO_MERITVE=2020)))"));
    EXPECT_EQ(analysisConditions(prompter, s).title,
              QStringLiteral("Povprečni rezultati za generacijo  (2019/2020) (Moški+Ženske)"));
    s.letoOdG = 2019;
    EXPECT_EQ(analysisConditions(prompter, s).where.text,
              QStringLiteral("(((m.LETO_MERITVE=2019))or((m.LETO_MERITVE=2020)))"));
    s.razredG = 3;
    EXPECT_EQ(analysisConditions(prompter, s).title,
              QStringLiteral("Povprečni rezultati za generacijo  (2019/2020)3.razred (Moški+Ženske)"));
}

TEST_F(AnalysisBuild, PupilValuesArePlusOneHundredthAndEmptyStaysEmpty)
{
    FindPupils(*dm, [] {
        AnalysisSelection s;
        s.priimekU = QStringLiteral("košir");
        return s;
    }());
    AnalysisSelection s = selection(AnalysisKind::Pupil, 2019, 2021);
    takeChosenPupil(s, dm->A_PUCENCI());
    ASSERT_EQ(s.pupilState, AnalysisSelection::PupilState::Chosen);
    AnalysisResult r = BuildAnalysis(*dm, s);
    EXPECT_EQ(r.title, QStringLiteral("ANA KOŠIR, 04.03.2012"));
    EXPECT_EQ(years(), (QList<int>{2019, 2020, 2021}));
    EXPECT_NEAR(value(2019, "ATVT").toDouble(), 60.01, 1e-9);
    EXPECT_NEAR(value(2019, "ATV").toDouble(), 150.01, 1e-9);
    EXPECT_NEAR(value(2019, "XT").toDouble(), 60.01, 1e-9);
    EXPECT_TRUE(value(2020, "T60T").isNull());
    EXPECT_TRUE(value(2020, "XT").isNull());
    // Reference rows of her sex in the shown years; with a grade, of that grade only.
    EXPECT_EQ(r.referenceWhere.text, QStringLiteral("(LETO>=2019) and (LETO<=2021) and (SPOL=1)"));
    EXPECT_NEAR(dm->A_REFERENCE().field(QStringLiteral("ATVt")).toDouble(), 125.0, 1e-9);
    s.razredU = 2;
    BuildAnalysis(*dm, s);
    EXPECT_NEAR(dm->A_REFERENCE().field(QStringLiteral("ATVt")).toDouble(), 130.0, 1e-9);
}

TEST_F(AnalysisBuild, BuildsThatCannotRunSayWhyAndKeepThePreviousAnalysis)
{
    BuildAnalysis(*dm, selection(AnalysisKind::WholeSchool, 2019, 2021));
    const QString previous = dm->A_PVRE().sql();

    struct Case
    {
        const char* name;
        const char* message;
        std::function<void(AnalysisSelection&)> set;
    };
    const Case cases[] = {
        {"no search yet", NoPupilMessage, [](AnalysisSelection& s) { s.kind = AnalysisKind::Pupil; }},
        {"search found nobody", NoPupilFoundMessage,
         [&](AnalysisSelection& s) {
             s.kind = AnalysisKind::Pupil;
             s.priimekU = QStringLiteral("NIKOGAR");
             FindPupils(*dm, s);
             takeChosenPupil(s, dm->A_PUCENCI());
         }},
        {"generation years reversed", GenerationYearsMessage,
         [](AnalysisSelection& s) {
             s.kind = AnalysisKind::Generation;
             s.letoOdG = 2021;
             s.letoDoG = 2020;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisSelection s = selection(AnalysisKind::WholeSchool, 2019, 2021);
        c.set(s);
        prompter.expectMessage(QString::fromUtf8(c.message));
        EXPECT_THROW(BuildAnalysis(*dm, s), SilentAbort);
        EXPECT_TRUE(prompter.done());
        EXPECT_EQ(dm->A_PVRE().sql(), previous);
        EXPECT_EQ(dm->A_PVRE().rowCount(), 3);
    }
}

TEST_F(AnalysisBuild, AnUnreadableEvaluationTableIsReportedAndTheBuildGoesOn)
{
    execSql(dm->db(), QStringLiteral("ALTER TABLE T_VREDNOTENJE RENAME TO T_VREDNOTENJE_OLD"));
    prompter.expectMessage(QString::fromUtf8(EvaluationBandsMessage));
    const AnalysisResult r = BuildAnalysis(*dm, selection(AnalysisKind::WholeSchool, 2019, 2021));
    EXPECT_TRUE(prompter.done());
    EXPECT_EQ(r.chart.series.size(), 3u);
}

TEST_F(AnalysisBuild, ReversedYearsOfTheOtherKindsGiveAnEmptyAnalysis)
{
    const AnalysisResult r = BuildAnalysis(*dm, selection(AnalysisKind::WholeSchool, 2021, 2019));
    EXPECT_EQ(dm->A_PVRE().rowCount(), 0);
    EXPECT_TRUE(r.chart.series.empty());
}

TEST_F(AnalysisBuild, PupilSearchJoinsItsConditionsInTheirFixedOrder)
{
    AnalysisSelection s;
    auto found = [&] {
        FindPupils(*dm, s);
        QStringList names;
        for (int r = 0; r < dm->A_PUCENCI().rowCount(); ++r)
            names << dm->A_PUCENCI().value(r, QStringLiteral("IME")).toString();
        return names;
    };
    // No criteria: everybody once, pupils without results too, by surname.
    EXPECT_EQ(found(), (QStringList{"EVA", "ANA", "DANA", "BOR", "CENE"}));
    s.genU = 2020;
    s.oddelekU = QStringLiteral("b");
    EXPECT_EQ(found(), (QStringList{"DANA", "CENE"}));
    s.spolU = 2;
    EXPECT_EQ(found(), QStringList{"DANA"});
    s = {};
    s.letnikU = 2011;
    EXPECT_EQ(found(), QStringList{"EVA"});
    s = {};
    s.priimekU = QStringLiteral("O'NEIL"); // a quote in a name is bound, not pasted
    EXPECT_EQ(found(), QStringList{});

    s.letnikU = 2012;
    s.priimekU = QStringLiteral("NOVAK");
    s.imeU = QStringLiteral("BOR");
    s.genU = 2019;
    s.razredU = 1;
    s.oddelekU = QStringLiteral("A");
    s.spolU = 1;
    const BoundCondition c = FindPupils(*dm, s);
    EXPECT_EQ(c.text,
              QStringLiteral("(CAST(substr(u.ROJSTVO,1,4) AS INTEGER)=2012) and (PRIIMEK='NOVAK') and "
                             "(IME='BOR') and (m.LETO_MERITVE=2019) and (m.RAZRED=1) and "
                             "(m.ODDELEK='A') and (SPOL=0)"));
    EXPECT_EQ(found(), QStringList{"BOR"});
}

TEST(AnalysisDefaults, SchoolYearTurnsInSeptemberAndRangesFollowTheCalendarYear)
{
    const AnalysisSelection august = defaultSelection(QDate(2024, 8, 31));
    const AnalysisSelection september = defaultSelection(QDate(2024, 9, 1));
    EXPECT_EQ(august.genG, 2024);
    EXPECT_EQ(september.genG, 2025);
    for (const AnalysisSelection& s : {august, september}) {
        EXPECT_EQ(s.kind, AnalysisKind::WholeSchool);
        EXPECT_EQ(s.letoOdC, 2022);
        EXPECT_EQ(s.letoDoC, 2024);
        EXPECT_EQ(s.letoOdG, 2022);
        EXPECT_FALSE(s.genU.has_value());
    }
}

// The ranking: its filters against a small school, the 50 best with ties,
// results without a value, the filter lists and the clipboard text.
#include "records/Ranking.h"

#include "core/Errors.h"
#include "records/RankingFixture.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>
#include <optional>

using namespace gibomer;
using namespace gibomer::test;

namespace {

const QString All = QString::fromLatin1(RankingAll);

// Girls and one boy in grades 5 to 7 of 2004 and 2003, one pupil without a
// T60 result, and one results row whose pupil and group are missing.
class RankingSchool : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dm = folder.openDataModule(prompter);
        const int g6A = addGroup(*dm, 2004, 6, QStringLiteral("A"));
        const int g6B = addGroup(*dm, 2004, 6, QStringLiteral("B"));
        const int g7A = addGroup(*dm, 2004, 7, QStringLiteral("A"));
        const int g5C = addGroup(*dm, 2004, 5, QStringLiteral("C"));
        const int g6A03 = addGroup(*dm, 2003, 6, QStringLiteral("A"));
        addGroup(*dm, 2004, 10, QStringLiteral("A"));
        auto pupil = [&](const char* priimek, int spol, int group, QVariant t60, QVariant t60t, QVariant xt) {
            const int id = addPupil(*dm, QString::fromUtf8(priimek), QStringLiteral("X"), spol);
            addResult(*dm, id, group, {{"T60", t60}, {"T60T", t60t}, {"XT", xt}});
        };
        pupil("Novak", 1, g6A, 9.1, 60.0, 55.5);
        pupil("Kranjc", 1, g7A, 8.5, 65.0, 61.25);
        pupil("Zupan", 1, g6B, 10.2, 45.0, 48.0);
        pupil("Horvat", 1, g5C, 8.0, 70.0, QVariant());
        pupil("Potočnik", 1, g6A03, 8.8, 62.0, QVariant());
        pupil("Kovač", 0, g6A, 7.9, 72.0, QVariant());
        pupil("Golob", 1, g7A, QVariant(), QVariant(), QVariant());
        addResult(*dm, 999, 999, {{"T60", 9.5}, {"T60T", 55.0}});
    }

    QStringList rank(const RankingFilter& filter)
    {
        runRanking(*dm, filter);
        return surnames(dm->A_TOP());
    }

    TestFolder folder;
    ScriptedPrompter prompter;
    std::unique_ptr<TDM> dm;
};

RankingFilter girls2004(QStringList grades, const QString& test, int topIndex)
{
    RankingFilter f;
    f.grades = std::move(grades);
    f.test = test;
    f.sexIndex = 2;
    f.topIndex = topIndex;
    f.yearTicked = true;
    f.year = 2004;
    return f;
}

} // namespace

TEST(RankingStatement, ConditionsInOrderWithEveryValueBound)
{
    const RankingStatement s = buildRankingStatement(
        girls2004({QStringLiteral("6"), QStringLiteral("7")}, QStringLiteral("T60"), 1));
    EXPECT_EQ(s.where, QStringLiteral("(T_MERITEV.RAZRED IN (:r1,:r2)) and (T_UCENEC.SPOL=:spol) and "
                                      "(T_MERITEV.LETO_MERITVE=:leto)"));
    const SqlParams expected{{QStringLiteral(":r1"), 6},
                             {QStringLiteral(":r2"), 7},
                             {QStringLiteral(":spol"), 1},
                             {QStringLiteral(":leto"), 2004}};
    EXPECT_EQ(s.params, expected);
    const QString text = s.lines.join(QLatin1Char('\n'));
    EXPECT_FALSE(text.contains(QLatin1String("2004")));
    EXPECT_TRUE(text.contains(QLatin1String("T_VREDNOST.T60 AS v,T_VREDNOST.T60T AS t")));

    RankingFilter classes;
    classes.classes = QStringList{QStringLiteral("A"), QStringLiteral("B")};
    EXPECT_EQ(buildRankingStatement(classes).where, QStringLiteral("(T_MERITEV.ODDELEK IN (:o1,:o2))"));
    EXPECT_TRUE(buildRankingStatement(RankingFilter{}).where.isEmpty());
}

TEST(RankingStatement, OnlyKnownTestsNameAColumn)
{
    RankingFilter f;
    f.test = QStringLiteral("ATV from T_UCENEC; --");
    EXPECT_THROW(buildRankingStatement(f), AppError);
}

TEST_F(RankingSchool, FiltersChooseTheRows)
{
    struct Case
    {
        const char* name;
        RankingFilter filter;
        QStringList expected;
    };
    RankingFilter classesAB;
    classesAB.classes = QStringList{QStringLiteral("A"), QStringLiteral("B")};
    classesAB.test = QStringLiteral("T60");
    classesAB.topIndex = 1;
    RankingFilter everything;
    everything.test = QStringLiteral("T60");
    everything.topIndex = 1;
    RankingFilter allClasses = everything;
    allClasses.classes = QStringList{QStringLiteral("C"), All};

    const Case cases[] = {
        {"grades 6 and 7, girls, 2004, by T-score",
         girls2004({QStringLiteral("6"), QStringLiteral("7")}, QStringLiteral("T60"), 1),
         {"Kranjc", "Novak", "Zupan", "Golob"}},
        {"Vsi overrides the other grades",
         girls2004({QStringLiteral("6"), All}, QStringLiteral("T60"), 1),
         {"Horvat", "Kranjc", "Novak", "Zupan", "Golob"}},
        {"running test by value lists the longest times first",
         girls2004({}, QStringLiteral("T60"), 0),
         {"Zupan", "Novak", "Kranjc", "Horvat", "Golob"}},
        {"classes A and B", classesAB, {"Kovač", "Kranjc", "Potočnik", "Novak", "Zupan", "Golob"}},
        {"no condition keeps the row without pupil or group",
         everything,
         {"Kovač", "Horvat", "Kranjc", "Potočnik", "Novak", "", "Zupan", "Golob"}},
        {"Vsi overrides the other classes",
         allClasses,
         {"Kovač", "Horvat", "Kranjc", "Potočnik", "Novak", "", "Zupan", "Golob"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rank(c.filter), c.expected) << c.name;
}

TEST_F(RankingSchool, XtIsItsOwnScore)
{
    RankingFilter f;
    f.test = QStringLiteral("XT");
    f.topIndex = 1;
    EXPECT_EQ(rank(f).mid(0, 3), (QStringList{"Kranjc", "Novak", "Zupan"}));
    Dataset& top = dm->A_TOP();
    for (int row = 0; row < top.rowCount(); ++row)
        EXPECT_EQ(top.value(row, QStringLiteral("v")), top.value(row, QStringLiteral("t"))) << row;
    EXPECT_DOUBLE_EQ(top.value(0, QStringLiteral("t")).toDouble(), 61.25);
}

TEST_F(RankingSchool, FilterListsStartWithVsiAndFollowTheGroups)
{
    EXPECT_EQ(rankingGradeItems(*dm), (QStringList{All, "5", "6", "7", "10"}));
    EXPECT_EQ(rankingClassItems(*dm), (QStringList{All, "A", "B", "C"}));
}

TEST_F(RankingSchool, ClassWithAQuoteIsBound)
{
    const int group = addGroup(*dm, 2004, 8, QStringLiteral("O'"));
    addResult(*dm, addPupil(*dm, QStringLiteral("D'Alessio"), QStringLiteral("Ana"), 1), group,
              {{"ATV", 1500.0}});
    ASSERT_TRUE(rankingClassItems(*dm).contains(QStringLiteral("O'")));
    RankingFilter f;
    f.classes = QStringList{QStringLiteral("O'")};
    EXPECT_EQ(rank(f), QStringList{"D'Alessio"});
}

// The 50 best and the rows tied with the 50th; rows without a value only fill
// the list up to 50.
TEST(RankingSize, TiesAndMissingValues)
{
    struct Case
    {
        const char* name;
        std::vector<std::optional<double>> values;
        int rows;
        int withoutValue;
    };
    auto values = [](int distinct, int tiedCount, int worse, int missing) {
        std::vector<std::optional<double>> v;
        for (int i = 0; i < distinct; ++i)
            v.push_back(200.0 - i);
        for (int i = 0; i < tiedCount; ++i)
            v.push_back(10.0);
        for (int i = 0; i < worse; ++i)
            v.push_back(5.0);
        for (int i = 0; i < missing; ++i)
            v.push_back(std::nullopt);
        return v;
    };
    const Case cases[] = {
        {"four rows tie at the 49th place", values(48, 4, 8, 3), 52, 0},
        {"exactly fifty values", values(50, 0, 0, 5), 50, 0},
        {"the 50th and 51st tie", values(49, 2, 3, 0), 51, 0},
        {"few values, the rest filled with rows without one", values(3, 0, 0, 60), 50, 47},
        {"fewer than fifty rows in all", values(5, 0, 0, 2), 7, 2},
    };
    for (const Case& c : cases) {
        TestFolder folder;
        ScriptedPrompter prompter;
        auto dm = folder.openDataModule(prompter);
        const int group = addGroup(*dm, 2004, 6, QStringLiteral("A"));
        for (const auto& v : c.values) {
            const int pupil = addPupil(*dm, QStringLiteral("P"), QStringLiteral("I"), 0);
            addResult(*dm, pupil, group, {{"SDM", v ? QVariant(*v) : QVariant()}});
        }
        RankingFilter f;
        f.test = QStringLiteral("SDM");
        runRanking(*dm, f);
        Dataset& top = dm->A_TOP();
        ASSERT_EQ(top.rowCount(), c.rows) << c.name;
        int without = 0;
        double previous = 1e9;
        bool seenMissing = false;
        for (int row = 0; row < top.rowCount(); ++row) {
            const QVariant v = top.value(row, QStringLiteral("v"));
            if (v.isNull()) {
                ++without;
                seenMissing = true;
                continue;
            }
            EXPECT_FALSE(seenMissing) << c.name << ": a value after a row without one";
            EXPECT_LE(v.toDouble(), previous) << c.name;
            previous = v.toDouble();
        }
        EXPECT_EQ(without, c.withoutValue) << c.name;
    }
}

class RankingClipboard : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dm = folder.openDataModule(prompter);
        const int g6A = addGroup(*dm, 2004, 6, QStringLiteral("A"));
        const int g7B = addGroup(*dm, 2004, 7, QStringLiteral("B"));
        addResult(*dm, addPupil(*dm, QStringLiteral("O'Neil"), QStringLiteral("Ana"), 1), g6A,
                  {{"T60", 8.5}, {"T60T", 65.0}});
        addResult(*dm, addPupil(*dm, QStringLiteral("Kranjc"), QStringLiteral("Bor"), 0), g7B,
                  {{"T60", 9.0}, {"T60T", 58.0}});
        addResult(*dm, addPupil(*dm, QStringLiteral("Zupan"), QStringLiteral("Cene"), 0), g6A, {});
        filter.test = QStringLiteral("T60");
    }

    TestFolder folder;
    ScriptedPrompter prompter;
    std::unique_ptr<TDM> dm;
    RankingFilter filter;
};

const char* const Header = "ime\tpriimek\tspol\trazred\toddelek\tleto_meritve\tv\tt\t\r";

TEST_F(RankingClipboard, ThreeRowsInDisplayOrder)
{
    runRanking(*dm, filter);
    const QString kranjc = QStringLiteral("Bor\tKranjc\t0\t7\tB\t2004\t9\t58\t\r");
    const QString oneil = QStringLiteral("Ana\tO'Neil\t1\t6\tA\t2004\t8,5\t65\t\r");
    const QString zupan = QStringLiteral("Cene\tZupan\t0\t6\tA\t2004\t\t\t\r");
    EXPECT_EQ(copyRanking(*dm), QLatin1String(Header) + kranjc + oneil + zupan + QChar(13));

    Dataset& top = dm->A_TOP();
    top.setSort(QStringLiteral("priimek desc"));
    top.last();
    EXPECT_EQ(copyRanking(*dm), QLatin1String(Header) + zupan + oneil + kranjc + QChar(13));
    EXPECT_EQ(top.currentRow(), 0);
}

TEST_F(RankingClipboard, EmptyResultIsTheHeaderAndOneMoreLine)
{
    filter.yearTicked = true;
    filter.year = 1999;
    runRanking(*dm, filter);
    EXPECT_EQ(copyRanking(*dm).toUtf8(), QByteArray(Header) + '\r');
}

TEST_F(RankingClipboard, BeforeTheFirstRankingTellsTheUser)
{
    prompter.expectMessage(QStringLiteral("Seznam še ni prikazan. Najprej kliknite »Prikaži«."));
    EXPECT_THROW(copyRanking(*dm), SilentAbort);
    EXPECT_TRUE(prompter.done());
}

// The results row's scoring hook on a small database: it reads the pupil and
// the group, loads that year's norms and writes the T-scores and XT.
#include "core/DataModule.h"
#include "core/Errors.h"
#include "core/Sql.h"
#include "core/TestTables.h"
#include "scoring/NormTable.h"
#include "scoring/ResultScoring.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolder.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

using namespace gibomer;
using namespace gibomer::test;

namespace {

// Norms only for girls of age group 3 (N(i) = 100 + i on every test); every
// other row is empty, so a wrong sex, age group or year scores 0.
NormTableData girlsGroupThree()
{
    NormTableData table;
    for (int test = 1; test <= TestCount; ++test)
        for (int i = FirstTIndex; i <= LastTIndex; ++i)
            table.set(2, 3, test, i, 100.0 + i);
    return table;
}

class HookFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dm = folder.openDataModule(prompter);
        // A girl born in 1996, in grade 3 of a nine-year school in 2005: age group 3.
        execSql(dm->db(),
                QStringLiteral("INSERT INTO T_UCENEC (ID_UCENEC, PRIIMEK, IME, ROJSTVO, SPOL, VNOS) "
                               "VALUES (1, 'KOŠIR', 'ANA', '1996-05-10', 1, 1)"));
        execSql(dm->db(),
                QStringLiteral("INSERT INTO T_MERITEV (ID_MERITEV, LETO_MERITVE, RAZRED, ODDELEK, VRSTA) "
                               "VALUES (7, 2005, 3, 'A', 9)"));
        dm->A_VNOSU().open();
        dm->A_VNOSO().open();
        dm->A_VNOSV().setParam(QStringLiteral(":p1"), 1);
        dm->A_VNOSV().setParam(QStringLiteral(":p2"), 7);
        dm->A_VNOSV().open();
        dm->A_VNOSV().beforePost = [this] {
            A_VNOSVBeforePost(dm->A_VNOSV(), dm->A_VNOSU(), dm->A_VNOSO(), dm->folder(), dm->prompter());
        };
    }

    // Inserts a results row with raw values by test number (missing ones stay NULL).
    void insertRow(const std::map<int, double>& raw)
    {
        Dataset& results = dm->A_VNOSV();
        results.insert();
        results.setField(QStringLiteral("ID_VREDNOST"),
                         dm->NextId(QStringLiteral("ID_VREDNOST"), QStringLiteral("T_VREDNOST")));
        results.setField(QStringLiteral("ID_UCENEC"), 1);
        results.setField(QStringLiteral("ID_MERITEV"), 7);
        for (const auto& [test, value] : raw)
            results.setField(QString::fromLatin1(TestCodes[test]), value);
    }

    QSqlRecord storedRow()
    {
        QSqlQuery q = execSql(dm->db(), QStringLiteral("SELECT * FROM T_VREDNOST"));
        EXPECT_TRUE(q.next());
        QSqlRecord record = q.record();
        EXPECT_FALSE(q.next()) << "more than one row";
        return record;
    }

    static std::map<int, double> allAt(double rising, double falling)
    {
        std::map<int, double> raw;
        for (int test = 1; test <= TestCount; ++test)
            raw[test] = scoreFallsWithValue(test) ? falling : rising;
        return raw;
    }

    TestFolder folder;
    ScriptedPrompter prompter;
    std::unique_ptr<TDM> dm;
};

} // namespace

TEST_F(HookFixture, ScoresEveryTestAndFormsXT)
{
    folder.writeFile(QStringLiteral("baza/Tnorme2005.dat"), girlsGroupThree().toBytes());
    folder.writeFile(QStringLiteral("baza/Tnorme2006.dat"), NormTableData().toBytes());
    // Rising tests at 150 (T 50), falling ones at 148 (T 52), but T60 at 149
    // (T 51): five rising and three falling motor tests add up to 405, and
    // 405 / 8 = 50.625 goes to the even 50.62.
    auto raw = allAt(150, 148);
    raw[10] = 149;
    insertRow(raw);
    dm->A_VNOSV().post();

    const QSqlRecord row = storedRow();
    for (int test = 1; test <= TestCount; ++test) {
        const double expected = test == 10 ? 51 : scoreFallsWithValue(test) ? 52 : 50;
        EXPECT_EQ(row.value(QString::fromLatin1(TestCodes[test]) + QLatin1Char('T')).toDouble(), expected)
            << TestCodes[test];
    }
    EXPECT_EQ(row.value(QStringLiteral("XT")).toDouble(), 50.62);
    EXPECT_EQ(row.value(QStringLiteral("ATV")).toDouble(), 150);
}

TEST_F(HookFixture, EmptyAndZeroResults)
{
    folder.writeFile(QStringLiteral("baza/Tnorme2005.dat"), girlsGroupThree().toBytes());
    // A missing motor result: its T-score is NULL and so is XT; the others are scored.
    auto raw = allAt(150, 150);
    raw.erase(9);
    insertRow(raw);
    dm->A_VNOSV().post();
    QSqlRecord row = storedRow();
    EXPECT_TRUE(row.value(QStringLiteral("VZGT")).isNull());
    EXPECT_TRUE(row.value(QStringLiteral("XT")).isNull());
    EXPECT_EQ(row.value(QStringLiteral("SDMT")).toDouble(), 50);

    // Editing the row rescoring everything: a zero result is scored but leaves XT NULL.
    Dataset& results = dm->A_VNOSV();
    results.edit();
    results.setField(QStringLiteral("VZG"), 150.0);
    results.setField(QStringLiteral("DT"), 0.0);
    results.post();
    row = storedRow();
    EXPECT_EQ(row.value(QStringLiteral("VZGT")).toDouble(), 50);
    EXPECT_EQ(row.value(QStringLiteral("DTT")).toDouble(), 11); // 0 lies below the row
    EXPECT_TRUE(row.value(QStringLiteral("XT")).isNull());

    // Once all eight are present and positive, XT is set.
    results.edit();
    results.setField(QStringLiteral("DT"), 150.0);
    results.post();
    EXPECT_EQ(storedRow().value(QStringLiteral("XT")).toDouble(), 50.0);
}

TEST_F(HookFixture, WithoutANormFileNothingIsWritten)
{
    insertRow(allAt(150, 150));
    prompter.expectMessage(QStringLiteral("Datoteka z t-normami ne obstaja!"));
    EXPECT_THROW(dm->A_VNOSV().post(), SilentAbort);
    EXPECT_TRUE(prompter.done());
    EXPECT_EQ(dm->A_VNOSV().state(), Dataset::State::Insert);
    EXPECT_EQ(scalar(dm->db(), QStringLiteral("SELECT COUNT(*) FROM T_VREDNOST")).toInt(), 0);

    // A norm file that cannot be read ends the save with the read error.
    folder.writeFile(QStringLiteral("baza/Tnorme2005.dat"), "short");
    EXPECT_THROW(dm->A_VNOSV().post(), IoError);
    EXPECT_EQ(scalar(dm->db(), QStringLiteral("SELECT COUNT(*) FROM T_VREDNOST")).toInt(), 0);

    // With the norms in place the same row saves.
    folder.writeFile(QStringLiteral("baza/Tnorme2005.dat"), girlsGroupThree().toBytes());
    dm->A_VNOSV().post();
    EXPECT_EQ(storedRow().value(QStringLiteral("XT")).toDouble(), 50.0);
}

TEST(BirthDateField, IsoTextDatesAndEmpty)
{
    EXPECT_EQ(birthDateFromField(QStringLiteral("1996-05-10")), QDate(1996, 5, 10));
    EXPECT_EQ(birthDateFromField(QStringLiteral("1996-05-10T00:00:00")), QDate(1996, 5, 10));
    EXPECT_EQ(birthDateFromField(QDate(2001, 2, 3)), QDate(2001, 2, 3));
    EXPECT_FALSE(birthDateFromField(QVariant()).isValid());
    EXPECT_FALSE(birthDateFromField(QStringLiteral("")).isValid());
}

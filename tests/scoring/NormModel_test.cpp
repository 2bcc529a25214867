// Norm tables built from a model, the shipped default norms, and the shipped
// evaluation bands and reference results.
#include "core/DataModule.h"
#include "core/Errors.h"
#include "core/Sql.h"
#include "scoring/NormModel.h"
#include "scoring/ReferenceData.h"
#include "scoring/TScore.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolder.h"

#include <QFile>
#include <QSqlQuery>
#include <cmath>
#include <gtest/gtest.h>

using namespace gibomer;
using namespace gibomer::test;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

QString shippedModelPath()
{
    return sourcePath(QStringLiteral("data/norm-model.csv"));
}

// The model's mean for one sex, age and test, read straight from the CSV text.
double shippedMean(int sex, int age, int test)
{
    const QString prefix = QStringLiteral("%1,%2,%3,").arg(sex).arg(age).arg(test);
    for (const QByteArray& line : readAll(shippedModelPath()).split('\n')) {
        const QString text = QString::fromUtf8(line).trimmed();
        if (text.startsWith(prefix))
            return text.split(QLatin1Char(',')).value(4).toDouble();
    }
    ADD_FAILURE() << "no model line " << prefix.toStdString();
    return 0;
}

} // namespace

TEST(NormModelParse, RejectsMalformedLinesNamingThem)
{
    const QByteArray header = "sex,age,test,code,mean,sd\n1,7,1,ATV,1245.1,52.1\n";
    struct Case
    {
        const char* line;
    } cases[] = {
        {"3,7,2,ATT,1,1"},   {"1,6,2,ATT,1,1"},    {"1,21,2,ATT,1,1"}, {"1,7,12,X,1,1"}, {"1,7,2,DPR,1,1"},
        {"1,7,2,ATT,abc,1"}, {"1,7,2,ATT,1,-0.5"}, {"1,7,1,ATV,1,1"},  {"1,7,2,ATT,1"},  {"1,7,2,ATT,1,1,1"},
    };
    for (const Case& c : cases) {
        try {
            parseNormModel(header + c.line + "\n", QStringLiteral("model.csv"));
            ADD_FAILURE() << "accepted: " << c.line;
        } catch (const AppError& error) {
            EXPECT_TRUE(error.message().contains(QStringLiteral("model.csv, vrstica 3")))
                << error.message().toStdString();
        }
    }
    // Semicolons with decimal commas, as a spreadsheet writes them; an empty code; blank lines.
    const NormModel model = parseNormModel(
        "\xEF\xBB\xBFspol;starost;test;oznaka;povp;sd\r\n2;9;10;;100,5;4,25\r\n\r\n", QStringLiteral("x"));
    ASSERT_TRUE(model.contains(2, 9, 10));
    EXPECT_EQ(model.nearest(2, 9, 10)->mean, 100.5);
    EXPECT_EQ(model.nearest(2, 9, 10)->sd, 4.25);
    EXPECT_EQ(model.size(), 1);
}

TEST(NormModelBuild, RowsAscendClampAndFillMissingAges)
{
    NormModel model;
    model.add(1, 12, 5, {150.0, 20.0});
    model.add(1, 16, 5, {200.0, 20.0});
    model.add(2, 9, 10, {100.0, 50.0});
    QStringList notes;
    const NormTableData table = buildNormTable(model, &notes);

    EXPECT_EQ(table.at(1, 6, 5, 50), 150.0);
    EXPECT_EQ(table.at(1, 6, 5, 60), 170.0);
    EXPECT_EQ(table.at(1, 6, 5, 12), 74.0);
    EXPECT_EQ(table.at(1, 6, 5, 88), 226.0);
    // Missing ages take the nearest present one, the younger on a tie.
    EXPECT_EQ(table.at(1, 1, 5, 50), 150.0);  // age 7
    EXPECT_EQ(table.at(1, 8, 5, 50), 150.0);  // age 14: 12 and 16 are as near
    EXPECT_EQ(table.at(1, 9, 5, 50), 200.0);  // age 15
    EXPECT_EQ(table.at(1, 14, 5, 50), 200.0); // age 20
    // Never below 0, and still ascending.
    EXPECT_EQ(table.at(2, 3, 10, 12), 0.0);
    EXPECT_EQ(table.at(2, 3, 10, 40), 50.0);
    for (int i = FirstTIndex + 1; i <= LastTIndex; ++i)
        EXPECT_LE(table.at(2, 3, 10, i - 1), table.at(2, 3, 10, i)) << i;
    // A sex and test without any entry keeps no raw results, and is reported.
    EXPECT_EQ(table.at(1, 6, 1, 50), -1.0);
    EXPECT_TRUE(notes.join(QLatin1Char('\n')).contains(QStringLiteral("Spol 1, test 1 (ATV)")));
    // Values to one decimal.
    EXPECT_EQ(normModelValue({10.0, 1.23}, 51), 10.1);

    // Falling tests: the faster run scores higher.
    EXPECT_EQ(ComputeTScore(table, 10, 1, 3, 9, 50.0, QDate(1996, 1, 1), 2005), 60);
    EXPECT_EQ(ComputeTScore(table, 10, 1, 3, 9, 150.0, QDate(1996, 1, 1), 2005), 40);
}

TEST(ShippedNorms, BuiltFromTheModel)
{
    TestFolder folder(TestFolder::Norms::Default);
    const NormTableData shipped = readNormFile(folder.folder().bazaFile(QStringLiteral("Tnorme.dat")));
    // Boys aged 12 (age group 6), standing long jump: T 50 is the model's mean.
    const double mean = shippedMean(1, 12, 5);
    EXPECT_NEAR(shipped.at(1, 6, 5, 50), mean, 1e-9);
    EXPECT_EQ(std::round(shipped.at(1, 6, 5, 50) * 10) / 10, mean);
    // The whole file is the current model's.
    EXPECT_TRUE(readAll(folder.folder().bazaFile(QStringLiteral("Tnorme.dat"))) ==
                buildNormTable(readNormModel(shippedModelPath())).toBytes());
    // Boys aged 12, 60 m: a run one standard deviation faster than the mean scores 60.
    const double t60Mean = shippedMean(1, 12, 10);
    const double fast = shipped.at(1, 6, 10, 40);
    EXPECT_LT(fast, t60Mean);
    EXPECT_EQ(ComputeTScore(shipped, 10, 0, 6, 9, fast, QDate(1993, 3, 1), 2005), 60);
    EXPECT_EQ(ComputeTScore(shipped, 10, 0, 6, 9, t60Mean, QDate(1993, 3, 1), 2005), 50);
}

TEST(ShippedScripts, AreTheGeneratedOnes)
{
    const NormModel model = readNormModel(shippedModelPath());
    EXPECT_EQ(QString::fromUtf8(readAll(sourcePath(QStringLiteral("baza/D0003.txt")))),
              evaluationBandsScript(3));
    EXPECT_EQ(QString::fromUtf8(readAll(sourcePath(QStringLiteral("baza/D0004.txt")))),
              referenceResultsScript(model, 4));
}

TEST(ShippedScripts, FillBandsAndReferencesOnce)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    auto dm = folder.openDataModule(prompter);
    const QSqlDatabase db = dm->db();
    EXPECT_GE(scalar(db, QStringLiteral("SELECT VERZIJA FROM T_NASTAVITVE")).toInt(), 4);

    // Bands: 999 rows of VRSTA 1, T and XT strictly ascending with BOLJSI.
    Dataset& bands = dm->A_VREDNOTENJE();
    ASSERT_EQ(bands.rowCount(), 999);
    for (int row = 1; row < bands.rowCount(); ++row) {
        EXPECT_LT(bands.value(row - 1, QStringLiteral("BOLJSI")).toDouble(),
                  bands.value(row, QStringLiteral("BOLJSI")).toDouble());
        EXPECT_LT(bands.value(row - 1, QStringLiteral("T")).toDouble(),
                  bands.value(row, QStringLiteral("T")).toDouble())
            << row;
        EXPECT_LT(bands.value(row - 1, QStringLiteral("XT")).toDouble(),
                  bands.value(row, QStringLiteral("XT")).toDouble())
            << row;
    }
    const auto band = [&](double boljsi, const char* column) {
        return scalar(db,
                      QStringLiteral("SELECT %1 FROM T_VREDNOTENJE WHERE VRSTA=1 AND abs(BOLJSI-:b)<0.01")
                          .arg(QLatin1String(column)),
                      {{QStringLiteral(":b"), boljsi}})
            .toDouble();
    };
    EXPECT_EQ(band(50.0, "T"), 50.0);
    EXPECT_EQ(band(50.0, "XT"), 50.0);
    EXPECT_NEAR(band(84.1, "T"), 60.0, 0.02);   // Phi(1) = 0.8413
    EXPECT_NEAR(band(2.3, "XT"), 37.0, 0.05);   // Phi(-2) = 0.0228
    EXPECT_NEAR(band(0.1, "T"), 19.098, 0.001); // z = -3.0902

    // References: every year 1990..2040, grade 1..9 and sex once, at age grade + 6.
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT COUNT(*) FROM T_REFERENCNE")).toInt(), 51 * 9 * 2);
    EXPECT_EQ(
        scalar(db, QStringLiteral(
                       "SELECT COUNT(*) FROM (SELECT DISTINCT LETO, RAZREDABS, SPOL FROM T_REFERENCNE)"))
            .toInt(),
        51 * 9 * 2);
    const auto reference = [&](int year, int grade, int spol, const char* column) {
        return scalar(db,
                      QStringLiteral("SELECT %1 FROM T_REFERENCNE WHERE LETO=:y AND RAZREDABS=:g AND SPOL=:s")
                          .arg(QLatin1String(column)),
                      {{QStringLiteral(":y"), year},
                       {QStringLiteral(":g"), grade},
                       {QStringLiteral(":s"), spol}})
            .toDouble();
    };
    EXPECT_EQ(reference(2005, 6, 0, "SDM"), shippedMean(1, 12, 5));
    EXPECT_EQ(reference(1990, 1, 1, "ATV"), shippedMean(2, 7, 1));
    EXPECT_EQ(reference(2040, 9, 1, "T600"), shippedMean(2, 15, 11));

    // Running the scripts again adds nothing.
    for (const char* script : {"baza/D0003.txt", "baza/D0004.txt"})
        dm->RunScript(TDM::readScriptFile(folder.path() + QLatin1Char('/') + QLatin1String(script)));
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT COUNT(*) FROM T_VREDNOTENJE")).toInt(), 999);
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT COUNT(*) FROM T_REFERENCNE")).toInt(), 51 * 9 * 2);
}

// The import engine: class runs, the already-imported question and the
// replacement in one transaction, pupil matching, scoring and XT, and the
// records that get no results row.
#include "ExchangeFixtures.h"
#include "core/Errors.h"
#include "exchange/ImportEngine.h"
#include "support/ScriptedPrompter.h"

#include <QDir>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace gibomer;
using namespace gibomer::test;

namespace {

class ImportEngine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeIdentityNorms(folder);
        dm = folder.openDataModule(prompter);
    }

    ImportSummary import(const QString& caption = QString())
    {
        return ImportStagedRecords(*dm, progress, caption);
    }

    QVariant value(const QString& sql, const SqlParams& params = {}) { return scalar(dm->db(), sql, params); }

    int addPupil(const QString& priimek, const QString& ime, const QString& rojstvo)
    {
        const int id = dm->NextId(QStringLiteral("ID_UCENEC"), QStringLiteral("T_UCENEC"));
        execSql(dm->db(),
                QStringLiteral(
                    "INSERT INTO T_UCENEC (ID_UCENEC,PRIIMEK,IME,ROJSTVO,SPOL) VALUES (:p1,:p2,:p3,:p4,1)"),
                {{":p1", id}, {":p2", priimek}, {":p3", ime}, {":p4", rojstvo}});
        return id;
    }

    void addHistory(int pupil, int leto, int razred, int atv)
    {
        const int cls = dm->NextId(QStringLiteral("ID_MERITEV"), QStringLiteral("T_MERITEV"));
        execSql(dm->db(),
                QStringLiteral("INSERT INTO T_MERITEV (ID_MERITEV,ID_SOLA,LETO_MERITVE,RAZRED,ODDELEK,VRSTA) "
                               "VALUES (:p1,99,:p2,:p3,'B',9)"),
                {{":p1", cls}, {":p2", leto}, {":p3", razred}});
        execSql(dm->db(),
                QStringLiteral("INSERT INTO T_VREDNOST (ID_UCENEC,ID_MERITEV,ATV) VALUES (:p1,:p2,:p3)"),
                {{":p1", pupil}, {":p2", cls}, {":p3", atv}});
    }

    QStringList bazaFiles(const QString& pattern)
    {
        return QDir(folder.baza()).entryList({pattern}, QDir::Files);
    }

    TestFolder folder;
    ScriptedPrompter prompter;
    std::unique_ptr<TDM> dm;
    RecordingProgress progress;
};

std::vector<Staged> threeClasses()
{
    std::vector<Staged> records;
    const std::pair<int, const char*> classes[] = {{5, "A"}, {5, "B"}, {6, "A"}};
    int n = 0;
    for (const auto& [razred, oddelek] : classes) {
        for (int i = 0; i < 10; ++i) {
            Staged s;
            s.priimek = QStringLiteral("PRIIMEK%1").arg(n++);
            s.razred = razred;
            s.oddelek = QString::fromLatin1(oddelek);
            records.push_back(s);
        }
    }
    return records;
}

} // namespace

TEST_F(ImportEngine, OneClassRowPerRunAndTheProgressWindow)
{
    auto records = threeClasses();
    // 5A again after 6A is a new run and gets its own row
    Staged again;
    again.priimek = QStringLiteral("ZADNJI");
    records.push_back(again);
    stage(*dm, records);

    const ImportSummary summary = import(QStringLiteral("Uvažam šolo OŠ Test. Leto 05"));
    EXPECT_EQ(summary.recordsRead, 31);
    EXPECT_EQ(summary.classesAdded, 4);
    EXPECT_EQ(summary.pupilsAdded, 31);
    EXPECT_EQ(summary.resultsWritten, 31);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_MERITEV")), 4);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_VREDNOST")), 31);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_MERITEV"), QStringLiteral("RAZRED=5 AND ODDELEK='A'")), 2);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_MERITEV"),
                        QStringLiteral("ID_SOLA=1234 AND LETO_MERITVE=2005 AND VRSTA=9")),
              4);
    // each results row sits in its own record's class
    EXPECT_EQ(value(QStringLiteral("SELECT m.RAZRED || m.ODDELEK FROM T_VREDNOST v JOIN T_UCENEC u ON "
                                   "u.ID_UCENEC=v.ID_UCENEC JOIN T_MERITEV m ON m.ID_MERITEV=v.ID_MERITEV "
                                   "WHERE u.PRIIMEK='PRIIMEK25'"))
                  .toString(),
              QStringLiteral("6A"));

    EXPECT_EQ(progress.upper, QStringLiteral("Uvažam šolo OŠ Test. Leto 05"));
    EXPECT_EQ(progress.range, 31);
    ASSERT_EQ(progress.positions.size(), 32);
    EXPECT_EQ(progress.positions.front(), 0);
    EXPECT_EQ(progress.positions.back(), 31);
    EXPECT_EQ(progress.lowerTexts, QStringList({QStringLiteral("Uvažam učence v podatkovno bazo....."),
                                                QStringLiteral("Uvažam učence v podatkovno bazo...5.A"),
                                                QStringLiteral("Uvažam učence v podatkovno bazo...5.B"),
                                                QStringLiteral("Uvažam učence v podatkovno bazo...6.A"),
                                                QStringLiteral("Uvažam učence v podatkovno bazo...5.A")}));
    EXPECT_GE(progress.repaints, 31 + 4);
    EXPECT_TRUE(progress.shown);
    EXPECT_FALSE(progress.visible);
}

TEST_F(ImportEngine, NewPupilRowAndScoredResults)
{
    Staged s;
    s.priimek = QString();
    s.ime = QStringLiteral("BREZPRIIMKA");
    s.rojstvo = QDate();
    s.spol = 0;
    s.meritve = PackResultsFromCells({QStringLiteral("1452"), QStringLiteral("40"), QStringLiteral("30"),
                                      QStringLiteral("60"), QString(), QStringLiteral("47"),
                                      QStringLiteral("0"), QStringLiteral("99"), QStringLiteral("5"),
                                      QStringLiteral("12"), QStringLiteral("88")});
    stage(*dm, {s});
    import();

    QSqlQuery pupil =
        execSql(dm->db(), QStringLiteral("SELECT PRIIMEK, IME, ROJSTVO, SPOL, VNOS FROM T_UCENEC"));
    ASSERT_TRUE(pupil.next());
    EXPECT_EQ(pupil.value(0).toString(), QStringLiteral(" "));
    EXPECT_EQ(pupil.value(1).toString(), QStringLiteral("BREZPRIIMKA"));
    EXPECT_EQ(pupil.value(2).toString(), QStringLiteral("1899-12-30"));
    EXPECT_EQ(pupil.value(3).toInt(), 0);
    EXPECT_TRUE(pupil.value(4).isNull());

    QSqlQuery row = execSql(dm->db(), QStringLiteral("SELECT * FROM T_VREDNOST"));
    ASSERT_TRUE(row.next());
    struct Expected
    {
        const char* code;
        QVariant raw, t;
    } expected[] = {
        {"ATV", 1452.0, 89.0},
        {"ATT", 40.0, 40.0},
        {"AKG", 30.0, 70.0},
        {"DPR", 60.0, 60.0},
        {"SDM", QVariant(), QVariant()},
        {"PON", 47.0, 53.0},
        {"DT", 0.0, 11.0},
        {"PRE", 99.0, 89.0},
        {"VZG", 5.0, 11.0},
        {"T60", 12.0, 88.0},
        {"T600", 88.0, 12.0},
    };
    for (const Expected& e : expected) {
        const QString code = QString::fromLatin1(e.code);
        EXPECT_EQ(row.value(code).isNull(), e.raw.isNull()) << e.code;
        if (!e.raw.isNull()) {
            EXPECT_EQ(row.value(code).toDouble(), e.raw.toDouble()) << e.code;
            EXPECT_EQ(row.value(code + QLatin1Char('T')).toDouble(), e.t.toDouble()) << e.code;
        }
    }
    EXPECT_TRUE(row.value(QStringLiteral("XT")).isNull()); // one motor result missing
}

TEST_F(ImportEngine, OverallScoreOfTheEngine)
{
    struct Case
    {
        std::array<int, 8> motorT;
        std::optional<double> xt;
    } cases[] = {
        {{50, 52, 47, 61, 45, 55, 49, 53}, 51.5},  // sum 412
        {{50, 50, 50, 50, 50, 50, 50, 51}, 50.12}, // 401: the half goes to the even neighbour
        {{50, 50, 50, 50, 50, 50, 51, 52}, 50.38}, // 403
        {{50, 50, 50, 50, 50, 50, 50, -1}, std::nullopt},
    };
    std::vector<Staged> records;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        Staged s;
        s.priimek = QStringLiteral("P%1").arg(i);
        s.meritve = resultsFor(cases[i].motorT);
        records.push_back(s);
    }
    // a motor raw value 0 counts toward the eight (its T-score is 11 here)
    Staged zero;
    zero.priimek = QStringLiteral("NIC");
    zero.meritve = resultsFor({50, 50, 50, 50, 50, 50, 50, 50}).left(17) + QStringLiteral(" 0") +
                   resultsFor({50, 50, 50, 50, 50, 50, 50, 50}).mid(19);
    records.push_back(zero);
    stage(*dm, records);
    import();

    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const QVariant xt = value(QStringLiteral("SELECT v.XT FROM T_VREDNOST v JOIN T_UCENEC u ON "
                                                 "u.ID_UCENEC=v.ID_UCENEC WHERE u.PRIIMEK=:p1"),
                                  {{":p1", QStringLiteral("P%1").arg(i)}});
        EXPECT_EQ(xt.isNull(), !cases[i].xt.has_value()) << i;
        if (cases[i].xt) {
            EXPECT_DOUBLE_EQ(xt.toDouble(), *cases[i].xt) << i;
        }
    }
    EXPECT_DOUBLE_EQ(
        value(QStringLiteral("SELECT v.XT FROM T_VREDNOST v JOIN T_UCENEC u ON u.ID_UCENEC=v.ID_UCENEC "
                             "WHERE u.PRIIMEK='NIC'"))
            .toDouble(),
        45.12); // (7 * 50 + 11) / 8 = 45.125
}

TEST_F(ImportEngine, ReimportAsksAndReplacesWithABackup)
{
    stage(*dm, threeClasses());
    import();
    const int pupils = countRows(*dm, QStringLiteral("T_UCENEC"));
    // another school's year and another year of this school stay untouched
    Staged other;
    other.sola = 777;
    Staged earlier;
    earlier.leto = 2004;
    earlier.priimek = QStringLiteral("LANI");
    stage(*dm, {other});
    import();
    stage(*dm, {earlier});
    import();

    stage(*dm, threeClasses());
    prompter.expectConfirm(
        QStringLiteral("Podatki za leto 2005 so že bili vnešeni!\nČe želite zbrisati podatke in jih "
                       "ponolno uvoziti pritisnite Yes(Da).Če pa želite prekiniti uvoz podatkov "
                       "pritisnite na gumb No(Ne)"),
        true);
    const ImportSummary summary = import();
    EXPECT_TRUE(summary.replaced);
    EXPECT_EQ(summary.pupilsReused, 30);
    EXPECT_EQ(summary.pupilsAdded, 0);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_UCENEC")), pupils + 2);
    EXPECT_EQ(
        countRows(*dm, QStringLiteral("T_MERITEV"), QStringLiteral("ID_SOLA=1234 AND LETO_MERITVE=2005")), 3);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_VREDNOST")), 32);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_MERITEV"), QStringLiteral("ID_SOLA=777")), 1);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_MERITEV"), QStringLiteral("LETO_MERITVE=2004")), 1);
    // no results row points to a deleted class
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_VREDNOST"),
                        QStringLiteral("ID_MERITEV NOT IN (SELECT ID_MERITEV FROM T_MERITEV)")),
              0);

    // the backup holds the database as it was before the delete
    ASSERT_EQ(bazaFiles(QStringLiteral("gmr-kopija-*.mdb")).size(), 1);
    EXPECT_EQ(QDir(folder.baza()).filePath(bazaFiles(QStringLiteral("gmr-kopija-*.mdb")).front()),
              summary.backupPath);
    {
        QSqlDatabase copy = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("backup"));
        copy.setDatabaseName(summary.backupPath);
        ASSERT_TRUE(copy.open());
        EXPECT_EQ(scalar(copy, QStringLiteral("SELECT COUNT(*) FROM T_VREDNOST")).toInt(), 32);
        copy.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("backup"));
}

TEST_F(ImportEngine, NoToTheQuestionWritesNothing)
{
    stage(*dm, threeClasses());
    import();
    Staged extra;
    extra.priimek = QStringLiteral("NOVI");
    stage(*dm, {extra});
    prompter.expectConfirm({}, false);
    progress = RecordingProgress();
    EXPECT_THROW(import(), SilentAbort);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_UCENEC")), 30);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_VREDNOST")), 30);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_MERITEV")), 3);
    EXPECT_TRUE(bazaFiles(QStringLiteral("gmr-kopija-*.mdb")).isEmpty());
    EXPECT_FALSE(progress.shown);
}

TEST_F(ImportEngine, ARunThatFailsLeavesTheOldYearWhole)
{
    stage(*dm, threeClasses());
    import();
    // the database gives up the whole transaction on the 20th new record
    execSql(dm->db(), QStringLiteral("CREATE TRIGGER fail_run BEFORE INSERT ON T_VREDNOST "
                                     "WHEN (SELECT COUNT(*) FROM T_VREDNOST) >= 19 "
                                     "BEGIN SELECT RAISE(ROLLBACK, 'disk full'); END"));
    stage(*dm, threeClasses());
    prompter.expectConfirm({}, true);
    progress = RecordingProgress();
    EXPECT_THROW(import(), DbError);
    EXPECT_FALSE(progress.visible);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_VREDNOST")), 30);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_MERITEV")), 3);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_UCENEC")), 30);
    EXPECT_EQ(bazaFiles(QStringLiteral("gmr-kopija-*.mdb")).size(), 1);
}

TEST_F(ImportEngine, AFailingRecordKeepsWhatItWrote)
{
    std::vector<Staged> records(3);
    records[0].priimek = QStringLiteral("PRVI");
    records[1].priimek = QStringLiteral("VEJICA");
    records[1].meritve = QStringLiteral("14,5") + records[1].meritve.mid(4);
    records[2].priimek = QStringLiteral("BAZA");
    records[2].meritve = QStringLiteral("9999") + records[2].meritve.mid(4);
    execSql(dm->db(), QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON T_VREDNOST WHEN NEW.ATV = 9999 "
                                     "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    stage(*dm, records);
    const ImportSummary summary = import();

    EXPECT_EQ(summary.resultsWritten, 1);
    ASSERT_EQ(summary.recordsSkipped(), 2);
    EXPECT_EQ(summary.skipped[0].priimek, QStringLiteral("VEJICA"));
    EXPECT_TRUE(summary.skipped[0].reason.contains(QStringLiteral("14,5")))
        << summary.skipped[0].reason.toStdString();
    EXPECT_EQ(summary.skipped[1].index, 2);
    EXPECT_TRUE(summary.skipped[1].reason.contains(QStringLiteral("refused")));
    // the pupils and the class of the skipped records are written
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_UCENEC")), 3);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_MERITEV")), 1);
}

TEST_F(ImportEngine, FindingPupilsAgain)
{
    const int kosir = addPupil(QStringLiteral("Košir"), QStringLiteral("Žan"), QStringLiteral("1995-03-05"));
    addPupil(QStringLiteral("NOVAK"), QStringLiteral("ANA"), QStringLiteral("1996-03-05"));

    std::vector<Staged> records(3);
    records[0].priimek = QStringLiteral("KOŠIR"); // the database's comparison ignores case
    records[0].ime = QStringLiteral("ŽAN");
    records[1].priimek = QStringLiteral("NOVAK");  // same name, other birth date: a new pupil
    records[2].priimek = QStringLiteral("KOŠIR "); // names are not trimmed
    records[2].ime = QStringLiteral("ŽAN");
    stage(*dm, records);
    const ImportSummary summary = import();
    EXPECT_EQ(summary.pupilsReused, 1);
    EXPECT_EQ(summary.pupilsAdded, 2);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_VREDNOST"), QStringLiteral("ID_UCENEC=%1").arg(kosir)), 1);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_UCENEC"), QStringLiteral("PRIIMEK='NOVAK'")), 2);
    EXPECT_EQ(FindPupil(*dm, QString(), QStringLiteral("ŽAN"), serialFromDate(QDate(1995, 3, 5))), 0);
}

TEST_F(ImportEngine, SeveralCandidatesGoToTheMatchingDialog)
{
    const int first =
        addPupil(QStringLiteral("HORVAT"), QStringLiteral("MAJA"), QStringLiteral("1995-03-05"));
    const int second =
        addPupil(QStringLiteral("HORVAT"), QStringLiteral("MAJA"), QStringLiteral("1995-03-05"));
    addPupil(QStringLiteral("HORVAT"), QStringLiteral("MAJA"), QStringLiteral("1997-01-01"));
    addHistory(first, 2003, 3, 1301);
    addHistory(first, 2004, 4, 1352);
    addHistory(second, 2003, 3, 1288);
    addHistory(second, 2004, 4, 1340);
    const double born = serialFromDate(QDate(1995, 3, 5));

    // two candidates with two years each: four rows, each naming its pupil
    prompter.expectChoosePupil(3);
    EXPECT_EQ(FindPupil(*dm, QStringLiteral("Horvat"), QStringLiteral("Maja"), born), second);
    ASSERT_EQ(prompter.shownCandidates.size(), 1);
    const QList<PupilCandidate>& rows = prompter.shownCandidates.front();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].id, first);
    EXPECT_EQ(rows[1].id, first);
    EXPECT_EQ(rows[1].letoMeritve.toInt(), 2004);
    EXPECT_EQ(rows[1].razred.toInt(), 4);
    EXPECT_EQ(rows[1].oddelek.toString(), QStringLiteral("B"));
    EXPECT_EQ(rows[1].atv.toDouble(), 1352.0);
    EXPECT_EQ(rows[2].id, second);
    EXPECT_EQ(rows[0].rojstvo.toString(), QStringLiteral("1995-03-05"));

    prompter.expectChoosePupil(0);
    EXPECT_EQ(ChoosePupil(*dm, QStringLiteral("HORVAT"), QStringLiteral("MAJA"), born), first);
    // without a birth date every pupil of the name is listed, the one without results once
    prompter.expectChoosePupil(std::nullopt);
    EXPECT_EQ(ChoosePupil(*dm, QStringLiteral("HORVAT"), QStringLiteral("MAJA"), 0), 0);
    EXPECT_EQ(prompter.shownCandidates.back().size(), 5);
    prompter.expectChoosePupil(17);
    EXPECT_EQ(ChoosePupil(*dm, QStringLiteral("HORVAT"), QStringLiteral("MAJA"), born), 0);

    // in the engine, "Nobeden ne ustreza" gives a new pupil
    Staged s;
    s.priimek = QStringLiteral("HORVAT");
    s.ime = QStringLiteral("MAJA");
    stage(*dm, {s});
    prompter.expectChoosePupil(std::nullopt);
    const ImportSummary summary = import();
    EXPECT_EQ(summary.pupilsAdded, 1);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_UCENEC"), QStringLiteral("PRIIMEK='HORVAT'")), 4);
}

TEST_F(ImportEngine, MissingNormsAreReportedOncePerYear)
{
    folder.removeFile(QStringLiteral("baza/Tnorme.dat"));
    std::vector<Staged> records(5);
    for (int i = 0; i < 5; ++i) {
        records[i].priimek = QStringLiteral("P%1").arg(i);
        records[i].leto = i < 3 ? 2005 : 2006;
    }
    stage(*dm, records);
    prompter.expectMessage(QStringLiteral("Datoteka z t-normami ne obstaja!"))
        .expectMessage(QStringLiteral("Datoteka z t-normami ne obstaja!"));
    const ImportSummary summary = import();
    EXPECT_EQ(summary.yearsWithoutNorms, QList<int>({2005, 2006}));
    EXPECT_EQ(summary.recordsSkipped(), 5);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_VREDNOST")), 0);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_UCENEC")), 5);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_MERITEV")), 1);

    // with Tnorme2006.dat alone, 2006 and year 0 (which looks upward) are scored
    writeIdentityNorms(folder, QStringLiteral("Tnorme2006.dat"));
    records[0].leto = 0;
    records[0].sola = 55;
    stage(*dm, {records[0], records[4]});
    EXPECT_EQ(import().resultsWritten, 2);
}

TEST_F(ImportEngine, EmptyTableAndEmptyClassKey)
{
    // records of empty lines from an earlier import: school 0, year 0
    Staged blank;
    blank.sola = 0;
    blank.leto = 0;
    blank.vrsta = -1;
    blank.razred = -1;
    blank.oddelek = QString();
    stage(*dm, {blank});
    const ImportSummary first = import();
    // the first record's empty class key equals the initial one: no class row
    EXPECT_EQ(first.classesAdded, 0);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_MERITEV")), 0);
    EXPECT_EQ(value(QStringLiteral("SELECT ID_MERITEV FROM T_VREDNOST")).toInt(), 0);

    execSql(dm->db(),
            QStringLiteral("INSERT INTO T_MERITEV (ID_MERITEV,ID_SOLA,LETO_MERITVE) VALUES (50,0,0)"));
    dm->RxMMeritve().clear();
    progress = RecordingProgress();
    const ImportSummary empty = import(); // nothing to put in place of the old ones: no question
    EXPECT_EQ(empty.recordsRead, 0);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_VREDNOST")), 1);
    EXPECT_EQ(countRows(*dm, QStringLiteral("T_MERITEV")), 1);
    EXPECT_EQ(progress.range, 0);
    EXPECT_TRUE(progress.shown);
    EXPECT_FALSE(progress.visible);
}

#include "exchange/ImportEngine.h"

#include "core/Backup.h"
#include "core/DataModule.h"
#include "core/Errors.h"
#include "core/Formats.h"
#include "core/Progress.h"
#include "core/Prompter.h"
#include "core/Sql.h"
#include "core/TestTables.h"
#include "exchange/ResultsString.h"
#include "scoring/NormTable.h"
#include "scoring/TScore.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSqlQuery>
#include <map>
#include <memory>

namespace gibomer {

namespace {

const QString ImportingText = QStringLiteral("Uvažam učence v podatkovno bazo...");
const QString NoNormsMessage = QStringLiteral("Datoteka z t-normami ne obstaja!");

const QString SqlAlreadyImported =
    QStringLiteral("SELECT COUNT(*) FROM T_MERITEV WHERE (ID_SOLA=:p1)and(LETO_MERITVE=:p2)");
const QString SqlDeleteResults =
    QStringLiteral("DELETE FROM T_VREDNOST WHERE (ID_MERITEV IN (SELECT ID_MERITEV FROM T_MERITEV WHERE "
                   "(ID_SOLA=:p1)and(LETO_MERITVE=:p2)))");
const QString SqlDeleteClasses =
    QStringLiteral("DELETE FROM T_MERITEV WHERE (ID_SOLA=:p1)and(LETO_MERITVE=:p2)");
const QString SqlInsertClass =
    QStringLiteral("INSERT INTO T_MERITEV (ID_MERITEV,ID_SOLA,LETO_MERITVE,RAZRED,ODDELEK,VRSTA)\n"
                   "VALUES (:p1,:p2,:p3,:p4,:p5,:p6)");
// Names are compared by the columns' case-insensitive collation; the birth
// date as ISO text. Two rows are enough to know that the user must choose.
const QString SqlFindPupil = QStringLiteral(
    "SELECT ID_UCENEC FROM T_UCENEC\nWHERE (PRIIMEK=:p1)and(IME=:p2)and(ROJSTVO=:p3)\nLIMIT 2");
const QString SqlInsertPupil = QStringLiteral("INSERT INTO T_UCENEC (ID_UCENEC,PRIIMEK,IME,ROJSTVO,SPOL)\n"
                                              "VALUES (:p1,:p2,:p3,:p4,:p5)");
const QString SqlInsertResult = QStringLiteral(
    "INSERT INTO T_VREDNOST "
    "(ID_UCENEC,ID_MERITEV,ATV,ATVT,ATT,ATTT,AKG,AKGT,DPR,DPRT,SDM,SDMT,PON,PONT,DT,DTT,"
    "PRE,PRET,VZG,VZGT,T60,T60T,T600,T600T,XT)\n"
    "VALUES "
    "(:p1,:p2,:ATV,:ATVT,:ATT,:ATTT,:AKG,:AKGT,:DPR,:DPRT,:SDM,:SDMT,:PON,:PONT,:DT,:DTT,:PRE,:PRET,:VZG,"
    ":VZGT,:T60,:T60T,:T600,:T600T,:XT)");

QString isoDate(double serial)
{
    return dateFromSerial(serial).toString(Qt::ISODate);
}

QSqlQuery prepare(const QSqlDatabase& db, const QString& sql)
{
    QSqlQuery query(db);
    if (!query.prepare(sql))
        throw DbError(QStringLiteral("Napaka podatkovne baze: stavka ni mogoče pripraviti."), sql);
    return query;
}

// A record's problem that ends only that record.
class RecordSkipped : public std::runtime_error
{
public:
    explicit RecordSkipped(const QString& reason) : std::runtime_error(reason.toStdString()), text(reason) {}
    QString text;
};

// Closes the progress window however the run ends.
class ProgressShown
{
public:
    explicit ProgressShown(ProgressDisplay& progress) : m_progress(progress) { m_progress.show(); }
    ~ProgressShown() { m_progress.close(); }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

private:
    ProgressDisplay& m_progress;
};

int findPupilWith(QSqlQuery& query, TDM& dm, const QString& priimek, const QString& ime, double rojstvo)
{
    if (priimek.isEmpty() || ime.isEmpty())
        return 0;
    query.bindValue(0, priimek);
    query.bindValue(1, ime);
    query.bindValue(2, isoDate(rojstvo));
    execPrepared(query);
    int found = 0;
    int rows = 0;
    while (query.next()) {
        if (rows++ == 0)
            found = query.value(0).toInt();
    }
    query.finish();
    if (rows <= 1)
        return found;
    return ChoosePupil(dm, priimek, ime, rojstvo);
}

// One run of the engine over the staging table.
class ImportRun
{
public:
    ImportRun(TDM& dm, ProgressDisplay& progress) : m_dm(dm), m_db(dm.db()), m_progress(progress) {}

    ImportSummary run(const QString& caption);

private:
    bool askBeforeReplacing(const StagedRecord& last);
    void deleteSchoolYear(const StagedRecord& last);
    void importRecord(const StagedRecord& record);
    const NormTableData& normsFor(int year);

    TDM& m_dm;
    QSqlDatabase m_db;
    ProgressDisplay& m_progress;
    ImportSummary m_summary;

    QString m_classKey;
    int m_classId = 0;
    int m_nextClassId = 1;
    int m_nextPupilId = 1;

    // Each year's norms are read once per run; nullptr marks a year without.
    std::map<int, std::shared_ptr<const NormTableData>> m_norms;
    std::map<int, QString> m_normProblems;

    QSqlQuery m_insertClass, m_findPupil, m_insertPupil, m_insertResult, m_savepoint, m_release;
};

bool ImportRun::askBeforeReplacing(const StagedRecord& last)
{
    const QVariant found = scalar(m_db, SqlAlreadyImported, {{":p1", last.sola()}, {":p2", last.leto()}});
    if (found.toInt() == 0)
        return false;
    if (!m_dm.prompter().confirm(alreadyImportedQuestion(last.letoText())))
        throw ImportDeclined();
    return true;
}

void ImportRun::deleteSchoolYear(const StagedRecord& last)
{
    const SqlParams params = {{":p1", last.sola()}, {":p2", last.leto()}};
    execSql(m_db, SqlDeleteResults, params);
    execSql(m_db, SqlDeleteClasses, params);
}

const NormTableData& ImportRun::normsFor(int year)
{
    auto it = m_norms.find(year);
    if (it == m_norms.end()) {
        std::shared_ptr<const NormTableData> table;
        if (const auto path = findNormFile(m_dm.folder(), year)) {
            try {
                table = std::make_shared<const NormTableData>(readNormFile(*path));
            } catch (const AppError& error) {
                m_normProblems[year] = error.message();
                m_dm.prompter().message(error.message());
            }
        } else {
            m_normProblems[year] = QStringLiteral("ni datoteke s t-normami za leto %1").arg(year);
            m_summary.yearsWithoutNorms << year;
            m_dm.prompter().message(NoNormsMessage);
        }
        it = m_norms.emplace(year, std::move(table)).first;
    }
    if (!it->second)
        throw RecordSkipped(m_normProblems[year]);
    return *it->second;
}

void ImportRun::importRecord(const StagedRecord& record)
{
    // A class gets one row per unbroken run of its records.
    const QString key = record.vrstaText() + record.razredText() + record.oddelek();
    if (key != m_classKey) {
        m_insertClass.bindValue(0, m_nextClassId);
        m_insertClass.bindValue(1, record.sola());
        m_insertClass.bindValue(2, record.leto());
        m_insertClass.bindValue(3, record.razred());
        m_insertClass.bindValue(4, record.oddelek());
        m_insertClass.bindValue(5, record.vrstaText().isEmpty() ? nullInt() : QVariant(record.vrsta()));
        execPrepared(m_insertClass);
        m_classKey = key;
        m_classId = m_nextClassId++;
        ++m_summary.classesAdded;
        m_progress.setLowerText(ImportingText + record.razredText() + QLatin1Char('.') + record.oddelek());
        m_progress.repaint();
    }

    int pupil = 0;
    try {
        pupil = findPupilWith(m_findPupil, m_dm, record.priimek(), record.ime(), record.rojstvo());
    } catch (const std::exception&) {
        pupil = 0;
    }
    if (pupil == 0) {
        const QString blank = QStringLiteral(" ");
        m_insertPupil.bindValue(0, m_nextPupilId);
        m_insertPupil.bindValue(1, record.priimek().isEmpty() ? blank : record.priimek());
        m_insertPupil.bindValue(2, record.ime().isEmpty() ? blank : record.ime());
        m_insertPupil.bindValue(3, isoDate(record.rojstvo()));
        m_insertPupil.bindValue(4, record.spol());
        execPrepared(m_insertPupil);
        pupil = m_nextPupilId++;
        ++m_summary.pupilsAdded;
    } else {
        ++m_summary.pupilsReused;
    }

    const NormTableData& norms = normsFor(record.leto());
    const QDate birthDate = dateFromSerial(record.rojstvo());

    m_insertResult.bindValue(0, pupil);
    m_insertResult.bindValue(1, m_classId);
    const ResultFields fields = CutResultsString(record.meritve());
    int sum = 0;
    int count = 0;
    for (int i = 1; i <= TestCount; ++i) {
        const int v = ParseResultField(fields[i]);
        const int rawAt = 2 * i;
        if (v == -1) {
            m_insertResult.bindValue(rawAt, nullInt());
            m_insertResult.bindValue(rawAt + 1, nullInt());
            continue;
        }
        const double t = ComputeTScore(norms, i, record.spol(), record.razred(), record.vrsta(), v, birthDate,
                                       record.leto());
        m_insertResult.bindValue(rawAt, static_cast<double>(v));
        m_insertResult.bindValue(rawAt + 1, t);
        // Unlike hand entry, a motor result of 0 counts here.
        if (i >= FirstMotorTest && v >= 0) {
            sum += static_cast<int>(roundHalfEven(t));
            ++count;
        }
    }
    const int xtAt = 2 * TestCount + 2;
    if (sum > 0 && count == TestCount - FirstMotorTest + 1)
        m_insertResult.bindValue(xtAt, roundHalfEven(static_cast<double>(sum) / count * 100) / 100);
    else
        m_insertResult.bindValue(xtAt, nullDouble());
    execPrepared(m_insertResult);
    ++m_summary.resultsWritten;
}

ImportSummary ImportRun::run(const QString& caption)
{
    StagingTable& staging = m_dm.RxMMeritve();
    m_summary.recordsRead = staging.size();

    // Nothing to import replaces nothing: the question is only asked when
    // there are records to put in the old ones' place.
    const StagedRecord* last = nullptr;
    if (!staging.isEmpty())
        last = &(staging.currentIndex() >= 0 ? staging.current() : staging.at(staging.size() - 1));
    m_summary.replaced = last && askBeforeReplacing(*last);
    if (m_summary.replaced)
        m_summary.backupPath = BackupDatabase(m_dm);

    Transaction transaction(m_db);
    if (m_summary.replaced)
        deleteSchoolYear(*last);

    m_nextClassId = m_dm.NextId(QStringLiteral("ID_MERITEV"), QStringLiteral("T_MERITEV"));
    m_nextPupilId = m_dm.NextId(QStringLiteral("ID_UCENEC"), QStringLiteral("T_UCENEC"));
    m_insertClass = prepare(m_db, SqlInsertClass);
    m_findPupil = prepare(m_db, SqlFindPupil);
    m_insertPupil = prepare(m_db, SqlInsertPupil);
    m_insertResult = prepare(m_db, SqlInsertResult);
    m_savepoint = prepare(m_db, QStringLiteral("SAVEPOINT staged_record"));
    m_release = prepare(m_db, QStringLiteral("RELEASE SAVEPOINT staged_record"));

    m_progress.setUpperText(caption);
    m_progress.setLowerText(ImportingText + QStringLiteral(".."));
    m_progress.setRange(staging.size());
    m_progress.setPosition(0);
    ProgressShown shown(m_progress);

    for (int i = 0; i < staging.size(); ++i) {
        m_progress.setPosition(i + 1);
        m_progress.repaint();
        const StagedRecord& record = staging.at(i);
        // What a failing record wrote stays, so the savepoint is released
        // either way; it keeps a failed statement from spoiling the run on
        // engines that abort the whole transaction then, and a release that
        // fails tells that the transaction is gone and the run must end.
        execPrepared(m_savepoint);
        try {
            importRecord(record);
        } catch (const RecordSkipped& skip) {
            m_summary.skipped.push_back({i, record.priimek(), record.ime(), skip.text});
        } catch (const AppError& error) {
            m_summary.skipped.push_back({i, record.priimek(), record.ime(), error.message()});
        } catch (const std::exception& error) {
            m_summary.skipped.push_back(
                {i, record.priimek(), record.ime(), QString::fromLocal8Bit(error.what())});
        }
        execPrepared(m_release);
    }
    transaction.commit();
    return m_summary;
}

} // namespace

QString alreadyImportedQuestion(const QString& leto)
{
    return QStringLiteral("Podatki za leto ") + leto + QStringLiteral(" so že bili vnešeni!") +
           QStringLiteral("\nČe želite zbrisati podatke in jih ponolno uvoziti pritisnite Yes(Da).") +
           QStringLiteral("Če pa želite prekiniti uvoz podatkov pritisnite na gumb No(Ne)");
}

ImportSummary ImportStagedRecords(TDM& dm, ProgressDisplay& progress, const QString& caption)
{
    ImportRun run(dm, progress);
    return run.run(caption);
}

int FindPupil(TDM& dm, const QString& priimek, const QString& ime, double rojstvo)
{
    QSqlQuery query = prepare(dm.db(), SqlFindPupil);
    return findPupilWith(query, dm, priimek, ime, rojstvo);
}

int ChoosePupil(TDM& dm, const QString& priimek, const QString& ime, double rojstvo)
{
    Dataset& candidates = dm.A_NAJDIUC();
    candidates.clearSql();
    candidates.clearParams();
    candidates.addLine(
        QStringLiteral("SELECT DISTINCT u.ID_UCENEC AS ID_UCENCA,u.IME,u.PRIIMEK,u.ROJSTVO,u.SPOL,"
                       "m.LETO_MERITVE,m.RAZRED,m.ODDELEK,v.ATV"));
    candidates.addLine(QStringLiteral("FROM T_UCENEC u"));
    candidates.addLine(
        QStringLiteral(" LEFT JOIN (T_VREDNOST v LEFT JOIN T_MERITEV m ON m.ID_MERITEV=v.ID_MERITEV)"));
    candidates.addLine(QStringLiteral("       ON u.ID_UCENEC=v.ID_UCENEC"));
    candidates.setParam(QStringLiteral(":p1"), priimek);
    candidates.setParam(QStringLiteral(":p2"), ime);
    if (rojstvo != 0) {
        candidates.addLine(QStringLiteral(" WHERE (u.PRIIMEK=:p1)and(u.IME=:p2)and(u.ROJSTVO=:p3)"));
        candidates.setParam(QStringLiteral(":p3"), isoDate(rojstvo));
    } else {
        candidates.addLine(QStringLiteral(" WHERE (u.PRIIMEK=:p1)and(u.IME=:p2)"));
    }
    candidates.addLine(QStringLiteral("ORDER BY u.PRIIMEK,u.ID_UCENEC,m.LETO_MERITVE"));
    try {
        candidates.open();
        QList<PupilCandidate> list;
        for (int row = 0; row < candidates.rowCount(); ++row) {
            PupilCandidate c;
            c.id = candidates.value(row, QStringLiteral("ID_UCENCA")).toInt();
            c.ime = candidates.value(row, QStringLiteral("IME")).toString();
            c.priimek = candidates.value(row, QStringLiteral("PRIIMEK")).toString();
            c.rojstvo = candidates.value(row, QStringLiteral("ROJSTVO"));
            c.spol = candidates.value(row, QStringLiteral("SPOL"));
            c.letoMeritve = candidates.value(row, QStringLiteral("LETO_MERITVE"));
            c.razred = candidates.value(row, QStringLiteral("RAZRED"));
            c.oddelek = candidates.value(row, QStringLiteral("ODDELEK"));
            c.atv = candidates.value(row, QStringLiteral("ATV"));
            list << c;
        }
        const std::optional<int> choice = dm.prompter().choosePupil(list);
        if (!choice || *choice < 0 || *choice >= candidates.rowCount())
            return 0;
        candidates.moveTo(*choice);
        return candidates.field(QStringLiteral("ID_UCENCA")).toInt();
    } catch (const AppError&) {
        return 0;
    }
}

QString BackupDatabase(TDM& dm)
{
    try {
        return backupDatabase(dm);
    } catch (const DbError& error) {
        throw AppError(
            QStringLiteral("Varnostne kopije podatkovne baze ni bilo mogoče narediti, zato podatki niso "
                           "bili zbrisani."),
            error.message());
    }
}

} // namespace gibomer

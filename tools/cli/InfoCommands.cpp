// The database's state at a glance, and the norm files: built from a model,
// listed as tables.
#include "Commands.h"

#include "core/DataModule.h"
#include "core/Errors.h"
#include "core/Sql.h"
#include "scoring/NormModel.h"
#include "scoring/NormTable.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>

namespace gibomer::cli {

namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

const QString CountPupils = QStringLiteral("SELECT COUNT(*) FROM T_UCENEC");
const QString CountsPerYear =
    QStringLiteral("SELECT m.LETO_MERITVE, COUNT(DISTINCT m.ID_MERITEV), COUNT(v.ID_UCENEC),\n"
                   "       COUNT(DISTINCT v.ID_UCENEC)\n"
                   "FROM T_MERITEV m LEFT JOIN T_VREDNOST v ON v.ID_MERITEV=m.ID_MERITEV\n"
                   "GROUP BY m.LETO_MERITVE\n"
                   "ORDER BY m.LETO_MERITVE");

int normsBuild(const Arguments& args)
{
    args.expectPositional(3, QStringLiteral("model (CSV) in izhodna datoteka"));
    const QString modelPath = args.positional().at(1);
    const QString out = args.positional().at(2);
    const NormModel model = readNormModel(modelPath);
    QStringList notes;
    const NormTableData table = buildNormTable(model, &notes);
    writeNormFile(table, out);
    for (const QString& note : notes)
        printErr(note);
    printOut(QStringLiteral("Zapisana datoteka z normami %1: %2 vrstic modela iz %3")
                 .arg(native(out))
                 .arg(model.size())
                 .arg(native(modelPath)));
    return ExitOk;
}

int normsDump(const Arguments& args)
{
    args.expectPositional(2, QStringLiteral("datoteka z normami"));
    NormDumpFilter filter;
    filter.sex = args.integer(QStringLiteral("sex"), 1, NormSexes);
    filter.age = args.integer(QStringLiteral("age"), FirstNormAge, LastNormAge);
    filter.test = args.integer(QStringLiteral("test"), 1, NormTests);
    const QString text = dumpNormTable(readNormFile(args.positional().at(1)), filter);
    printOut(text.endsWith(QLatin1Char('\n')) ? text.chopped(1) : text);
    return ExitOk;
}

} // namespace

int norms(const QStringList& argList)
{
    const Arguments args = Arguments::parse(
        argList, {{QStringLiteral("sex")}, {QStringLiteral("age")}, {QStringLiteral("test")}});
    const QString sub = args.positional().value(0);
    const bool filtered = args.has(QStringLiteral("sex")) || args.has(QStringLiteral("age")) ||
                          args.has(QStringLiteral("test"));
    if (sub == QLatin1String("build")) {
        if (filtered)
            throw UsageError(QStringLiteral("--sex, --age in --test veljajo le za norms dump."));
        return normsBuild(args);
    }
    if (sub == QLatin1String("dump"))
        return normsDump(args);
    if (sub.isEmpty())
        throw UsageError(QStringLiteral("Manjka build ali dump."));
    throw UsageError(QStringLiteral("Neznan ukaz norms %1.").arg(sub));
}

int info(const QStringList& argList)
{
    const Arguments args = Arguments::parse(argList, withDatabaseOptions({}));
    args.expectPositional(0, QString());
    CliPrompter prompter;
    const std::unique_ptr<TDM> dm = openDatabase(args, prompter);
    Dataset& settings = dm->A_NASTAVITVE();
    auto setting = [&](const char* column) {
        const QString name = QString::fromLatin1(column);
        return settings.hasField(name) && !settings.isEmpty() ? settings.field(name).toString() : QString();
    };

    printOut(QStringLiteral("Podatkovna baza: %1").arg(native(dm->folder().databaseFile())));
    printOut(QStringLiteral("VERZIJA: %1").arg(setting("VERZIJA")));
    printOut(QStringLiteral("Šola: %1").arg(setting("NAZIV")));
    printOut(QStringLiteral("Učencev: %1").arg(scalar(dm->db(), CountPupils).toInt()));

    QSqlQuery years = execSql(dm->db(), CountsPerYear);
    bool any = false;
    while (years.next()) {
        if (!any)
            printOut(QStringLiteral("Leto meritve: oddelkov, vrstic rezultatov, učencev"));
        any = true;
        printOut(QStringLiteral("  %1: %2, %3, %4")
                     .arg(years.value(0).toString())
                     .arg(years.value(1).toInt())
                     .arg(years.value(2).toInt())
                     .arg(years.value(3).toInt()));
    }
    if (!any)
        printOut(QStringLiteral("Ni vnešenih oddelkov."));

    const QFileInfoList normFiles =
        QDir(dm->folder().baza()).entryInfoList({QStringLiteral("Tnorme*.dat")}, QDir::Files, QDir::Name);
    if (normFiles.isEmpty())
        printOut(QStringLiteral("Datotek s t-normami ni."));
    for (const QFileInfo& file : normFiles) {
        const bool whole = file.size() >= NormRecordSize;
        printOut(QStringLiteral("Datoteka s t-normami: %1 (%2 bajtov%3)")
                     .arg(file.fileName())
                     .arg(file.size())
                     .arg(whole ? QString() : QStringLiteral(", premajhna: ni uporabna")));
    }
    return ExitOk;
}

} // namespace gibomer::cli

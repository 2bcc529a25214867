// The archive and workbook commands: imports with the engine's questions
// answered by the options, and the workbooks written without a spreadsheet
// program.
#include "Commands.h"

#include "core/DataModule.h"
#include "core/Errors.h"
#include "exchange/ArchiveImport.h"
#include "exchange/ClassWorkbook.h"
#include "exchange/ClassWorkbookImport.h"
#include "exchange/Export.h"
#include "exchange/Workbook.h"

#include <QDir>
#include <QFileInfo>

namespace gibomer::cli {

namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

void printSummary(const QString& label, const ImportSummary& s)
{
    printOut(QStringLiteral("%1: prebranih zapisov %2, dodanih oddelkov %3, dodanih učencev %4, "
                            "najdenih učencev %5, zapisanih vrstic rezultatov %6, izpuščenih zapisov %7")
                 .arg(label)
                 .arg(s.recordsRead)
                 .arg(s.classesAdded)
                 .arg(s.pupilsAdded)
                 .arg(s.pupilsReused)
                 .arg(s.resultsWritten)
                 .arg(s.recordsSkipped()));
    if (s.replaced)
        printOut(QStringLiteral("  prejšnji podatki leta so bili zbrisani; varnostna kopija baze: %1")
                     .arg(native(s.backupPath)));
    if (!s.yearsWithoutNorms.isEmpty()) {
        QStringList years;
        for (int year : s.yearsWithoutNorms)
            years << QString::number(year);
        printOut(
            QStringLiteral("  ni datoteke s t-normami za leto %1").arg(years.join(QStringLiteral(", "))));
    }
    for (const SkippedRecord& skip : s.skipped)
        printOut(QStringLiteral("  izpuščen zapis %1 (%2 %3): %4")
                     .arg(skip.index + 1)
                     .arg(skip.priimek, skip.ime, skip.reason));
}

// The kept school year ends the import without an error: that is what the
// user asked for, and what was imported before it stays.
int keptYear(const CliPrompter& prompter, const QString& whatStopped)
{
    printOut(QStringLiteral("Ustavljeno: %1 Podatki tega leta so ostali nespremenjeni%2. Za zamenjavo "
                            "ponovite ukaz z izbiro --replace.")
                 .arg(prompter.keptQuestions.back(), whatStopped));
    return ExitOk;
}

void readAnswers(const Arguments& args, CliPrompter& prompter)
{
    args.exclusive({QStringLiteral("replace"), QStringLiteral("keep")});
    if (args.has(QStringLiteral("replace")))
        prompter.replace = true;
    else if (args.has(QStringLiteral("keep")))
        prompter.replace = false;
    if (args.choice(QStringLiteral("match"), {QStringLiteral("new"), QStringLiteral("first")}).value_or(0) ==
        1)
        prompter.match = CliPrompter::Match::First;
}

QString yearOption(const Arguments& args)
{
    if (!args.has(QStringLiteral("year")))
        throw UsageError(QStringLiteral("Manjka izbira --year."));
    return QString::number(*args.integer(QStringLiteral("year"), 1, 9999));
}

QString existingFile(const QString& path)
{
    if (!QFileInfo(path).isFile())
        throw AppError(QStringLiteral("Datoteka %1 ne obstaja.").arg(native(path)));
    return path;
}

// Sheets and pupil rows of a written workbook, read back from the file.
void printWorkbook(const QString& path)
{
    const std::vector<WorkbookSheet> sheets = readWorkbook(path);
    int pupils = 0;
    QStringList names;
    for (const WorkbookSheet& sheet : sheets) {
        names << sheet.name();
        pupils += std::max(0, sheet.lastRow() - 1);
    }
    printOut(QStringLiteral("Zapisan delovni zvezek %1: listov %2 (%3), vrstic učencev %4")
                 .arg(native(path))
                 .arg(sheets.size())
                 .arg(names.join(QStringLiteral(", ")))
                 .arg(pupils));
}

} // namespace

int importArchive(const QStringList& argList)
{
    const Arguments args = Arguments::parse(argList, withDatabaseOptions({{QStringLiteral("password")},
                                                                          {QStringLiteral("replace"), false},
                                                                          {QStringLiteral("keep"), false},
                                                                          {QStringLiteral("match")}}));
    args.expectPositional(1, QStringLiteral("arhiv ZIP"));
    const QString password = secretValue(args.required(QStringLiteral("password")));
    CliPrompter prompter;
    readAnswers(args, prompter);
    const QString path = existingFile(args.positional().front());

    const std::unique_ptr<TDM> dm = openDatabase(args, prompter);
    CliProgress progress;
    // A kept year skips only its own member: the other years are still imported.
    const ArchiveImportSummary summary = ImportArchive(*dm, path, password, progress, KeptYear::SkipsMember);

    printOut(QStringLiteral("Arhiv %1: šola %2, razpakiranih datotek %3")
                 .arg(native(path), summary.schoolName)
                 .arg(summary.extracted.size()));
    for (const QString& name : summary.notExtracted)
        printOut(QStringLiteral("  ni razpakirano: %1").arg(name));
    for (const QString& name : summary.kept)
        printOut(QStringLiteral("%1: leto je že uvoženo, podatki so ostali nespremenjeni (za zamenjavo "
                                "ponovite ukaz z izbiro --replace)")
                     .arg(name));
    ImportSummary total;
    int skipped = 0;
    for (const ImportedMember& member : summary.imported) {
        printSummary(member.storedName, member.summary);
        total.recordsRead += member.summary.recordsRead;
        total.classesAdded += member.summary.classesAdded;
        total.pupilsAdded += member.summary.pupilsAdded;
        total.pupilsReused += member.summary.pupilsReused;
        total.resultsWritten += member.summary.resultsWritten;
        skipped += member.summary.recordsSkipped();
    }
    printOut(QStringLiteral("Skupaj: uvoženih datotek %1, prebranih zapisov %2, dodanih učencev %3, najdenih "
                            "učencev %4, zapisanih vrstic rezultatov %5, izpuščenih zapisov %6")
                 .arg(summary.imported.size())
                 .arg(total.recordsRead)
                 .arg(total.pupilsAdded)
                 .arg(total.pupilsReused)
                 .arg(total.resultsWritten)
                 .arg(skipped));
    return ExitOk;
}

int importWorkbook(const QStringList& argList)
{
    const Arguments args = Arguments::parse(argList, withDatabaseOptions({{QStringLiteral("year")},
                                                                          {QStringLiteral("replace"), false},
                                                                          {QStringLiteral("keep"), false},
                                                                          {QStringLiteral("match")}}));
    args.expectPositional(1, QStringLiteral("delovni zvezek"));
    CliPrompter prompter;
    readAnswers(args, prompter);
    prompter.input = yearOption(args);
    prompter.openPath = existingFile(args.positional().front());

    const std::unique_ptr<TDM> dm = openDatabase(args, prompter);
    CliProgress progress;
    std::optional<ImportSummary> summary;
    try {
        summary = ImportClassWorkbook(*dm, progress);
    } catch (const SilentAbort&) {
        if (prompter.keptQuestions.isEmpty())
            throw;
        return keptYear(prompter, QString());
    }
    if (!summary)
        throw AppError(QStringLiteral("Delovni zvezek ni bil uvožen."));
    printSummary(native(prompter.openPath), *summary);
    return ExitOk;
}

int createWorkbook(const QStringList& argList)
{
    const Arguments args =
        Arguments::parse(argList, withDatabaseOptions({{QStringLiteral("year")}, {QStringLiteral("out")}}));
    args.expectPositional(0, QString());
    CliPrompter prompter;
    prompter.input = yearOption(args);
    prompter.savePath = args.required(QStringLiteral("out"));

    const std::unique_ptr<TDM> dm = openDatabase(args, prompter);
    const QString path = CreateClassWorkbook(*dm);
    if (path.isEmpty())
        throw AppError(QStringLiteral("Delovni zvezek ni bil zapisan."));
    printWorkbook(path);
    return ExitOk;
}

int exportWorkbook(const QStringList& argList)
{
    const Arguments args =
        Arguments::parse(argList, withDatabaseOptions({{QStringLiteral("year")},
                                                       {QStringLiteral("out")},
                                                       {QStringLiteral("pupils-only"), false}}));
    args.expectPositional(0, QString());
    CliPrompter prompter;
    const int year = yearOption(args).toInt();
    prompter.savePath = args.required(QStringLiteral("out"));

    const std::unique_ptr<TDM> dm = openDatabase(args, prompter);
    const QString path = ExportYear(*dm, year, args.has(QStringLiteral("pupils-only")));
    if (path.isEmpty())
        throw AppError(QStringLiteral("Izvoz ni bil zapisan."));
    printWorkbook(path);
    return ExitOk;
}

} // namespace gibomer::cli

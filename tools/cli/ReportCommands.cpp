// The report commands: one analysis as a printed report in PDF (with its
// charts) or as a table, and the reports of every found pupil in one PDF.
#include "Commands.h"

#include "analysis/AnalysisBuilder.h"
#include "analysis/PercentBetter.h"
#include "analysis/Report.h"
#include "core/DataModule.h"
#include "core/Errors.h"
#include "core/Formats.h"
#include "ui/analysis/AnalysisCharts.h"
#include "ui/analysis/QR_IZPIS1.h"
#include "ui/analysis/ReportPrinting.h"

#include <QDir>
#include <QSaveFile>
#include <qcustomplot.h>

namespace gibomer::cli {

namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

const QStringList Kinds = {QStringLiteral("pupil"), QStringLiteral("class"), QStringLiteral("generation"),
                           QStringLiteral("school")};
const QStringList Sexes = {QStringLiteral("all"), QStringLiteral("m"), QStringLiteral("f")};

// The options each kind of analysis reads; the others are refused rather
// than silently ignored.
QStringList kindOptions(AnalysisKind kind)
{
    switch (kind) {
    case AnalysisKind::Pupil:
        return {QStringLiteral("from"),     QStringLiteral("to"),      QStringLiteral("grade"),
                QStringLiteral("pupil-id"), QStringLiteral("surname"), QStringLiteral("name"),
                QStringLiteral("born")};
    case AnalysisKind::ClassGrade:
        return {QStringLiteral("from"), QStringLiteral("to"), QStringLiteral("grade"),
                QStringLiteral("class"), QStringLiteral("sex")};
    case AnalysisKind::Generation:
        return {QStringLiteral("from"),  QStringLiteral("to"),    QStringLiteral("generation-year"),
                QStringLiteral("grade"), QStringLiteral("class"), QStringLiteral("sex")};
    case AnalysisKind::WholeSchool:
        return {QStringLiteral("from"), QStringLiteral("to"), QStringLiteral("sex")};
    }
    return {};
}

const QStringList SelectionOptions = {QStringLiteral("from"),     QStringLiteral("to"),
                                      QStringLiteral("grade"),    QStringLiteral("class"),
                                      QStringLiteral("sex"),      QStringLiteral("generation-year"),
                                      QStringLiteral("pupil-id"), QStringLiteral("surname"),
                                      QStringLiteral("name"),     QStringLiteral("born")};

std::optional<int> yearOf(const Arguments& args, const QString& name)
{
    return args.integer(name, 1, 9999);
}

// The two charts of the analysis view, at the size they have in a window of
// 1024 x 768, drawn for each analysis and recorded into the report.
struct Charts
{
    QCustomPlot main;
    QCustomPlot xt;
    AnalysisReportPrinter printer;

    Charts(TDM& dm, bool notes) : printer(dm)
    {
        main.resize(900, 520);
        xt.resize(112, 520);
        setupAnalysisCharts(main, xt);
        printer.mainChart = &main;
        printer.xtChart = &xt;
        printer.printNotes = [notes] { return notes; };
        printer.printerInstalled = [] { return false; };
    }

    std::unique_ptr<TR_IZPIS1> report(TDM& dm, const AnalysisResult& analysis)
    {
        drawAnalysisCharts(main, xt, analysis.chart, readEvaluationBands(dm.A_VREDNOTENJE()));
        main.replot(QCustomPlot::rpImmediateRefresh);
        xt.replot(QCustomPlot::rpImmediateRefresh);
        return printer.makeReport();
    }
};

// The analysis table: the year and the 23 values of each row, as the grid
// and the report show them.
void writeCsv(TDM& dm, const QString& path)
{
    const ReportData data = reportDataFrom(dm, false);
    QString text = QStringLiteral("LETO_MERITVE");
    for (const char* column : ReportValueColumns)
        text += QLatin1Char(';') + QString::fromLatin1(column);
    text += QLatin1Char('\n');
    for (const ReportRow& row : data.rows) {
        text += row.year ? QString::number(*row.year) : QString();
        for (int i = 0; i < ReportValueCount; ++i) {
            const bool score = i % 2 == 1 || i == ReportValueCount - 1;
            text += QLatin1Char(';');
            if (row.values[i])
                text += formatFixed(*row.values[i], score ? 1 : 0);
        }
        text += QLatin1Char('\n');
    }
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw IoError(
            QStringLiteral("Datoteke %1 ni mogoče zapisati: %2").arg(native(path), file.errorString()));
    printOut(QStringLiteral("Zapisana tabela %1: vrstic %2").arg(native(path)).arg(data.rows.size()));
}

QString pupilText(const Dataset& pupils, int row)
{
    const QDate born =
        QDate::fromString(pupils.value(row, QStringLiteral("ROJSTVO")).toString().left(10), Qt::ISODate);
    return QStringLiteral("%1 %2, %3 (--pupil-id %4)")
        .arg(pupils.value(row, QStringLiteral("PRIIMEK")).toString(),
             pupils.value(row, QStringLiteral("IME")).toString(),
             born.isValid() ? formatDate(born) : QString())
        .arg(pupils.value(row, QStringLiteral("ID_UCENEC")).toInt());
}

// The pupil the options name: by identifier, or by surname with the first
// name and birth date where given.
struct PupilChoice
{
    std::optional<int> id;
    QString surname;
    QString name;
    std::optional<QDate> born;
};

PupilChoice pupilChoice(const Arguments& args)
{
    PupilChoice c;
    c.id = args.integer(QStringLiteral("pupil-id"), 1, std::numeric_limits<int>::max());
    c.surname = args.value(QStringLiteral("surname"));
    c.name = args.value(QStringLiteral("name"));
    c.born = args.date(QStringLiteral("born"));
    if (c.id && (args.has(QStringLiteral("surname")) || args.has(QStringLiteral("name")) || c.born))
        throw UsageError(QStringLiteral("Učenca izberite z --pupil-id ali s --surname, --name in --born."));
    if (!c.id && c.surname.isEmpty())
        throw UsageError(
            QStringLiteral("Pregled učenca potrebuje --pupil-id ali --surname (z --name in --born)."));
    return c;
}

// Finds the one pupil with the pupil search and makes it the chosen pupil
// of the selection; none or several are a failure.
void choosePupil(TDM& dm, const PupilChoice& choice, AnalysisSelection& selection)
{
    AnalysisSelection search;
    search.priimekU = choice.surname;
    search.imeU = choice.name;
    if (choice.born)
        search.letnikU = choice.born->year();
    FindPupils(dm, search);
    Dataset& pupils = dm.A_PUCENCI();
    QList<int> rows;
    for (int row = 0; row < pupils.rowCount(); ++row) {
        if (choice.id && pupils.value(row, QStringLiteral("ID_UCENEC")).toInt() != *choice.id)
            continue;
        if (choice.born && pupils.value(row, QStringLiteral("ROJSTVO")).toString().left(10) !=
                               choice.born->toString(Qt::ISODate))
            continue;
        rows << row;
    }
    if (rows.isEmpty())
        throw AppError(QString::fromUtf8(NoPupilFoundMessage));
    if (rows.size() > 1) {
        QString list;
        for (int row : rows)
            list += QStringLiteral("\n  ") + pupilText(pupils, row);
        throw AppError(QStringLiteral("Izbiri ustreza več učencev; izberite enega z --pupil-id:") + list);
    }
    pupils.moveTo(rows.front());
    takeChosenPupil(selection, pupils);
}

AnalysisSelection selectionFrom(const Arguments& args, AnalysisKind kind)
{
    AnalysisSelection s = defaultSelection(QDate::currentDate());
    s.kind = kind;
    const std::optional<int> from = yearOf(args, QStringLiteral("from"));
    const std::optional<int> to = yearOf(args, QStringLiteral("to"));
    const std::optional<int> grade = args.integer(QStringLiteral("grade"), 0, 99);
    const QString oddelek = args.value(QStringLiteral("class"));
    const int sex = args.choice(QStringLiteral("sex"), Sexes).value_or(0);
    switch (kind) {
    case AnalysisKind::Pupil:
        s.letoOdU = from.value_or(s.letoOdU);
        s.letoDoU = to.value_or(s.letoDoU);
        s.razredU = grade; // the grade of the reference values
        break;
    case AnalysisKind::ClassGrade:
        s.letoOdR = from.value_or(s.letoOdR);
        s.letoDoR = to.value_or(s.letoDoR);
        s.razredR = grade;
        s.oddelekR = oddelek;
        s.spolR = sex;
        break;
    case AnalysisKind::Generation:
        s.letoOdG = from.value_or(s.letoOdG);
        s.letoDoG = to.value_or(s.letoDoG);
        s.genG = yearOf(args, QStringLiteral("generation-year")).value_or(s.genG);
        s.razredG = grade;
        s.oddelekG = oddelek;
        s.spolG = sex;
        break;
    case AnalysisKind::WholeSchool:
        s.letoOdC = from.value_or(s.letoOdC);
        s.letoDoC = to.value_or(s.letoDoC);
        s.spolC = sex;
        break;
    }
    return s;
}

// Opens the PDF output that the report or the batch goes into.
void openPdf(ReportOutput& output, CliPrompter& prompter, const QString& path, const QString& documentName)
{
    prompter.savePath = path;
    if (!output.open(path, documentName))
        throw AppError(QStringLiteral("Datoteke %1 ni mogoče zapisati.").arg(native(path)));
}

} // namespace

int report(const QStringList& argList)
{
    std::vector<OptionSpec> specs = {{QStringLiteral("kind")},
                                     {QStringLiteral("pdf")},
                                     {QStringLiteral("csv")},
                                     {QStringLiteral("notes"), false}};
    for (const QString& name : SelectionOptions)
        specs.push_back({name});
    const Arguments args = Arguments::parse(argList, withDatabaseOptions(specs));
    args.expectPositional(0, QString());
    if (!args.has(QStringLiteral("kind")))
        throw UsageError(QStringLiteral("Manjka izbira --kind (pupil, class, generation ali school)."));
    const auto kind = static_cast<AnalysisKind>(*args.choice(QStringLiteral("kind"), Kinds));
    const QStringList allowed = kindOptions(kind);
    for (const QString& name : SelectionOptions)
        if (args.has(name) && !allowed.contains(name))
            throw UsageError(
                QStringLiteral("Izbira --%1 ne velja za --kind %2.").arg(name, Kinds[int(kind)]));
    const QString pdf = args.value(QStringLiteral("pdf"));
    const QString csv = args.value(QStringLiteral("csv"));
    if (pdf.isEmpty() && csv.isEmpty())
        throw UsageError(QStringLiteral("Podajte --pdf IZHOD.pdf ali --csv IZHOD.csv."));

    AnalysisSelection selection = selectionFrom(args, kind);
    std::optional<PupilChoice> pupil;
    if (kind == AnalysisKind::Pupil)
        pupil = pupilChoice(args);

    CliPrompter prompter;
    const std::unique_ptr<TDM> dm = openDatabase(args, prompter);
    if (pupil)
        choosePupil(*dm, *pupil, selection);
    const AnalysisResult analysis = BuildAnalysis(*dm, selection);
    printOut(
        QStringLiteral("Pregled: %1; let z rezultati: %2").arg(analysis.title).arg(dm->A_PVRE().rowCount()));
    if (dm->A_PVRE().isEmpty())
        printErr(QStringLiteral("Opozorilo: v izbranem obdobju ni rezultatov; poročilo nima nobenega leta."));
    if (!pdf.isEmpty()) {
        Charts charts(*dm, args.has(QStringLiteral("notes")));
        const std::unique_ptr<TR_IZPIS1> printed = charts.report(*dm, analysis);
        ReportOutput output(prompter, false);
        openPdf(output, prompter, pdf, printed->data().title);
        printed->Print(output);
        output.finish();
        printOut(QStringLiteral("Zapisano poročilo %1").arg(native(output.pdfFile())));
    }
    if (!csv.isEmpty())
        writeCsv(*dm, csv);
    return ExitOk;
}

int reportAll(const QStringList& argList)
{
    const Arguments args = Arguments::parse(argList, withDatabaseOptions({{QStringLiteral("pdf")},
                                                                          {QStringLiteral("notes"), false},
                                                                          {QStringLiteral("surname")},
                                                                          {QStringLiteral("name")},
                                                                          {QStringLiteral("birth-year")},
                                                                          {QStringLiteral("school-year")},
                                                                          {QStringLiteral("grade")},
                                                                          {QStringLiteral("class")},
                                                                          {QStringLiteral("sex")},
                                                                          {QStringLiteral("from")},
                                                                          {QStringLiteral("to")}}));
    args.expectPositional(0, QString());
    const QString pdf = args.required(QStringLiteral("pdf"));

    AnalysisSelection s = defaultSelection(QDate::currentDate());
    s.kind = AnalysisKind::Pupil;
    s.priimekU = args.value(QStringLiteral("surname"));
    s.imeU = args.value(QStringLiteral("name"));
    s.letnikU = yearOf(args, QStringLiteral("birth-year"));
    s.genU = yearOf(args, QStringLiteral("school-year"));
    s.razredU = args.integer(QStringLiteral("grade"), 0, 99);
    s.oddelekU = args.value(QStringLiteral("class"));
    s.spolU = args.choice(QStringLiteral("sex"), Sexes).value_or(0);
    s.letoOdU = yearOf(args, QStringLiteral("from")).value_or(s.letoOdU);
    s.letoDoU = yearOf(args, QStringLiteral("to")).value_or(s.letoDoU);

    CliPrompter prompter;
    const std::unique_ptr<TDM> dm = openDatabase(args, prompter);
    FindPupils(*dm, s);
    Dataset& pupils = dm->A_PUCENCI();
    if (pupils.isEmpty())
        throw AppError(QString::fromUtf8(NoPupilFoundMessage));

    Charts charts(*dm, args.has(QStringLiteral("notes")));
    ReportOutput output(prompter, false);
    openPdf(output, prompter, pdf, QStringLiteral("Tiskanje analiz učencev"));
    try {
        for (pupils.first(); !pupils.eof(); pupils.next()) {
            takeChosenPupil(s, pupils);
            const AnalysisResult analysis = BuildAnalysis(*dm, s);
            printErr(analysis.title);
            charts.report(*dm, analysis)->Print(output);
        }
    } catch (...) {
        // What was printed stays readable: the document is ended first.
        output.finish();
        throw;
    }
    output.finish();
    printOut(
        QStringLiteral("Zapisanih poročil: %1 v %2").arg(output.reportCount()).arg(native(output.pdfFile())));
    return ExitOk;
}

} // namespace gibomer::cli

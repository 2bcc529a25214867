// Batch print of the pupil analyses of 500 found pupils into one PDF file,
// through the batch window, the chart drawing and the report layout; prints
// pages per second and the file size. Arguments: [pupils] [copy of the PDF].
#include "analysis/AnalysisChart.h"
#include "analysis/PercentBetter.h"
#include "core/DataModule.h"
#include "core/Formats.h"
#include "core/Prompter.h"
#include "core/Sql.h"
#include "support/TestFolder.h"
#include "ui/analysis/AnalysisCharts.h"
#include "ui/analysis/ReportPrinting.h"
#include "ui/analysis/UF_PREGLEDI_IZTIS.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <cstdio>
#include <qcustomplot.h>

using namespace gibomer;

namespace {

// Answers the one file dialog of the batch; nothing else is expected.
class BenchPrompter : public Prompter
{
public:
    explicit BenchPrompter(QString pdf) : m_pdf(std::move(pdf)) {}
    void message(const QString& text) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
    bool confirm(const QString&) override { return false; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return {}; }
    QStringList openFiles(const QString&, const QString&, const QString&) override { return {}; }
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&) override { return m_pdf; }
    std::optional<int> choosePupil(const QList<PupilCandidate>&) override { return {}; }

private:
    QString m_pdf;
};

// Nine school years of one pupil, in the columns of the pupil analysis.
QString pupilAnalysisSql(QRandomGenerator& random)
{
    static const char* columns[] = {"ATV", "ATVT", "ATT", "ATTT", "AKG",  "AKGT",  "DPR", "DPRT",
                                    "SDM", "SDMT", "PON", "PONT", "DT",   "DTT",   "PRE", "PRET",
                                    "VZG", "VZGT", "T60", "T60T", "T600", "T600T", "XT"};
    QStringList rows;
    for (int year = 2012; year <= 2020; ++year) {
        QStringList values{QStringLiteral("%1 AS LETO_MERITVE").arg(year)};
        for (int c = 0; c < 23; ++c) {
            const double value =
                c % 2 || c == 22 ? 30 + random.bounded(40) + 0.01 : 10 + random.bounded(190) + 0.01;
            values << QStringLiteral("%1 AS %2").arg(value, 0, 'f', 2).arg(QLatin1String(columns[c]));
        }
        rows << QStringLiteral("SELECT ") + values.join(QLatin1Char(','));
    }
    return rows.join(QStringLiteral(" UNION ALL "));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyProgramFormats();
    const int pupilCount = argc > 1 ? std::atoi(argv[1]) : 500;

    test::TestFolder folder;
    const QString pdf = folder.path() + QStringLiteral("/analize.pdf");
    BenchPrompter prompter(pdf);
    auto dm = folder.openDataModule(prompter);
    {
        Transaction transaction(dm->db());
        for (int i = 0; i < pupilCount; ++i)
            execSql(dm->db(),
                    QStringLiteral("INSERT INTO T_UCENEC (ID_UCENEC, PRIIMEK, IME) VALUES (:id, :p, :i)"),
                    {{QStringLiteral(":id"), i + 1},
                     {QStringLiteral(":p"), QStringLiteral("PRIIMEK%1").arg(i, 4, 10, QLatin1Char('0'))},
                     {QStringLiteral(":i"), QStringLiteral("IME")}});
        transaction.commit();
    }
    Dataset& pupils = dm->A_PUCENCI();
    pupils.setSql(QStringLiteral("SELECT ID_UCENEC, IME, PRIIMEK FROM T_UCENEC ORDER BY PRIIMEK, IME"));
    pupils.open();
    pupils.first();

    QCustomPlot mainChart;
    QCustomPlot xtChart;
    mainChart.resize(920, 560);
    xtChart.resize(85, 560);
    setupAnalysisCharts(mainChart, xtChart);
    const EvaluationBands bands = readEvaluationBands(dm->A_VREDNOTENJE());

    AnalysisReportPrinter printer(*dm);
    printer.mainChart = &mainChart;
    printer.xtChart = &xtChart;
    printer.printNotes = [] { return false; };
    printer.printerInstalled = [] { return false; };

    QRandomGenerator random(42);
    TF_PREGLEDI_IZTIS window(printer);
    int built = 0;
    window.buildAnalysis = [&] {
        Dataset& pvre = dm->A_PVRE();
        pvre.setSql(pupilAnalysisSql(random));
        pvre.open();
        const QString title = pupils.field(QStringLiteral("IME")).toString() + QLatin1Char(' ') +
                              pupils.field(QStringLiteral("PRIIMEK")).toString() +
                              QStringLiteral(", 01.01.2006");
        drawAnalysisCharts(mainChart, xtChart, buildChartModel(pvre, title, false, true), bands);
        ++built;
    };

    QElapsedTimer timer;
    timer.start();
    window.show();
    while (built == 0 || window.isRunning()) {
        QApplication::processEvents();
        QThread::usleep(200);
    }
    const double seconds = timer.elapsed() / 1000.0;

    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished();
    int pages = 0;
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("Pages:")))
            pages = line.mid(6).trimmed().toInt();
    const qint64 size = QFileInfo(pdf).size();
    std::printf("pupils %d, pages %d, %.1f s, %.1f pages/s, file %.1f KB, %.1f KB/page\n", built, pages,
                seconds, pages / seconds, size / 1024.0, pages ? size / 1024.0 / pages : 0.0);
    if (argc > 2) // keep the PDF for a look
        QFile::copy(pdf, QString::fromLocal8Bit(argv[2]));
    return built == pupilCount && pages == pupilCount ? 0 : 1;
}

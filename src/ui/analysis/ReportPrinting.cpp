#include "ui/analysis/ReportPrinting.h"

#include "core/DataModule.h"
#include "core/Errors.h"
#include "core/ProgramFolder.h"
#include "core/Prompter.h"
#include "ui/analysis/QR_IZPIS1.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <qcustomplot.h>

namespace gibomer {

namespace {
// The places of the two charts on the report page (mm).
const QSizeF MainChartSize(170.7, 122.2);
const QSizeF XtChartSize(20.4, 116.9);
} // namespace

QString mainChartPicture(const ProgramFolder& folder)
{
    return folder.bazaFile(QStringLiteral("slikatisk.pdf"));
}

QString xtChartPicture(const ProgramFolder& folder)
{
    return folder.bazaFile(QStringLiteral("slikatiskX.pdf"));
}

std::shared_ptr<const ChartPicture> recordChart(QCustomPlot& chart, const QSizeF& reportSizeMm)
{
    auto recording = std::make_shared<ChartPicture>();
    // A chart that has never been laid out on screen (its window not shown)
    // has no size of its own yet; it is laid out at the view's usual height.
    constexpr int UsualHeight = 559, SmallestHeight = 200;
    const int height = chart.isVisible() ? std::max(SmallestHeight, chart.height() - 1) : UsualHeight;
    const int width = std::max(1, qRound(height * reportSizeMm.width() / reportSizeMm.height()));
    recording->size = QSize(width, height);
    QCPPainter painter;
    if (!painter.begin(&recording->picture))
        throw AppError(QStringLiteral("Grafa ni mogoče pripraviti za tiskanje."));
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    chart.toPainter(&painter, width, height);
    painter.end();
    return recording;
}

QString chartTitle(const QCustomPlot& chart)
{
    const QCPLayoutGrid* layout = chart.plotLayout();
    for (int i = 0; layout && i < layout->elementCount(); ++i)
        if (const auto* title = qobject_cast<const QCPTextElement*>(layout->elementAt(i)))
            return title->text();
    return {};
}

bool anyPrinterInstalled()
{
    return !QPrinterInfo::availablePrinters().isEmpty();
}

QString proposedPdfPath(const QString& baseName)
{
    return documentsFolder() + QLatin1Char('/') + baseName + QStringLiteral(".pdf");
}

ReportOutput::ReportOutput(Prompter& prompter, bool printerInstalled)
    : m_prompter(prompter), m_printerInstalled(printerInstalled)
{
}

ReportOutput::~ReportOutput()
{
    finish();
}

bool ReportOutput::open(const QString& proposedPdf, const QString& documentName)
{
    if (m_printerInstalled) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setDocName(documentName);
        m_device = m_printer.get();
    } else {
        QString file =
            m_prompter.saveFile(QStringLiteral("Ni nameščenega tiskalnika - shrani poročilo v datoteko PDF"),
                                proposedPdf, QStringLiteral("Dokument PDF (*.pdf)"));
        if (file.isEmpty())
            return false;
        if (QFileInfo(file).suffix().isEmpty())
            file += QStringLiteral(".pdf");
        m_pdfFile = file;
        m_pdf = std::make_unique<QPdfWriter>(file);
        m_pdf->setResolution(600);
        m_pdf->setTitle(documentName);
        m_pdf->setCreator(QStringLiteral("Gibomer"));
        m_device = m_pdf.get();
    }
    prepareReportDevice(*m_device);
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_device)) {
        m_painter.reset();
        throw IoError(
            m_pdf ? QStringLiteral("Datoteke %1 ni mogoče zapisati.").arg(QDir::toNativeSeparators(m_pdfFile))
                  : QStringLiteral("Tiskalnik ne sprejme poročila."));
    }
    return true;
}

void ReportOutput::add(const ReportData& data, const ChartPainter& mainChart, const ChartPainter& xtChart)
{
    if (!m_painter)
        throw AppError(QStringLiteral("Izpis poročila ni odprt."));
    if (m_reports > 0)
        m_device->newPage();
    paintReport(*m_painter, *m_device, data, mainChart, xtChart);
    ++m_reports;
}

void ReportOutput::finish()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
    m_painter.reset();
}

AnalysisReportPrinter::AnalysisReportPrinter(TDM& dm) : m_dm(dm) {}

Prompter& AnalysisReportPrinter::prompter() const
{
    return m_dm.prompter();
}

std::unique_ptr<TR_IZPIS1> AnalysisReportPrinter::makeReport() const
{
    if (!mainChart || !xtChart)
        throw AppError(QStringLiteral("Pregled nima grafov za tiskanje."));
    const auto mainPicture = recordChart(*mainChart, MainChartSize);
    const auto xtPicture = recordChart(*xtChart, XtChartSize);
    QDir().mkpath(m_dm.folder().baza());
    writeChartPdf(*mainPicture, MainChartSize, mainChartPicture(m_dm.folder()));
    writeChartPdf(*xtPicture, XtChartSize, xtChartPicture(m_dm.folder()));
    const bool notes = printNotes && printNotes();
    return std::make_unique<TR_IZPIS1>(reportDataFrom(m_dm, notes, chartTitle(*mainChart)),
                                       chartFromPicture(mainPicture), chartFromPicture(xtPicture));
}

void AnalysisReportPrinter::printAnalysis(bool preview)
{
    const std::unique_ptr<TR_IZPIS1> report = makeReport();
    if (preview) {
        report->Preview(parentWindow);
        return;
    }
    ReportOutput output(prompter(), printerInstalled ? printerInstalled() : anyPrinterInstalled());
    if (!output.open(proposedPdfPath(QStringLiteral("Analiza")), report->data().title))
        return;
    report->Print(output);
    output.finish();
}

} // namespace gibomer

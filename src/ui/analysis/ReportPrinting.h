// Printing the analysis: the chart pictures written into baza, the preview,
// direct printing (to a PDF file the user names when no printer is
// installed), and the output that a batch of reports shares.
#pragma once

#include "analysis/Report.h"

#include <QString>
#include <functional>
#include <memory>

class QCustomPlot;
class QPainter;
class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;
class QWidget;

namespace gibomer {

class Prompter;
class ProgramFolder;
class TDM;
class TR_IZPIS1;

// The chart pictures written at every print: baza/slikatisk.pdf (main
// chart) and baza/slikatiskX.pdf (XT chart), vector PDF pages of the size
// the charts have on the report.
QString mainChartPicture(const ProgramFolder& folder);
QString xtChartPicture(const ProgramFolder& folder);

// Records the chart as vector drawing, laid out at the proportions of its
// place on the report and at the height it has on screen (less one pixel;
// never so small that its texts no longer fit).
std::shared_ptr<const ChartPicture> recordChart(QCustomPlot& chart, const QSizeF& reportSizeMm);

// The text of the chart's title element; empty when it has none.
QString chartTitle(const QCustomPlot& chart);

// True when at least one printer is installed.
bool anyPrinterInstalled();

// Where directly printed reports go: the default printer, or, without a
// printer, one PDF file that the user names once. One output may take many
// reports, each starting on a new page.
class ReportOutput
{
public:
    ReportOutput(Prompter& prompter, bool printerInstalled);
    ~ReportOutput();
    ReportOutput(const ReportOutput&) = delete;
    ReportOutput& operator=(const ReportOutput&) = delete;

    // Opens the printer, or asks for the PDF file; false when the user
    // cancels the file dialog. Throws IoError when the output cannot begin.
    bool open(const QString& proposedPdf, const QString& documentName);
    void add(const ReportData& data, const ChartPainter& mainChart, const ChartPainter& xtChart);
    // Ends the document: the printer job is sent, the PDF file is complete.
    void finish();

    int reportCount() const { return m_reports; }
    QString pdfFile() const { return m_pdfFile; }

private:
    Prompter& m_prompter;
    bool m_printerInstalled;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPdfWriter> m_pdf;
    std::unique_ptr<QPainter> m_painter;
    QPagedPaintDevice* m_device = nullptr;
    QString m_pdfFile;
    int m_reports = 0;
};

// "Natisni pregled" and the per-pupil print of the batch, over the two charts
// of the analysis view.
class AnalysisReportPrinter
{
public:
    explicit AnalysisReportPrinter(TDM& dm);

    QCustomPlot* mainChart = nullptr; // DBChart of the analysis view
    QCustomPlot* xtChart = nullptr;   // DBChartX
    // "Natisni opombe na poročilu" of the chart settings.
    std::function<bool()> printNotes;
    std::function<bool()> printerInstalled = anyPrinterInstalled;
    QWidget* parentWindow = nullptr;

    // Writes the chart pictures and prints the current analysis: through the
    // preview, or directly.
    void printAnalysis(bool preview);
    // Records the charts, writes their picture files and makes the report of
    // the current analysis.
    std::unique_ptr<TR_IZPIS1> makeReport() const;

    TDM& dm() const { return m_dm; }
    Prompter& prompter() const;

private:
    TDM& m_dm;
};

// Proposed PDF file names in the user's documents folder.
QString proposedPdfPath(const QString& baseName);

} // namespace gibomer

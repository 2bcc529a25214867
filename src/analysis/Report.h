// The printed analysis report: an A4 form with the two chart pictures, the
// table of yearly values with its header rows on every page, the legend of
// the tests and, on request, the notes. Drawn with QPainter onto any paged
// device (a printer, its preview, a PDF file).
#pragma once

#include <QDateTime>
#include <QList>
#include <QPicture>
#include <QRectF>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QPainter;
class QPagedPaintDevice;

namespace gibomer {

class TDM;

// The value columns of one analysis row, in table order: for each test its
// raw value and its T-score, then XT.
inline constexpr int ReportValueCount = 23;
extern const std::array<const char*, ReportValueCount> ReportValueColumns;

// The legend: code and description, in printing order; the first six make
// the left half, the last five the right half.
struct LegendEntry
{
    const char* code;
    const char* description;
};
extern const std::array<LegendEntry, 11> ReportLegend;
inline constexpr int LegendLeftHalf = 6;

struct ReportRow
{
    std::optional<int> year;
    std::array<std::optional<double>, ReportValueCount> values{};
};

struct ReportData
{
    QString schoolName;
    QDateTime printedAt;
    // The analysis title; it names the PDF document (the charts show it on the page).
    QString title;
    QList<ReportRow> rows;
    bool printNotes = false;
    // Rich text (HTML) or plain text; an old RTF note arrives as its text.
    QString notes;
};

// The current analysis (the rows of A_PVRE, the school name and the notes of
// the settings row), stamped with the current date and time. A closed
// analysis gives a report without rows.
ReportData reportDataFrom(TDM& dm, bool printNotes, const QString& title = {});

// Draws a chart picture into the target rectangle (device coordinates).
using ChartPainter = std::function<void(QPainter& painter, const QRectF& target)>;

// A chart recorded as vector drawing commands, laid out at `size` (pixels).
struct ChartPicture
{
    QPicture picture;
    QSize size;
};
// Draws the recording stretched into the target; the recording is shared.
ChartPainter chartFromPicture(std::shared_ptr<const ChartPicture> picture);
// Writes the recording as a one-page vector PDF of the given size (mm);
// throws IoError when the file cannot be written.
void writeChartPdf(const ChartPicture& picture, const QSizeF& sizeMm, const QString& path);

// A4 portrait with 10 mm margins on every side; set before painting begins.
void prepareReportDevice(QPagedPaintDevice& device);

// Paints one report, starting on the device's current page, with an active
// painter on that device; calls device.newPage() between its pages. Returns
// the number of pages used. A batch calls device.newPage() between reports.
int paintReport(QPainter& painter, QPagedPaintDevice& device, const ReportData& data,
                const ChartPainter& mainChart, const ChartPainter& xtChart);
// The whole document of one report: prepares the device, paints, ends.
// Throws IoError when painting cannot begin (an unwritable PDF file).
int paintReport(QPagedPaintDevice& device, const ReportData& data, const ChartPainter& mainChart,
                const ChartPainter& xtChart);

} // namespace gibomer

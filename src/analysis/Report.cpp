// Layout and painting of the analysis report. All measures are millimetres
// inside the page margins and are turned into device units at paint time, so
// the same code serves a printer, its preview and a PDF file.
#include "analysis/Report.h"

#include "analysis/Notes.h"

#include "core/DataModule.h"
#include "core/Dataset.h"
#include "core/Errors.h"
#include "core/Formats.h"
#include "core/TestTables.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <cmath>
#include <memory>

namespace gibomer {

const std::array<const char*, ReportValueCount> ReportValueColumns = {
    "ATV", "ATVT", "ATT", "ATTT", "AKG", "AKGT", "DPR", "DPRT", "SDM",  "SDMT",  "PON", "PONT",
    "DT",  "DTT",  "PRE", "PRET", "VZG", "VZGT", "T60", "T60T", "T600", "T600T", "XT"};

const std::array<LegendEntry, 11> ReportLegend = {{
    {"ATV", "- telesna višina - dolžinska razsežnost telesa,"},
    {"ATT", "- telesna teža - voluminoznost telesa,"},
    {"AKG", "- kožna guba nadlahti - količina podkožnega maščevja,"},
    {"DPR", "- dotikanje plošče z roko - hitrost izmeničnih gibov,"},
    {"SDM", "- skok v daljino z mesta - eksplozivno moč,"},
    {"PON", "- premagovanje ovir nazaj - koordinacijo gibanja telesa,"},
    {"DT", "- dviganje trupa - mišično vzdržljivost trupa,"},
    {"PRE", "- predklon na klopici - gibljivost,"},
    {"VZG", "- vesa v zgibi - mišično vzdržljivost ramenskega obroča in rok,"},
    {"T60", "- tek na 60 m - šprintersko hitrost,"},
    {"T600", "- tek na 600 m – vzdržljivost v submaksimalnem kontinuiranem naprezanju."},
}};

namespace {

// The printable area of an A4 page less its 10 mm margins.
constexpr double PageWidth = 190.0;
constexpr double PageHeight = 277.0;
constexpr double Margin = 10.0;

// The strip above the title band: school name, date and time, page number.
constexpr double StripHeight = 5.0;
constexpr double TitleBandHeight = 7.1;
constexpr double ChartBandHeight = 122.5;
constexpr QRectF MainChartRect(0.0, 0.0, 170.7, 122.2); // relative to the chart band
constexpr QRectF XtChartRect(171.7, 5.3, 20.4, 116.9);
constexpr double HeaderHeight = 8.7;
constexpr double RowHeight = 4.8;
constexpr double SummaryHeight = 46.0;
constexpr double NotesMinHeight = 14.8;
constexpr double NotesWidth = 180.0;

// Table columns: the year, then a value and a T-score per test, a gap, XT.
constexpr double YearWidth = 11.0;
constexpr double ValueWidth = 7.5;
constexpr double ScoreWidth = 7.5;
constexpr double XtGap = 4.0;
constexpr double XtWidth = 10.0;
constexpr double CellPadding = 0.7;
constexpr double ThinLine = 0.2;

double valueColumnLeft(int column) // column 0..21 of the test pairs
{
    return YearWidth + (column / 2) * (ValueWidth + ScoreWidth) + (column % 2 ? ValueWidth : 0.0);
}
constexpr double XtLeft = YearWidth + TestCount * (ValueWidth + ScoreWidth) + XtGap;

QFont reportFont(double points, bool bold = false)
{
    QFont font;
    font.setFamilies(
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Where each part of the report goes: page and top edge (mm).
struct Placement
{
    enum Kind
    {
        Strip,
        TitleBand,
        ChartBand,
        Header,
        Row,
        Summary,
        Notes
    } kind;
    int page;
    double top;
    int row = -1;
};

std::vector<Placement> planReport(int rowCount, bool notes, double notesHeight, int& pages)
{
    std::vector<Placement> plan;
    int page = 0;
    double y = 0.0;
    auto startPage = [&](bool first) {
        if (!first)
            ++page;
        plan.push_back({Placement::Strip, page, 0.0});
        y = StripHeight;
        if (first) {
            plan.push_back({Placement::TitleBand, page, y});
            y += TitleBandHeight;
            plan.push_back({Placement::ChartBand, page, y});
            y += ChartBandHeight;
        }
        plan.push_back({Placement::Header, page, y});
        y += HeaderHeight;
    };
    auto place = [&](Placement::Kind kind, double height, int row = -1) {
        if (y + height > PageHeight + 1e-9)
            startPage(false);
        plan.push_back({kind, page, y, row});
        y += height;
    };
    startPage(true);
    for (int row = 0; row < rowCount; ++row)
        place(Placement::Row, RowHeight, row);
    place(Placement::Summary, SummaryHeight);
    if (notes)
        place(Placement::Notes, notesHeight);
    pages = page + 1;
    return plan;
}

class ReportPainter
{
public:
    ReportPainter(QPainter& painter, const ReportData& data)
        : m_painter(painter), m_data(data), m_unit(painter.device()->logicalDpiX() / 25.4)
    {
    }

    double unit() const { return m_unit; }
    QRectF rect(double x, double y, double w, double h) const
    {
        return QRectF(x * m_unit, y * m_unit, w * m_unit, h * m_unit);
    }

    void strip(double top, int page, int pages)
    {
        const QRectF area = rect(0, top, PageWidth, StripHeight - 0.8);
        m_painter.setFont(reportFont(9, true));
        m_painter.drawText(area, Qt::AlignLeft | Qt::AlignBottom, m_data.schoolName);
        QString right = m_data.printedAt.toString(QStringLiteral("dd.MM.yyyy  HH:mm"));
        if (pages > 1)
            right += QStringLiteral("    stran %1/%2").arg(page + 1).arg(pages);
        m_painter.setFont(reportFont(8));
        m_painter.drawText(area, Qt::AlignRight | Qt::AlignBottom, right);
    }

    void titleBand(double top)
    {
        setLine(0.3);
        m_painter.drawLine(QPointF(0, top * m_unit), QPointF(PageWidth * m_unit, top * m_unit));
    }

    void charts(double top, const ChartPainter& mainChart, const ChartPainter& xtChart)
    {
        drawChart(mainChart, MainChartRect.translated(0, top));
        drawChart(xtChart, XtChartRect.translated(0, top));
    }

    void header(double top)
    {
        const double half = HeaderHeight / 2;
        m_painter.setFont(reportFont(8, true));
        setLine(ThinLine);
        box(0, top, YearWidth, HeaderHeight, QStringLiteral("LETO"), Qt::AlignCenter);
        for (int test = 1; test <= TestCount; ++test) {
            const double left = valueColumnLeft(2 * (test - 1));
            box(left, top, ValueWidth + ScoreWidth, half, QString::fromLatin1(TestCodes[test]),
                Qt::AlignCenter);
            box(left, top + half, ValueWidth, half, QStringLiteral("vr."), Qt::AlignCenter);
            box(left + ValueWidth, top + half, ScoreWidth, half, QStringLiteral("T"), Qt::AlignCenter);
        }
        box(XtLeft, top, XtWidth, half, QStringLiteral("XT"), Qt::AlignCenter);
        box(XtLeft, top + half, XtWidth, half, QStringLiteral("T"), Qt::AlignCenter);
    }

    void row(double top, const ReportRow& row)
    {
        const QFont regular = reportFont(8);
        const QFont bold = reportFont(8, true);
        setLine(ThinLine);
        const auto right = Qt::AlignRight | Qt::AlignVCenter;
        m_painter.setFont(bold);
        box(0, top, YearWidth, RowHeight, row.year ? QString::number(*row.year) : QString(), right);
        for (int column = 0; column < ReportValueCount - 1; ++column) {
            const bool score = column % 2 == 1;
            m_painter.setFont(score ? bold : regular);
            box(valueColumnLeft(column), top, score ? ScoreWidth : ValueWidth, RowHeight,
                formatted(row.values[column], score ? 1 : 0), right);
        }
        m_painter.setFont(bold);
        box(XtLeft, top, XtWidth, RowHeight, formatted(row.values[ReportValueCount - 1], 1), right);
    }

    void summary(double top)
    {
        QFont title = reportFont(10, true);
        title.setItalic(true);
        title.setUnderline(true);
        m_painter.setFont(title);
        m_painter.drawText(rect(0, top + 1.5, PageWidth, 5.5), Qt::AlignLeft | Qt::AlignVCenter,
                           QStringLiteral("Legenda:"));

        // Two halves, each a column of codes beside a column of descriptions
        // that wrap within their width.
        m_painter.setFont(reportFont(8));
        const double firstLine = top + 8.5;
        legendHalf(0, LegendLeftHalf, 0.0, 11.0, 78.0, firstLine);
        legendHalf(LegendLeftHalf, static_cast<int>(ReportLegend.size()), 91.0, 11.0, 88.0, firstLine);
    }

    void notes(double top, QTextDocument& document)
    {
        m_painter.save();
        m_painter.translate(0, top * m_unit);
        const QRectF clip(0, 0, NotesWidth * m_unit, (PageHeight - top) * m_unit);
        document.drawContents(&m_painter, clip);
        m_painter.restore();
    }

private:
    static QString formatted(const std::optional<double>& value, int decimals)
    {
        return value && std::isfinite(*value) ? formatFixed(*value, decimals) : QString();
    }

    void setLine(double widthMm)
    {
        QPen pen(Qt::black);
        pen.setWidthF(widthMm * m_unit);
        m_painter.setPen(pen);
        m_painter.setBrush(Qt::NoBrush);
    }

    void box(double x, double y, double w, double h, const QString& text, Qt::Alignment alignment)
    {
        const QRectF cell = rect(x, y, w, h);
        m_painter.drawRect(cell);
        if (!text.isEmpty())
            m_painter.drawText(cell.adjusted(CellPadding * m_unit, 0, -CellPadding * m_unit, 0), alignment,
                               text);
    }

    void legendHalf(int from, int to, double left, double codeWidth, double textWidth, double top)
    {
        const double gapBetween = 0.6;
        double y = top;
        for (int i = from; i < to; ++i) {
            const QString text = QString::fromUtf8(ReportLegend[i].description);
            const QRectF textRect = rect(left + codeWidth, y, textWidth, 40.0);
            const QRectF used =
                m_painter.boundingRect(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
            m_painter.drawText(rect(left, y, codeWidth, used.height() / m_unit), Qt::AlignLeft | Qt::AlignTop,
                               QString::fromLatin1(ReportLegend[i].code));
            m_painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
            y += used.height() / m_unit + gapBetween;
        }
    }

    void drawChart(const ChartPainter& chart, const QRectF& mm)
    {
        if (!chart)
            return;
        m_painter.save();
        chart(m_painter, rect(mm.x(), mm.y(), mm.width(), mm.height()));
        m_painter.restore();
    }

    QPainter& m_painter;
    const ReportData& m_data;
    double m_unit; // device units per millimetre
};

std::unique_ptr<QTextDocument> notesDocument(const ReportData& data, QPaintDevice* device, double unit)
{
    auto document = std::make_unique<QTextDocument>();
    document->documentLayout()->setPaintDevice(device);
    document->setDefaultFont(reportFont(8));
    document->setDocumentMargin(0);
    if (Qt::mightBeRichText(data.notes))
        document->setHtml(data.notes);
    else
        document->setPlainText(data.notes);
    document->setTextWidth(NotesWidth * unit);
    return document;
}

} // namespace

ReportData reportDataFrom(TDM& dm, bool printNotes, const QString& title)
{
    ReportData data;
    data.printedAt = QDateTime::currentDateTime();
    data.title = title;
    data.printNotes = printNotes;

    Dataset& settings = dm.A_NASTAVITVE();
    if (settings.isOpen() && !settings.isEmpty()) {
        if (settings.hasField(QStringLiteral("NAZIV")))
            data.schoolName = settings.field(QStringLiteral("NAZIV")).toString();
        if (settings.hasField(QStringLiteral("OPOMBE")))
            data.notes = notesToHtml(settings.field(QStringLiteral("OPOMBE")).toString());
    }

    Dataset& analysis = dm.A_PVRE();
    if (!analysis.isOpen())
        return data;
    const int yearColumn = analysis.fieldIndex(QStringLiteral("LETO_MERITVE"));
    std::array<int, ReportValueCount> columns{};
    for (int i = 0; i < ReportValueCount; ++i)
        columns[i] = analysis.fieldIndex(QString::fromLatin1(ReportValueColumns[i]));
    for (int r = 0; r < analysis.rowCount(); ++r) {
        ReportRow row;
        if (yearColumn >= 0) {
            const QVariant year = analysis.value(r, yearColumn);
            if (!year.isNull())
                row.year = qRound(year.toDouble());
        }
        for (int i = 0; i < ReportValueCount; ++i) {
            if (columns[i] < 0)
                continue;
            const QVariant value = analysis.value(r, columns[i]);
            bool ok = false;
            const double number = value.toDouble(&ok);
            if (!value.isNull() && ok)
                row.values[i] = number;
        }
        data.rows.append(row);
    }
    return data;
}

ChartPainter chartFromPicture(std::shared_ptr<const ChartPicture> picture)
{
    return [picture](QPainter& painter, const QRectF& target) {
        if (picture->size.isEmpty())
            return;
        painter.save();
        painter.setClipRect(target, Qt::IntersectClip);
        painter.translate(target.topLeft());
        // Playing a picture scales it by the device's resolution over the
        // picture's own; the target already is in device units.
        const double dpiX = double(picture->picture.logicalDpiX()) / painter.device()->logicalDpiX();
        const double dpiY = double(picture->picture.logicalDpiY()) / painter.device()->logicalDpiY();
        painter.scale(dpiX * target.width() / picture->size.width(),
                      dpiY * target.height() / picture->size.height());
        painter.drawPicture(0, 0, picture->picture);
        painter.restore();
    };
}

void writeChartPdf(const ChartPicture& picture, const QSizeF& sizeMm, const QString& path)
{
    QPdfWriter writer(path);
    writer.setResolution(600);
    writer.setCreator(QStringLiteral("Gibomer"));
    // Page sizes are given upright; a wide chart is a landscape page.
    const bool wide = sizeMm.width() > sizeMm.height();
    const QSizeF upright = wide ? sizeMm.transposed() : sizeMm;
    writer.setPageLayout(QPageLayout(
        QPageSize(upright, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
        wide ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer))
        throw IoError(QStringLiteral("Slike grafa ni mogoče zapisati v datoteko %1.")
                          .arg(QDir::toNativeSeparators(path)));
    const double unit = writer.logicalDpiX() / 25.4;
    chartFromPicture(std::shared_ptr<const ChartPicture>(&picture, [](const ChartPicture*) {}))(
        painter, QRectF(0, 0, sizeMm.width() * unit, sizeMm.height() * unit));
    if (!painter.end())
        throw IoError(QStringLiteral("Slike grafa ni mogoče zapisati v datoteko %1.")
                          .arg(QDir::toNativeSeparators(path)));
}

void prepareReportDevice(QPagedPaintDevice& device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(Margin, Margin, Margin, Margin), QPageLayout::Millimeter));
}

int paintReport(QPainter& painter, QPagedPaintDevice& device, const ReportData& data,
                const ChartPainter& mainChart, const ChartPainter& xtChart)
{
    ReportPainter report(painter, data);
    std::unique_ptr<QTextDocument> notes;
    double notesHeight = 0.0;
    if (data.printNotes) {
        notes = notesDocument(data, painter.device(), report.unit());
        const double maxHeight = PageHeight - StripHeight - HeaderHeight;
        notesHeight =
            std::min(maxHeight, std::max(NotesMinHeight, notes->size().height() / report.unit() + 1.0));
    }

    int pages = 0;
    const std::vector<Placement> plan =
        planReport(static_cast<int>(data.rows.size()), data.printNotes, notesHeight, pages);
    int page = 0;
    for (const Placement& item : plan) {
        if (item.page != page) {
            device.newPage();
            page = item.page;
        }
        switch (item.kind) {
        case Placement::Strip:
            report.strip(item.top, item.page, pages);
            break;
        case Placement::TitleBand:
            report.titleBand(item.top);
            break;
        case Placement::ChartBand:
            report.charts(item.top, mainChart, xtChart);
            break;
        case Placement::Header:
            report.header(item.top);
            break;
        case Placement::Row:
            report.row(item.top, data.rows[item.row]);
            break;
        case Placement::Summary:
            report.summary(item.top);
            break;
        case Placement::Notes:
            report.notes(item.top, *notes);
            break;
        }
    }
    return pages;
}

int paintReport(QPagedPaintDevice& device, const ReportData& data, const ChartPainter& mainChart,
                const ChartPainter& xtChart)
{
    prepareReportDevice(device);
    QPainter painter;
    if (!painter.begin(&device))
        throw IoError(QStringLiteral("Poročila ni mogoče natisniti."));
    const int pages = paintReport(painter, device, data, mainChart, xtChart);
    painter.end();
    return pages;
}

} // namespace gibomer

// The printed report as a reader sees it: reports are rendered to PDF and the
// text of each page is read back with pdftotext.
#include "analysis/Report.h"
#include "core/DataModule.h"
#include "core/Errors.h"
#include "core/Sql.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolder.h"

#include "support/PdfText.h"
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace gibomer;
using namespace gibomer::test;

namespace {

QSizeF pageSizePoints(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished();
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("Page size:"))) {
            const QStringList parts = line.mid(10).simplified().split(QLatin1Char(' '));
            return QSizeF(parts.value(0).toDouble(), parts.value(2).toDouble());
        }
    return {};
}

ChartPainter labelled(const QString& text)
{
    return [text](QPainter& painter, const QRectF& target) {
        painter.drawRect(target);
        painter.drawText(target, Qt::AlignCenter, text);
    };
}

// Years from 1901 on, each with the same recognisable values.
ReportData sample(int years)
{
    ReportData data;
    data.schoolName = QStringLiteral("OŠ Šmarje");
    data.printedAt = QDateTime(QDate(2026, 12, 11), QTime(9, 5));
    for (int i = 0; i < years; ++i) {
        ReportRow row;
        row.year = 1901 + i;
        for (int c = 0; c < ReportValueCount; ++c)
            row.values[c] = c % 2 ? 50.01 : 150.01;
        data.rows.append(row);
    }
    return data;
}

class ReportPdf : public ::testing::Test
{
protected:
    QString render(const ReportData& data)
    {
        const QString file = m_dir.filePath(QStringLiteral("report%1.pdf").arg(++m_count));
        QPdfWriter writer(file);
        writer.setResolution(300);
        m_pages = paintReport(writer, data, labelled(QStringLiteral("GLAVNIGRAF")),
                              labelled(QStringLiteral("XTGRAF")));
        return file;
    }
    QTemporaryDir m_dir;
    int m_count = 0;
    int m_pages = 0;
};

const QString HeaderText =
    QStringLiteral("LETO ATV vr. T ATT vr. T AKG vr. T DPR vr. T SDM vr. T PON vr. T DT vr. T "
                   "PRE vr. T VZG vr. T T60 vr. T T600 vr. T XT T");

} // namespace

// How many pages a report takes and what each page carries: the header rows
// on every page, the charts on the first only, the legend after the last row.
TEST_F(ReportPdf, PagesCarryHeaderChartsRowsAndLegendInTheirPlaces)
{
    struct Case
    {
        int years;
        int pages;
        int lastYearOnFirstPage; // 0: the first page has no rows beyond the last one
    };
    // 27 rows fill the first page: the legend then starts a page of its own.
    const Case cases[] = {{0, 1, 0}, {3, 1, 1903}, {27, 2, 1927}, {60, 2, 1927}, {120, 3, 1927}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.years);
        const QString pdf = render(sample(c.years));
        ASSERT_EQ(pdfPageCount(pdf), c.pages);
        EXPECT_EQ(m_pages, c.pages);
        for (int page = 1; page <= c.pages; ++page) {
            SCOPED_TRACE(page);
            const QString text = pdfPageText(pdf, page);
            EXPECT_TRUE(text.contains(HeaderText)) << text.toStdString();
            EXPECT_TRUE(text.contains(QStringLiteral("OŠ Šmarje")));
            EXPECT_EQ(text.contains(QStringLiteral("GLAVNIGRAF")), page == 1);
            EXPECT_EQ(text.contains(QStringLiteral("XTGRAF")), page == 1);
            EXPECT_EQ(text.contains(QStringLiteral("Legenda:")), page == c.pages);
            EXPECT_EQ(text.contains(QStringLiteral("stran %1/%2").arg(page).arg(c.pages)), c.pages > 1);
        }
        if (c.lastYearOnFirstPage) {
            EXPECT_TRUE(pdfPageText(pdf, 1).contains(QString::number(c.lastYearOnFirstPage)));
            EXPECT_FALSE(pdfPageText(pdf, 1).contains(QString::number(c.lastYearOnFirstPage + 1)));
        }
        // Every year printed exactly once, in order, over all pages.
        QString all;
        for (int page = 1; page <= c.pages; ++page)
            all += pdfPageText(pdf, page) + QLatin1Char(' ');
        int from = 0;
        for (int i = 0; i < c.years; ++i) {
            const int at = all.indexOf(QStringLiteral(" %1 150 50,0").arg(1901 + i), from);
            ASSERT_GE(at, 0) << "year " << 1901 + i;
            from = at + 1;
        }
    }
}

TEST_F(ReportPdf, LegendTextsAreExact)
{
    const QString text = pdfPageText(render(sample(2)), 1);
    const QString expected[] = {
        QStringLiteral("ATV - telesna višina - dolžinska razsežnost telesa,"),
        QStringLiteral("ATT - telesna teža - voluminoznost telesa,"),
        QStringLiteral("AKG - kožna guba nadlahti - količina podkožnega maščevja,"),
        QStringLiteral("DPR - dotikanje plošče z roko - hitrost izmeničnih gibov,"),
        QStringLiteral("SDM - skok v daljino z mesta - eksplozivno moč,"),
        QStringLiteral("PON - premagovanje ovir nazaj - koordinacijo gibanja telesa,"),
        QStringLiteral("DT - dviganje trupa - mišično vzdržljivost trupa,"),
        QStringLiteral("PRE - predklon na klopici - gibljivost,"),
        QStringLiteral("VZG - vesa v zgibi - mišično vzdržljivost ramenskega obroča in rok,"),
        QStringLiteral("T60 - tek na 60 m - šprintersko hitrost,"),
        QStringLiteral("T600 - tek na 600 m \u2013 vzdržljivost v submaksimalnem kontinuiranem naprezanju."),
    };
    for (const QString& line : expected)
        EXPECT_TRUE(text.contains(line)) << line.toStdString() << "\n in: " << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Legenda:")));
}

// Raw values without decimals, T-scores and XT with one decimal and a
// decimal comma; an empty value prints nothing, not 0.
TEST_F(ReportPdf, RowValuesInTheirFormats)
{
    ReportData data = sample(0);
    ReportRow row;
    row.year = 2019;
    row.values[0] = 170.51;  // ATV
    row.values[1] = 55.01;   // ATVT
    row.values[4] = 8.49;    // AKG, no score
    row.values[22] = 48.256; // XT
    data.rows.append(row);
    const QString text = pdfPageText(render(data), 1);
    EXPECT_TRUE(text.contains(QStringLiteral("XT T 2019 171 55,0 8 48,3 Legenda:"))) << text.toStdString();
}

TEST_F(ReportPdf, NotesPrintedOnlyWhenTicked)
{
    ReportData data = sample(3);
    data.notes = QStringLiteral("<p>Razrednik: <b>Ana Novak</b></p><p>Druga vrstica opomb</p>");
    for (bool ticked : {false, true}) {
        SCOPED_TRACE(ticked);
        data.printNotes = ticked;
        const QString text = pdfPageText(render(data), 1);
        EXPECT_EQ(text.contains(QStringLiteral("Razrednik: Ana Novak")), ticked) << text.toStdString();
        EXPECT_EQ(text.contains(QStringLiteral("Druga vrstica opomb")), ticked);
        // The notes come after the legend.
        if (ticked) {
            EXPECT_GT(text.indexOf(QStringLiteral("Razrednik")), text.indexOf(QStringLiteral("naprezanju.")));
        }
    }
}

// Notes that do not fit under the legend move to a page of their own, which
// again starts with the header rows.
TEST_F(ReportPdf, NotesThatDoNotFitStartANewPage)
{
    ReportData data = sample(18);
    data.printNotes = true;
    data.notes = QStringLiteral("Opomba na koncu");
    const QString pdf = render(data);
    ASSERT_EQ(pdfPageCount(pdf), 2);
    EXPECT_TRUE(pdfPageText(pdf, 1).contains(QStringLiteral("Legenda:")));
    EXPECT_FALSE(pdfPageText(pdf, 1).contains(QStringLiteral("Opomba na koncu")));
    EXPECT_TRUE(pdfPageText(pdf, 2).contains(HeaderText + QStringLiteral(" Opomba na koncu")));
}

TEST(ReportData, ReadFromTheAnalysisAndTheSettings)
{
    ScriptedPrompter prompter;
    TestFolder folder;
    auto dm = folder.openDataModule(prompter);
    execSql(dm->db(), QStringLiteral("UPDATE T_NASTAVITVE SET NAZIV=:n, OPOMBE=:o"),
            {{QStringLiteral(":n"), QStringLiteral("OŠ Šmarje")},
             {QStringLiteral(":o"), QStringLiteral("{\\rtf1\\ansi Opomba iz starejše baze\\par}")}});
    dm->A_NASTAVITVE().close();
    dm->A_NASTAVITVE().open();

    // Column names in lower case, as the whole-school statement gives them.
    Dataset& pvre = dm->A_PVRE();
    pvre.setSql(QStringLiteral("SELECT 2019 AS LETO_MERITVE, 170.01 AS atv, NULL AS atvt, 48.5 AS xt "
                               "UNION ALL SELECT 2020, NULL, 55.01, NULL"));
    pvre.open();

    const ReportData data = reportDataFrom(*dm, true, QStringLiteral("Naslov"));
    EXPECT_EQ(data.schoolName, QStringLiteral("OŠ Šmarje"));
    // An RTF note of an older database prints as its text.
    EXPECT_TRUE(data.notes.contains(QStringLiteral("Opomba iz starejše baze")));
    EXPECT_FALSE(data.notes.contains(QStringLiteral("rtf")));
    EXPECT_TRUE(data.printNotes);
    ASSERT_EQ(data.rows.size(), 2);
    EXPECT_EQ(data.rows[0].year, 2019);
    EXPECT_EQ(data.rows[0].values[0], 170.01);
    EXPECT_FALSE(data.rows[0].values[1].has_value());
    EXPECT_EQ(data.rows[0].values[22], 48.5);
    EXPECT_FALSE(data.rows[0].values[2].has_value()); // a column the statement lacks
    EXPECT_FALSE(data.rows[1].values[0].has_value());
    EXPECT_EQ(data.rows[1].values[1], 55.01);

    pvre.close();
    EXPECT_TRUE(reportDataFrom(*dm, false).rows.isEmpty());
}

// The chart picture files: one vector page of the chart's size on the report,
// the drawing kept as drawn (text stays text).
TEST(ReportPictures, ChartPdfHasTheChartsSizeAndItsDrawing)
{
    QTemporaryDir dir;
    struct Case
    {
        QSizeF mm;
        QString text;
    };
    const Case cases[] = {{QSizeF(170.7, 122.2), QStringLiteral("Naslov grafa")},
                          {QSizeF(20.4, 116.9), QStringLiteral("XT")}};
    ChartPicture chart;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        chart = ChartPicture();
        chart.size = (c.mm * 4).toSize();
        QPainter painter(&chart.picture);
        painter.drawText(QRect(QPoint(0, 0), chart.size), Qt::AlignCenter, c.text);
        painter.end();
        const QString file = dir.filePath(c.text + QStringLiteral(".pdf"));
        writeChartPdf(chart, c.mm, file);
        ASSERT_EQ(pdfPageCount(file), 1);
        EXPECT_TRUE(pdfPageText(file, 1).contains(c.text));
        const QSizeF points = pageSizePoints(file);
        EXPECT_NEAR(points.width(), c.mm.width() * 72 / 25.4, 0.5);
        EXPECT_NEAR(points.height(), c.mm.height() * 72 / 25.4, 0.5);
    }
    EXPECT_THROW(writeChartPdf(chart, QSizeF(20.4, 116.9), dir.filePath(QStringLiteral("ni/mape/slika.pdf"))),
                 IoError);
}

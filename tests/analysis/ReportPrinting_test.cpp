// Printing from the analysis view and the batch print of every found pupil,
// with real charts, their picture files in baza and PDF output read back.
#include "analysis/AnalysisFixture.h"
#include "core/DataModule.h"
#include "core/Errors.h"
#include "core/Sql.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolder.h"
#include "ui/analysis/ReportPrinting.h"
#include "ui/analysis/UF_PREGLEDI.h"
#include "ui/analysis/UF_PREGLEDI_IZBIRA.h"
#include "ui/analysis/UF_PREGLEDI_IZTIS.h"
#include "ui/analysis/UF_UREDIGRAF.h"
#include "ui/core/ErrorDisplay.h"

#include "support/PdfText.h"
#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>
#include <qcustomplot.h>

using namespace gibomer;
using namespace gibomer::test;

namespace {

template <typename Predicate> bool waitUntil(Predicate done, int ms = 20000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms) {
        QApplication::processEvents();
        QThread::msleep(5);
    }
    return done();
}

const QStringList Pupils = {QStringLiteral("AVSEC ANA"), QStringLiteral("BERGANT BOR"),
                            QStringLiteral("CERAR CIRIL"), QStringLiteral("DOLENC DANA"),
                            QStringLiteral("ERJAVEC EMA")};

class ReportPrinting : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dm = folder.openDataModule(prompter);
        for (int i = 0; i < Pupils.size(); ++i) {
            const QStringList name = Pupils[i].split(QLatin1Char(' '));
            // Inserted out of order: the batch follows the search's order.
            execSql(dm->db(),
                    QStringLiteral("INSERT INTO T_UCENEC (ID_UCENEC, PRIIMEK, IME) VALUES (:id, :p, :i)"),
                    {{QStringLiteral(":id"), 10 - i},
                     {QStringLiteral(":p"), name[0]},
                     {QStringLiteral(":i"), name[1]}});
        }
        Dataset& pupils = dm->A_PUCENCI();
        pupils.setSql(QStringLiteral("SELECT ID_UCENEC, IME, PRIIMEK FROM T_UCENEC ORDER BY PRIIMEK, IME"));
        pupils.open();
        pupils.first();

        mainChart.resize(800, 560);
        xtChart.resize(85, 560);
        mainChart.plotLayout()->insertRow(0);
        title = new QCPTextElement(&mainChart, QString(),
                                   QFont(QStringLiteral("Liberation Sans"), 10, QFont::Bold));
        mainChart.plotLayout()->addElement(0, 0, title);
        auto* bars = new QCPBars(mainChart.xAxis, mainChart.yAxis);
        bars->setData({1, 2, 3}, {55, 45, 60});

        printer = std::make_unique<AnalysisReportPrinter>(*dm);
        printer->mainChart = &mainChart;
        printer->xtChart = &xtChart;
        printer->printNotes = [] { return false; };
        printer->printerInstalled = [] { return false; };
    }

    // What the analysis build does, as far as the print sees it: the chart
    // title names the pupil, A_PVRE holds the pupil's year.
    void buildPupilAnalysis()
    {
        Dataset& pupils = dm->A_PUCENCI();
        title->setText(QStringLiteral("Analiza %1 %2")
                           .arg(pupils.field(QStringLiteral("IME")).toString(),
                                pupils.field(QStringLiteral("PRIIMEK")).toString()));
        Dataset& pvre = dm->A_PVRE();
        pvre.setSql(QStringLiteral("SELECT 2020 AS LETO_MERITVE, :v AS ATV, 55.01 AS ATVT"));
        pvre.setParam(QStringLiteral(":v"), 150.01 + pupils.currentRow());
        pvre.open();
        mainChart.replot();
    }

    QString pdfPath(const QString& name) const { return folder.path() + QLatin1Char('/') + name; }

    TestFolder folder;
    ScriptedPrompter prompter;
    std::unique_ptr<TDM> dm;
    QCustomPlot mainChart;
    QCustomPlot xtChart;
    QCPTextElement* title = nullptr;
    std::unique_ptr<AnalysisReportPrinter> printer;
};

struct BatchRun
{
    TF_PREGLEDI_IZTIS& window;
    int builds = 0;
    bool finished() const { return builds > 0 && !window.isRunning(); }
};

} // namespace

// Without a printer the direct print asks for a PDF file; the chart pictures
// are written into baza anew at every print and carry the current charts.
TEST_F(ReportPrinting, DirectPrintWithoutPrinterWritesPicturesAndAPdf)
{
    buildPupilAnalysis();
    prompter.expectSaveFile(pdfPath(QStringLiteral("prvi"))); // the suffix is added
    printer->printAnalysis(false);
    const QString first = pdfPath(QStringLiteral("prvi.pdf"));
    ASSERT_EQ(pdfPageCount(first), 1);
    const QString text = pdfPageText(first, 1);
    EXPECT_TRUE(text.contains(QStringLiteral("Analiza ANA AVSEC"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("2020 150 55,0")));
    EXPECT_EQ(pdfPageCount(xtChartPicture(folder.folder())), 1);
    EXPECT_TRUE(
        pdfPageText(mainChartPicture(folder.folder()), 1).contains(QStringLiteral("Analiza ANA AVSEC")));

    dm->A_PUCENCI().next();
    buildPupilAnalysis();
    prompter.expectSaveFile(pdfPath(QStringLiteral("drugi.pdf")));
    printer->printAnalysis(false);
    EXPECT_TRUE(
        pdfPageText(pdfPath(QStringLiteral("drugi.pdf")), 1).contains(QStringLiteral("Analiza BOR BERGANT")));
    EXPECT_TRUE(
        pdfPageText(mainChartPicture(folder.folder()), 1).contains(QStringLiteral("Analiza BOR BERGANT")));

    // Cancelling the file dialog prints nothing and is no error.
    prompter.expectSaveFile(QString());
    printer->printAnalysis(false);
    EXPECT_TRUE(prompter.done());
}

TEST_F(ReportPrinting, PreviewIsMaximisedAndFitsThePage)
{
    buildPupilAnalysis();
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto* view = dialog->findChild<QPrintPreviewWidget*>();
        seen = true;
        EXPECT_TRUE(dialog->windowState() & Qt::WindowMaximized);
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->zoomMode(), QPrintPreviewWidget::FitInView);
        EXPECT_EQ(view->pageCount(), 1);
        dialog->reject();
    });
    poll.start(20);
    printer->printAnalysis(true);
    EXPECT_TRUE(seen);
}

// Every found pupil in the search's order into one PDF asked for once; the
// window stays open on the last name; a second activation does not start a
// second loop, a new showing starts a new batch.
TEST_F(ReportPrinting, BatchPrintsEveryPupilOnceInOrder)
{
    TF_PREGLEDI_IZTIS window(*printer);
    BatchRun run{window};
    window.buildAnalysis = [&] {
        ++run.builds;
        window.FormActivate(); // a second activation while the loop runs
        buildPupilAnalysis();
    };
    prompter.expectSaveFile(pdfPath(QStringLiteral("vsi.pdf")));
    window.show();
    ASSERT_TRUE(waitUntil([&] { return run.finished(); }));
    EXPECT_EQ(run.builds, 5);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.lUcenec->text(), QStringLiteral("ERJAVEC EMA"));
    const QString pdf = pdfPath(QStringLiteral("vsi.pdf"));
    ASSERT_EQ(pdfPageCount(pdf), 5);
    for (int i = 0; i < 5; ++i) {
        const QStringList name = Pupils[i].split(QLatin1Char(' '));
        EXPECT_TRUE(pdfPageText(pdf, i + 1).contains(QStringLiteral("Analiza %1 %2").arg(name[1], name[0])))
            << pdfPageText(pdf, i + 1).toStdString();
    }

    window.hide();
    dm->A_PUCENCI().first();
    run.builds = 0;
    prompter.expectSaveFile(pdfPath(QStringLiteral("znova.pdf")));
    window.show();
    ASSERT_TRUE(waitUntil([&] { return run.finished(); }));
    EXPECT_EQ(run.builds, 5);
    EXPECT_EQ(pdfPageCount(pdfPath(QStringLiteral("znova.pdf"))), 5);
}

TEST_F(ReportPrinting, StopWhileTheSecondPrintsFinishesItAndClosesTheWindow)
{
    TF_PREGLEDI_IZTIS window(*printer);
    BatchRun run{window};
    window.buildAnalysis = [&] {
        if (++run.builds == 2) // the click arrives while the second pupil is on its way
            QMetaObject::invokeMethod(window.sbIzhod, &QPushButton::click, Qt::QueuedConnection);
        buildPupilAnalysis();
    };
    prompter.expectSaveFile(pdfPath(QStringLiteral("prekinjeno.pdf")));
    window.show();
    ASSERT_TRUE(waitUntil([&] { return run.finished(); }));
    EXPECT_EQ(run.builds, 2);
    EXPECT_FALSE(window.isVisible());
    const QString pdf = pdfPath(QStringLiteral("prekinjeno.pdf"));
    ASSERT_EQ(pdfPageCount(pdf), 2);
    EXPECT_TRUE(pdfPageText(pdf, 2).contains(QStringLiteral("Analiza BOR BERGANT")));
}

// An error in one pupil is shown once and ends the batch; the reports
// printed before it stay in a complete PDF and the window stays open.
TEST_F(ReportPrinting, AnErrorEndsTheBatchKeepingWhatWasPrinted)
{
    QStringList errors;
    ErrorDisplay::setSink([&](const QString& message, const QString&) { errors << message; });
    TF_PREGLEDI_IZTIS window(*printer);
    BatchRun run{window};
    window.buildAnalysis = [&] {
        if (++run.builds == 3)
            throw DbError(QStringLiteral("Poizvedba ni uspela."));
        buildPupilAnalysis();
    };
    prompter.expectSaveFile(pdfPath(QStringLiteral("napaka.pdf")));
    window.show();
    const bool finished = waitUntil([&] { return run.finished(); });
    ErrorDisplay::setSink([](const QString& message, const QString& details) {
        ADD_FAILURE() << "error display: " << message.toStdString() << " " << details.toStdString();
    });
    ASSERT_TRUE(finished);
    EXPECT_EQ(errors, QStringList{QStringLiteral("Poizvedba ni uspela.")});
    EXPECT_EQ(run.builds, 3);
    EXPECT_TRUE(window.isVisible());
    const QString pdf = pdfPath(QStringLiteral("napaka.pdf"));
    ASSERT_EQ(pdfPageCount(pdf), 2);
    EXPECT_TRUE(pdfPageText(pdf, 2).contains(QStringLiteral("Analiza BOR BERGANT")));
}

// Cancelling the one file dialog of the batch prints nothing and closes it.
TEST_F(ReportPrinting, BatchWithoutAFileNamePrintsNothing)
{
    TF_PREGLEDI_IZTIS window(*printer);
    int builds = 0;
    window.buildAnalysis = [&] { ++builds; };
    prompter.expectSaveFile(QString());
    window.show();
    ASSERT_TRUE(waitUntil([&] { return !window.isVisible(); }));
    EXPECT_EQ(builds, 0);
    EXPECT_TRUE(prompter.done());
}

// "Natisni vse" through the analysis windows, wired as at start-up: every
// found pupil's own analysis, in the search's order, with the ticked notes;
// the view prints through its preview again afterwards.
TEST(ReportPrintingWindows, NatisniVsePrintsEachFoundPupilsAnalysis)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    auto dm = folder.openDataModule(prompter);
    fillSmallSchool(*dm);
    execSql(dm->db(),
            QStringLiteral("UPDATE T_NASTAVITVE SET NAZIV='OŠ Bistrica', OPOMBE='<p>Opomba za starše</p>'"));
    dm->A_NASTAVITVE().close();
    dm->A_NASTAVITVE().open();

    TF_PREGLEDI view(*dm);
    view.screenWidth = [] { return 1024; };
    view.resize(1024, 740);
    auto* izbira = new TF_PREGLEDI_IZBIRA(*dm, view, QDate(2021, 5, 1));
    auto* uredi = new TF_UREDIGRAF(*dm, &view);
    view.setSelectionWindow(izbira);
    view.setChartSettings(uredi);
    uredi->setSelectionWindow(izbira);

    AnalysisReportPrinter printer(*dm);
    printer.mainChart = view.DBChart;
    printer.xtChart = view.DBChartX;
    printer.printNotes = [&] { return uredi->cbOpombe->isChecked(); };
    printer.printerInstalled = [] { return false; };
    bool previewed = false;
    view.setPrintHandler([&] {
        previewed = view.PreviewReport;
        printer.printAnalysis(view.PreviewReport);
    });
    TF_PREGLEDI_IZTIS iztis(printer, izbira);
    QStringList built;
    iztis.buildAnalysis = [&] {
        izbira->BuildAnalysis();
        built << view.analysis().title;
    };
    izbira->setShowBatchPrint([&] {
        // The window stays open after the last pupil; the user closes it.
        QTimer::singleShot(0, &iztis, [&] {
            waitUntil([&] { return !built.isEmpty() && !iztis.isRunning(); });
            iztis.sbIzhod->click();
        });
        iztis.exec();
    });

    uredi->cbOpombe->setChecked(true);
    izbira->rgTip->button(0)->click();
    izbira->seLEtoOdU->setValue(2019);
    izbira->seLetoDoU->setValue(2021);
    izbira->fcImageBtn8Click();
    ASSERT_EQ(dm->A_PUCENCI().rowCount(), 5);
    dm->A_PUCENCI().last();

    const QString pdf = folder.path() + QStringLiteral("/vsi.pdf");
    prompter.expectSaveFile(pdf);
    izbira->sbNAtisniClick();

    const QStringList expected = {
        QStringLiteral("EVA BREZ, 10.09.2011"), QStringLiteral("ANA KOŠIR, 04.03.2012"),
        QStringLiteral("DANA KRAJNC, 02.01.2012"), QStringLiteral("BOR NOVAK, 06.05.2012"),
        QStringLiteral("CENE ZUPAN, 08.07.2012")};
    ASSERT_EQ(built, expected);
    ASSERT_EQ(pdfPageCount(pdf), 5);
    for (int i = 0; i < 5; ++i) {
        const QString text = pdfPageText(pdf, i + 1);
        SCOPED_TRACE(text.toStdString());
        EXPECT_TRUE(text.contains(expected[i]));
        EXPECT_TRUE(text.contains(QStringLiteral("OŠ Bistrica")));
        EXPECT_TRUE(text.contains(QStringLiteral("Opomba za starše")));
    }
    // ANA KOŠIR's three years: 2019 with ATV 150 and T-scores 60 (+0,01).
    EXPECT_TRUE(pdfPageText(pdf, 2).contains(QStringLiteral("2019 150 60,0")));
    EXPECT_TRUE(pdfPageText(pdf, 2).contains(QStringLiteral("2021 160 62,0")));

    // Back in the view, "Natisni pregled" previews again.
    QTimer::singleShot(50, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    view.sbBrisiClick();
    EXPECT_TRUE(previewed);
}

// The analysis windows over the small school: the selection window's
// defaults and handlers, the view's grid colours, axes and reference strip,
// the chart settings, and the view rendered for every kind.
#include "analysis/AnalysisFixture.h"
#include "core/Sql.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolder.h"
#include "ui/analysis/AnalysisGrid.h"
#include "ui/analysis/UF_PREGLEDI.h"
#include "ui/analysis/UF_PREGLEDI_IZBIRA.h"
#include "ui/analysis/UF_UREDIGRAF.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <qcustomplot.h>

using namespace gibomer;
using namespace gibomer::test;

namespace {

class AnalysisWindows : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dm = folder.openDataModule(prompter);
        fillSmallSchool(*dm);
        view = std::make_unique<TF_PREGLEDI>(*dm);
        view->screenWidth = [] { return 1024; };
        izbira = new TF_PREGLEDI_IZBIRA(*dm, *view, QDate(2021, 5, 1));
        uredi = new TF_UREDIGRAF(*dm, view.get());
        view->setSelectionWindow(izbira);
        view->setChartSettings(uredi);
        uredi->setSelectionWindow(izbira);
        izbira->seLEtoOdC->setValue(2019);
    }

    void reloadSettings()
    {
        dm->A_NASTAVITVE().close();
        dm->A_NASTAVITVE().open();
    }

    QVariant setting(const char* column)
    {
        return scalar(dm->db(), QStringLiteral("SELECT %1 FROM T_NASTAVITVE").arg(QLatin1String(column)));
    }

    QStringList pupilSurnames()
    {
        QStringList names;
        for (int r = 0; r < dm->A_PUCENCI().rowCount(); ++r)
            names << dm->A_PUCENCI().value(r, QStringLiteral("PRIIMEK")).toString();
        return names;
    }

    TestFolder folder;
    ScriptedPrompter prompter;
    std::unique_ptr<TDM> dm;
    std::unique_ptr<TF_PREGLEDI> view;
    TF_PREGLEDI_IZBIRA* izbira = nullptr;
    TF_UREDIGRAF* uredi = nullptr;
};

} // namespace

TEST_F(AnalysisWindows, ShowingTheViewBuildsTheChoiceAndClosingHidesTheSelectionToo)
{
    execSql(dm->db(), QStringLiteral("UPDATE T_NASTAVITVE SET NAZIV='OŠ Gorica'"));
    reloadSettings();
    EXPECT_EQ(view->windowTitle(), QStringLiteral("Pregledi"));
    view->PreviewReport = false;
    view->show();
    EXPECT_EQ(view->windowTitle(), QStringLiteral("Analiza - OŠ Gorica"));
    EXPECT_TRUE(view->PreviewReport);
    EXPECT_EQ(view->analysis().title, QStringLiteral("Povprečni rezultati za celotno šolo (Moški+Ženske)"));
    EXPECT_EQ(view->DBChart->plottableCount(), 3);

    view->fcImageBtn3->click();
    EXPECT_TRUE(izbira->isVisible());
    view->sbZapri->click();
    EXPECT_FALSE(izbira->isVisible());
    EXPECT_FALSE(view->isVisible());
}

TEST_F(AnalysisWindows, SelectionStartsWithTheRunningSchoolYearAndClearsOnePageAtATime)
{
    TF_PREGLEDI_IZBIRA september(*dm, *view, QDate(2024, 9, 1));
    EXPECT_EQ(september.seGenG->value(), 2025);
    EXPECT_EQ(september.lLEto->text(), QStringLiteral("2024/"));
    EXPECT_TRUE(september.seGenU->isEmpty());
    EXPECT_EQ(september.lLetoU->text(), QString());
    for (QSpinBox* from :
         {september.seLEtoOdU, september.seLEtoODR, september.seLEtoOdG, september.seLEtoOdC})
        EXPECT_EQ(from->value(), 2022);
    for (QSpinBox* to : {september.seLetoDoU, september.seLEtoDor, september.SeLetoDoG, september.seLEtoDoC})
        EXPECT_EQ(to->value(), 2024);
    EXPECT_EQ(september.PageControl1->currentWidget(), september.tsCelotna);

    september.seGenU->setValue(2020);
    EXPECT_EQ(september.lLetoU->text(), QStringLiteral("2019/"));
    september.seRazredR->setValue(4);
    september.eOddelekR->setText(QStringLiteral("B"));
    september.RgSpolR->button(2)->setChecked(true);
    september.seRazredG->setValue(3);
    september.rgSpolG->button(1)->setChecked(true);
    september.sbIzprazniR->click();
    EXPECT_TRUE(september.seRazredR->isEmpty());
    EXPECT_TRUE(september.eOddelekR->text().isEmpty());
    EXPECT_EQ(september.RgSpolR->checkedId(), 0);
    EXPECT_EQ(september.seRazredG->value(), 3); // the generation page keeps its fields
    EXPECT_EQ(september.rgSpolG->checkedId(), 1);

    // The pupil page returns to the sub-page last shown.
    september.rgTip->button(0)->click();
    EXPECT_EQ(september.PageControl2->currentWidget(), september.tsU1);
    september.fcImageBtn8->click();
    EXPECT_EQ(september.PageControl2->currentWidget(), september.tsU2);
    september.rgTip->button(1)->click();
    EXPECT_EQ(september.PageControl1->currentWidget(), september.tsRazred);
    september.rgTip->button(0)->click();
    EXPECT_EQ(september.PageControl2->currentWidget(), september.tsU2);
    september.fcImageBtn3->click();
    EXPECT_EQ(september.PageControl2->currentWidget(), september.tsU1);
}

TEST_F(AnalysisWindows, FoundPupilsSortByTitleClicksAndADoubleClickBuildsTheirAnalysis)
{
    izbira->rgTip->button(0)->click();
    izbira->seLEtoOdU->setValue(2019);
    izbira->seLetoDoU->setValue(2021);
    izbira->fcImageBtn8->click();
    ASSERT_EQ(dm->A_PUCENCI().rowCount(), 5);

    QHeaderView* header = izbira->wwDBGrid1->horizontalHeader();
    Q_EMIT header->sectionClicked(1); // PRIIMEK
    EXPECT_EQ(pupilSurnames().first(), QStringLiteral("BREZ"));
    Q_EMIT header->sectionClicked(1);
    EXPECT_EQ(dm->A_PUCENCI().sort(), QStringLiteral("PRIIMEK desc"));
    EXPECT_EQ(pupilSurnames().first(), QStringLiteral("ZUPAN"));
    Q_EMIT header->sectionClicked(2); // IME, ascending
    EXPECT_EQ(pupilSurnames(), (QStringList{"KOŠIR", "NOVAK", "ZUPAN", "KRAJNC", "BREZ"}));
    Q_EMIT header->sectionClicked(1);
    EXPECT_EQ(dm->A_PUCENCI().sort(), QStringLiteral("PRIIMEK"));

    izbira->show();
    dm->A_PUCENCI().moveTo(1); // KOŠIR
    Q_EMIT izbira->wwDBGrid1->doubleClicked(izbira->wwDBGrid1->model()->index(1, 1));
    EXPECT_EQ(view->analysis().title, QStringLiteral("ANA KOŠIR, 04.03.2012"));
    EXPECT_EQ(view->DBChart->plottableCount(), 3);
    EXPECT_EQ(view->DBChartX->plottableCount(), 3);
    EXPECT_FALSE(izbira->isVisible()); // closed after the build...

    izbira->show();
    izbira->cbOstani->setChecked(true);
    izbira->fcImageBtn6->click();
    EXPECT_TRUE(izbira->isVisible()); // ...unless it stays on top
}

TEST_F(AnalysisWindows, GridColoursYearsTScoresAndXtWithTheirYearsColour)
{
    izbira->BuildAnalysis();
    QAbstractItemModel* model = view->wwDBGrid1->model();
    ASSERT_EQ(model->rowCount(), 3);
    ASSERT_EQ(model->columnCount(), 24);
    const QColor year2019 = view->analysis().chart.series[0].colour;
    const QColor year2021 = view->analysis().chart.series[2].colour;
    for (int column : {0, 2, 4, 14, 20, 22, 23}) // year, ATVT, ATTT, DTT, T60T, T600T, XT
        EXPECT_EQ(model->index(0, column).data(Qt::BackgroundRole).value<QColor>(), year2019) << column;
    for (int column : {1, 3, 13, 19}) // ATV, ATT, DT, T60
        EXPECT_FALSE(model->index(0, column).data(Qt::BackgroundRole).isValid()) << column;
    EXPECT_EQ(model->index(2, 0).data(Qt::BackgroundRole).value<QColor>(), year2021);
    EXPECT_EQ(year2021, QColor(128, 0, 0)); // the third year: maroon, not yellow
    // Raw values without decimals, T-scores with one, decimal comma.
    EXPECT_EQ(model->index(0, 1).data().toString(), QStringLiteral("147"));
    EXPECT_EQ(model->index(0, 2).data().toString(), QStringLiteral("57,5"));

    auto* header = qobject_cast<TwoLineHeader*>(view->wwDBGrid1->horizontalHeader());
    ASSERT_TRUE(header);
    EXPECT_EQ(header->groupOf(1), QStringLiteral("ATV"));
    EXPECT_EQ(header->groupOf(22), QStringLiteral("T600"));
    EXPECT_TRUE(header->groupOf(23).isEmpty());
}

TEST_F(AnalysisWindows, PercentBetterAxesLabelWholeNumberTicksAndTheStripFollowsTheSetting)
{
    view->resize(1024, 768);
    izbira->BuildAnalysis();
    view->DBChart->replot();
    const QVector<double> ticks = view->DBChart->yAxis2->tickVector();
    const QVector<QString> labels = view->DBChart->yAxis2->tickVectorLabels();
    ASSERT_FALSE(ticks.isEmpty());
    for (int i = 0; i < ticks.size(); ++i) {
        EXPECT_EQ(ticks[i], std::round(ticks[i]));
        if (ticks[i] == 55) {
            EXPECT_EQ(labels[i], QStringLiteral("35,0"));
        }
        if (ticks[i] == 30) {
            EXPECT_EQ(labels[i], QStringLiteral("100"));
        }
    }
    view->DBChartX->replot();
    const QVector<double> xtTicks = view->DBChartX->yAxis2->tickVector();
    const QVector<QString> xtLabels = view->DBChartX->yAxis2->tickVectorLabels();
    ASSERT_TRUE(xtTicks.contains(50));
    EXPECT_EQ(xtLabels[xtTicks.indexOf(50)], QStringLiteral("50,0"));

    EXPECT_TRUE(view->pReferencne->isVisibleTo(view.get()));
    execSql(dm->db(), QStringLiteral("UPDATE T_NASTAVITVE SET PRIKAZUJREFERENCNE=0"));
    reloadSettings();
    izbira->BuildAnalysis();
    EXPECT_FALSE(view->pReferencne->isVisibleTo(view.get()));
}

TEST_F(AnalysisWindows, ChartSettingsSaveOnCloseAndRedrawAtOnce)
{
    izbira->BuildAnalysis();
    EXPECT_EQ(view->analysis().chart.axisMax, 88.0);
    uredi->show();
    EXPECT_FALSE(uredi->dbcPrilagodi->isChecked());
    uredi->dbcPrilagodi->setChecked(true);
    EXPECT_EQ(setting("PRILAGODIGRAF").toInt(), 0); // nothing stored before "Zapri"
    uredi->sbZapri->click();
    EXPECT_EQ(setting("PRILAGODIGRAF").toInt(), 1);
    EXPECT_FALSE(uredi->isVisible());
    EXPECT_LT(view->analysis().chart.axisMax, 88.0);
    EXPECT_EQ(view->DBChart->yAxis->range().upper, view->analysis().chart.axisMax);
}

TEST_F(AnalysisWindows, AnOldRtfNoteShowsAsTextAndIsKeptUntilEdited)
{
    const QString rtf = QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Dobri rezultati\\par}");
    execSql(dm->db(), QStringLiteral("UPDATE T_NASTAVITVE SET OPOMBE=:o"), {{":o", rtf}});
    reloadSettings();
    uredi->show();
    EXPECT_EQ(uredi->wwDBRichEdit1->toPlainText(), QStringLiteral("Dobri rezultati"));
    uredi->sbZapri->click();
    EXPECT_EQ(setting("OPOMBE").toString(), rtf); // closing without changes posts nothing

    uredi->runEditor = [](RichTextEditorDialog& editor) {
        editor.editor->selectAll();
        editor.bold->click();
        editor.bullets->click();
        return true;
    };
    uredi->show();
    uredi->sbUredi->click();
    uredi->sbZapri->click();
    const QString stored = setting("OPOMBE").toString();
    EXPECT_FALSE(stored.startsWith(QStringLiteral("{\\rtf")));
    QTextDocument doc;
    doc.setHtml(stored);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("Dobri rezultati"));
    EXPECT_TRUE(stored.contains(QStringLiteral("font-weight:700")) ||
                stored.contains(QStringLiteral("font-weight:600")));
    EXPECT_TRUE(stored.contains(QStringLiteral("<ul")));
}

TEST_F(AnalysisWindows, PrintAllHandsOverWithDirectPrintingAndKeepsTheWindowOnTop)
{
    EXPECT_FALSE(izbira->sbNAtisni->isEnabled());
    bool previewDuringRun = true;
    int rowDuringRun = -1;
    izbira->setShowBatchPrint([&] {
        previewDuringRun = view->PreviewReport;
        rowDuringRun = dm->A_PUCENCI().currentRow();
    });
    EXPECT_TRUE(izbira->sbNAtisni->isEnabled());
    izbira->fcImageBtn8->click();
    dm->A_PUCENCI().moveTo(3);
    izbira->sbNAtisni->click();
    EXPECT_FALSE(previewDuringRun);
    EXPECT_EQ(rowDuringRun, 0);
    EXPECT_TRUE(view->PreviewReport);
    EXPECT_TRUE(izbira->cbOstani->isChecked());
}

// Renders the view for every kind with 1, 3, 8 and 12 years at two window
// sizes; the XT plot must stand level with the main plot and the legend must
// hold every year. With GIBOMER_SCREENSHOT_DIR set the pictures are saved.
TEST(AnalysisViewPictures, EveryKindAndYearCountReadsAtBothSizes)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    auto dm = folder.openDataModule(prompter);
    fillGeneratedSchool(*dm, 2010, 12, 2, 6);
    execSql(dm->db(), QStringLiteral("UPDATE T_NASTAVITVE SET NAZIV='OŠ Testna vas'"));
    dm->A_NASTAVITVE().close();
    dm->A_NASTAVITVE().open();
    TF_PREGLEDI view(*dm);
    auto* izbira = new TF_PREGLEDI_IZBIRA(*dm, view, QDate(2021, 5, 1));
    view.setSelectionWindow(izbira);
    const QString dir = qEnvironmentVariable("GIBOMER_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        QDir().mkpath(dir);

    izbira->seGenU->setValue(2015);
    izbira->seRazredU->setValue(5);
    izbira->fcImageBtn8->click();
    ASSERT_GT(dm->A_PUCENCI().rowCount(), 0);

    for (const QSize size : {QSize(1024, 768), QSize(1920, 1080)}) {
        view.screenWidth = [size] { return size.width(); };
        view.resize(size);
        view.show();
        QApplication::processEvents();
        for (int kind = 0; kind < 4; ++kind) {
            for (int years : {1, 3, 8, 12}) {
                izbira->rgTip->button(kind)->setChecked(true);
                const int last = kind == 0 ? 2019 : 2021, first = last - years + 1; // the pupil left in 2019
                for (QSpinBox* from :
                     {izbira->seLEtoOdU, izbira->seLEtoODR, izbira->seLEtoOdG, izbira->seLEtoOdC})
                    from->setValue(first);
                for (QSpinBox* to :
                     {izbira->seLetoDoU, izbira->seLEtoDor, izbira->SeLetoDoG, izbira->seLEtoDoC})
                    to->setValue(last);
                izbira->seGenG->setValue(2021);
                izbira->seRazredG->setValue(9);
                izbira->seRazredR->setValue(4);
                izbira->BuildAnalysis();
                QApplication::processEvents();
                const QString name = QStringLiteral("kind%1_%2y_%3").arg(kind).arg(years).arg(size.width());
                SCOPED_TRACE(name.toStdString());
                const int shown = dm->A_PVRE().rowCount();
                EXPECT_GE(shown, 1);
                int legendItems = 0;
                for (int i = 0; i < view.DBChart->legend->itemCount(); ++i)
                    legendItems += view.DBChart->legend->item(i) != nullptr;
                EXPECT_EQ(legendItems, shown);
                const QImage picture = view.grab().toImage();
                EXPECT_EQ(view.DBChartX->axisRect()->rect().top(), view.DBChart->axisRect()->rect().top());
                EXPECT_EQ(view.DBChartX->axisRect()->rect().bottom(),
                          view.DBChart->axisRect()->rect().bottom());
                // The legend stays above the plot.
                EXPECT_LE(view.DBChart->legend->outerRect().bottom(), view.DBChart->axisRect()->rect().top());
                if (!dir.isEmpty())
                    picture.save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
            }
        }
    }
}

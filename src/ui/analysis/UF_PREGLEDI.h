// "Pregledi": the analysis view with the main chart, the XT chart beside
// it, the grid of yearly values and the reference strip.
#pragma once

#include "analysis/AnalysisBuilder.h"

#include <QDialog>
#include <functional>

class QCustomPlot;
class QLabel;
class QPushButton;
class QTableView;
class QFrame;

namespace gibomer {

class TDM;
class DatasetTableModel;
class TF_PREGLEDI_IZBIRA;
class TF_UREDIGRAF;

class TF_PREGLEDI : public QDialog
{
    Q_OBJECT
public:
    explicit TF_PREGLEDI(TDM& dm, QWidget* parent = nullptr);
    ~TF_PREGLEDI() override;

    void setSelectionWindow(TF_PREGLEDI_IZBIRA* selection) { m_selection = selection; }
    void setChartSettings(TF_UREDIGRAF* settings) { m_settings = settings; }
    // "Natisni pregled"; the button stays disabled while there is none.
    void setPrintHandler(std::function<void()> handler);

    // Each showing: preview mode, the caption with the school's name, a new build.
    void FormShow();
    // Draws a finished build: charts, grid colours and widths, reference strip.
    void showAnalysis(const AnalysisResult& result);
    const AnalysisResult& analysis() const { return m_analysis; }

    void fcImageBtn3Click(); // "Izberi vrsto pregleda"
    void sbBrisiClick();     // "Natisni pregled"
    void fcImageBtn2Click(); // "Uredi graf"
    void sbOdpriClick();     // "Pomoč"
    void sbZapriClick();     // "Zapri"

    // Column widths of the analysis grid for a screen width.
    void applyGridWidths(int screenWidth);
    // The screen width the grid's columns are fitted to (the window's screen).
    std::function<int()> screenWidth;

    QPushButton* fcImageBtn3 = nullptr;
    QPushButton* sbNAtisni = nullptr;
    QPushButton* fcImageBtn2 = nullptr;
    QPushButton* sbOdpri = nullptr;
    QPushButton* sbZapri = nullptr;
    QCustomPlot* DBChart = nullptr;
    QCustomPlot* DBChartX = nullptr;
    QTableView* wwDBGrid1 = nullptr;
    QFrame* pReferencne = nullptr;
    QTableView* wwDBGrid3 = nullptr;

    // True: "Natisni pregled" shows a preview; false: it prints directly.
    bool PreviewReport = true;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitGridHeight();

    TDM& m_dm;
    TF_PREGLEDI_IZBIRA* m_selection = nullptr;
    TF_UREDIGRAF* m_settings = nullptr;
    std::function<void()> m_printHandler;
    DatasetTableModel* m_gridModel = nullptr;
    DatasetTableModel* m_referenceModel = nullptr;
    AnalysisResult m_analysis;
};

} // namespace gibomer

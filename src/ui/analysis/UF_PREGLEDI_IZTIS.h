// "Tiskanje analiz učencev": prints the pupil analysis of every found pupil,
// one after another, with the current pupil's name and a stop button.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

namespace gibomer {

class AnalysisReportPrinter;

class TF_PREGLEDI_IZTIS : public QDialog
{
    Q_OBJECT
public:
    explicit TF_PREGLEDI_IZTIS(AnalysisReportPrinter& printer, QWidget* parent = nullptr);

    // Builds the analysis of the current row of A_PUCENCI into the charts.
    std::function<void()> buildAnalysis;

    // The batch loop; runs once per showing of the window.
    void FormActivate();
    // "Prekini tiskanje": stops after the pupil being printed, closes the window.
    void sbIzhodClick();

    bool isRunning() const { return m_running; }
    // The stop flag: 0 go on, 1 stop.
    int tag = 0;

    QLabel* lUcenec = nullptr;
    QPushButton* sbIzhod = nullptr;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void letEventsThrough();

    AnalysisReportPrinter& m_printer;
    bool m_startedThisShowing = false;
    bool m_running = false;
};

} // namespace gibomer

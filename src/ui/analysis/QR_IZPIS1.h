// The report of one print: the current analysis with the two chart
// pictures; made for one print and freed after it.
#pragma once

#include "analysis/Report.h"

class QWidget;

namespace gibomer {

class ReportOutput;

class TR_IZPIS1
{
public:
    // QRImage1 draws the main chart, QRImage2 the XT chart.
    TR_IZPIS1(ReportData data, ChartPainter mainPicture, ChartPainter xtPicture);

    // The print preview, maximised and fitting the page; the user prints or
    // saves a PDF from it. Returns when it closes.
    void Preview(QWidget* parent);
    // Adds this report to an open output (after the reports already in it).
    void Print(ReportOutput& output) const;

    const ReportData& data() const { return m_data; }

private:
    ReportData m_data;
    ChartPainter QRImage1;
    ChartPainter QRImage2;
};

} // namespace gibomer

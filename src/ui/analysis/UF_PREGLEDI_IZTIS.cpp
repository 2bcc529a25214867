#include "ui/analysis/UF_PREGLEDI_IZTIS.h"

#include "core/DataModule.h"
#include "core/Dataset.h"
#include "ui/analysis/QR_IZPIS1.h"
#include "ui/analysis/ReportPrinting.h"
#include "ui/core/GibomerApplication.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <qcustomplot.h>

namespace gibomer {

TF_PREGLEDI_IZTIS::TF_PREGLEDI_IZTIS(AnalysisReportPrinter& printer, QWidget* parent)
    : QDialog(parent), m_printer(printer)
{
    setObjectName(QStringLiteral("F_PREGLEDI_IZTIS"));
    setWindowTitle(QStringLiteral("Tiskanje analiz učencev"));
    setFixedSize(405, 148);
    setModal(true);

    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setAutoFillBackground(true);
    QPalette blue = panel->palette();
    blue.setColor(QPalette::Window, QColor(0, 0, 200));
    blue.setColor(QPalette::WindowText, Qt::white);
    panel->setPalette(blue);
    auto* caption = new QLabel(QStringLiteral("Tiskam učenca "));
    lUcenec = new QLabel;
    lUcenec->setObjectName(QStringLiteral("lUcenec"));
    QFont bold = lUcenec->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    lUcenec->setFont(bold);
    caption->setFont(bold);
    lUcenec->setMinimumWidth(200);
    lUcenec->setWordWrap(true); // a long name takes two lines
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(16, 0, 16, 0);
    panelLayout->addWidget(caption);
    panelLayout->addWidget(lUcenec, 1);

    auto* strip = new QWidget;
    strip->setObjectName(QStringLiteral("Panel2"));
    strip->setAutoFillBackground(true);
    QPalette darkBlue = strip->palette();
    darkBlue.setColor(QPalette::Window, QColor(0, 0, 110));
    strip->setPalette(darkBlue);
    strip->setFixedHeight(46);
    sbIzhod = new QPushButton(QStringLiteral("Prekini tiskanje"));
    sbIzhod->setObjectName(QStringLiteral("sbIzhod"));
    sbIzhod->setFont(bold);
    sbIzhod->setStyleSheet(QStringLiteral("QPushButton { color: yellow; background: rgb(0, 0, 150);"
                                          " border: 1px solid rgb(120, 120, 220); padding: 4px 14px; }"
                                          "QPushButton:pressed { background: rgb(0, 0, 90); }"));
    sbIzhod->setAutoDefault(false);
    auto* stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(8, 6, 8, 6);
    stripLayout->addStretch();
    stripLayout->addWidget(sbIzhod);
    stripLayout->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel, 1);
    layout->addWidget(strip);

    connect(sbIzhod, &QPushButton::clicked, this, &TF_PREGLEDI_IZTIS::sbIzhodClick);
}

void TF_PREGLEDI_IZTIS::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Activation can come more than once while the window is up; the loop
    // starts only once per showing, after the window has been painted.
    if (m_startedThisShowing || m_running)
        return;
    m_startedThisShowing = true;
    QTimer::singleShot(0, this, [this] {
        try {
            FormActivate();
        } catch (...) {
            showError(std::current_exception());
        }
    });
}

void TF_PREGLEDI_IZTIS::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!m_running)
        m_startedThisShowing = false;
}

void TF_PREGLEDI_IZTIS::closeEvent(QCloseEvent* event)
{
    tag = 1;
    QDialog::closeEvent(event);
}

void TF_PREGLEDI_IZTIS::done(int result)
{
    tag = 1; // Esc and the close box stop the batch as the button does
    QDialog::done(result);
}

void TF_PREGLEDI_IZTIS::sbIzhodClick()
{
    tag = 1;
    close();
}

void TF_PREGLEDI_IZTIS::letEventsThrough()
{
    QApplication::processEvents();
}

void TF_PREGLEDI_IZTIS::FormActivate()
{
    if (m_running)
        return;
    m_running = true;
    struct Running
    {
        TF_PREGLEDI_IZTIS& window;
        ~Running()
        {
            window.m_running = false;
            if (!window.isVisible())
                window.m_startedThisShowing = false;
        }
    } running{*this};

    tag = 0;
    Dataset& pupils = m_printer.dm().A_PUCENCI();
    if (!pupils.isOpen() || pupils.eof())
        return;

    // One output for the whole batch: one printer job, or one PDF file asked
    // for once, one report after another.
    ReportOutput output(m_printer.prompter(),
                        m_printer.printerInstalled ? m_printer.printerInstalled() : anyPrinterInstalled());
    if (!output.open(proposedPdfPath(QStringLiteral("Analize učencev")), windowTitle())) {
        close();
        return;
    }
    try {
        while (!pupils.eof() && tag == 0) {
            letEventsThrough();
            lUcenec->setText(pupils.field(QStringLiteral("PRIIMEK")).toString() + QLatin1Char(' ') +
                             pupils.field(QStringLiteral("IME")).toString());
            lUcenec->repaint();
            repaint();
            letEventsThrough();
            if (buildAnalysis)
                buildAnalysis();
            if (m_printer.mainChart)
                m_printer.mainChart->replot(QCustomPlot::rpImmediateRefresh);
            letEventsThrough();
            m_printer.makeReport()->Print(output);
            letEventsThrough();
            pupils.next();
        }
    } catch (...) {
        // What was printed stays: the document is ended before the error shows.
        output.finish();
        throw;
    }
    output.finish();
}

} // namespace gibomer

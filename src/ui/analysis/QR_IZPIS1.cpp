#include "ui/analysis/QR_IZPIS1.h"

#include "ui/analysis/ReportPrinting.h"
#include "ui/core/GibomerApplication.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QWidget>

namespace gibomer {

TR_IZPIS1::TR_IZPIS1(ReportData data, ChartPainter mainPicture, ChartPainter xtPicture)
    : m_data(std::move(data)), QRImage1(std::move(mainPicture)), QRImage2(std::move(xtPicture))
{
}

void TR_IZPIS1::Preview(QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    prepareReportDevice(printer);
    printer.setDocName(m_data.title);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("R_IZPIS1_preview"));
    dialog.setWindowTitle(QStringLiteral("Predogled tiskanja"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this](QPrinter* target) {
        // An error here must not unwind through the preview's own code.
        try {
            QPainter painter(target);
            paintReport(painter, *target, m_data, QRImage1, QRImage2);
        } catch (...) {
            showError(std::current_exception());
        }
    });
    if (auto* view = dialog.findChild<QPrintPreviewWidget*>())
        view->setZoomMode(QPrintPreviewWidget::FitInView);
    // Sized to the screen as well, for window managers that ignore the state.
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        dialog.resize(screen->availableGeometry().size());
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    dialog.exec();
}

void TR_IZPIS1::Print(ReportOutput& output) const
{
    output.add(m_data, QRImage1, QRImage2);
}

} // namespace gibomer

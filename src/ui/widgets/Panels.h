// The coloured panels and yellow-on-blue buttons of the small dialogs.
#pragma once

#include <QColor>
#include <QString>

class QPushButton;
class QWidget;

namespace gibomer {

// A panel filled with the colour.
QWidget* colouredPanel(const QColor& colour, QWidget* parent = nullptr);
// A push button with bold yellow text on dark blue; never the dialog's default
// button, so that Enter stays with the edit boxes.
QPushButton* yellowButton(const QString& text, QWidget* parent = nullptr);

} // namespace gibomer

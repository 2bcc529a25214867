#include "ui/widgets/Panels.h"

#include <QPalette>
#include <QPushButton>
#include <QWidget>

namespace gibomer {

QWidget* colouredPanel(const QColor& colour, QWidget* parent)
{
    auto* panel = new QWidget(parent);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, colour);
    panel->setPalette(pal);
    return panel;
}

QPushButton* yellowButton(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    button->setStyleSheet(
        QStringLiteral("QPushButton { color: yellow; font-weight: bold; background: #00008c;"
                       " border: 1px solid #8080ff; padding: 3px 14px; }"
                       "QPushButton:focus { border: 1px solid yellow; }"
                       "QPushButton:pressed { background: #00005a; }"));
    return button;
}

} // namespace gibomer

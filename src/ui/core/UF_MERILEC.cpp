#include "ui/core/UF_MERILEC.h"

#include <QApplication>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace gibomer {

static QLabel* makeShadowedLabel(const QString& text)
{
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    font.setPixelSize(13);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: yellow;"));
    auto* shadow = new QGraphicsDropShadowEffect(label);
    shadow->setOffset(1, 1);
    shadow->setBlurRadius(0);
    shadow->setColor(Qt::black);
    label->setGraphicsEffect(shadow);
    return label;
}

TF_MERILEC::TF_MERILEC(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("F_MERILEC"));
    setWindowTitle(QStringLiteral("Merilec"));
    setFixedSize(324, 97);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 200));
    setPalette(pal);

    const QString initial = QStringLiteral("Uvažam učence v podatkovno bazo.....");
    lBesedilo = makeShadowedLabel(initial);
    lBesedilo->setObjectName(QStringLiteral("lBesedilo"));
    lOpis = makeShadowedLabel(initial);
    lOpis->setObjectName(QStringLiteral("lOpis"));
    Gauge1 = new QProgressBar;
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    Gauge1->setTextVisible(true);
    Gauge1->setStyleSheet(QStringLiteral("QProgressBar { background: white; border: 1px solid #202020; color: black;"
                                         " text-align: center; }"
                                         "QProgressBar::chunk { background: yellow; }"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 10);
    layout->setSpacing(4);
    layout->addWidget(lBesedilo);
    layout->addWidget(lOpis);
    layout->addWidget(Gauge1);
}

void TF_MERILEC::setUpperText(const QString& text)
{
    lBesedilo->setText(text);
}

void TF_MERILEC::setLowerText(const QString& text)
{
    lOpis->setText(text);
}

void TF_MERILEC::setRange(int maximum)
{
    Gauge1->setRange(0, maximum);
}

void TF_MERILEC::setPosition(int position)
{
    Gauge1->setValue(position);
}

void TF_MERILEC::show()
{
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    QWidget::show();
    repaint();
}

void TF_MERILEC::repaint()
{
    QWidget::repaint();
    // paint without handing user input to the program
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TF_MERILEC::close()
{
    QWidget::close();
}

} // namespace gibomer

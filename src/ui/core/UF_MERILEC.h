// "Merilec": the borderless progress window that the import drives.
#pragma once

#include "core/Progress.h"

#include <QWidget>

class QLabel;
class QProgressBar;

namespace gibomer {

class TF_MERILEC : public QWidget, public ProgressDisplay
{
    Q_OBJECT
public:
    explicit TF_MERILEC(QWidget* parent = nullptr);

    void setUpperText(const QString& text) override;
    void setLowerText(const QString& text) override;
    void setRange(int maximum) override;
    void setPosition(int position) override;
    void show() override;
    void repaint() override;
    void close() override;

    QLabel* lBesedilo = nullptr;
    QLabel* lOpis = nullptr;
    QProgressBar* Gauge1 = nullptr;
};

} // namespace gibomer

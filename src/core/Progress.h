// The progress window of long work (the import), seen from the core.
#pragma once

#include <QString>

namespace gibomer {

class ProgressDisplay
{
public:
    virtual ~ProgressDisplay() = default;
    virtual void setUpperText(const QString& text) = 0;
    virtual void setLowerText(const QString& text) = 0;
    virtual void setRange(int maximum) = 0;
    virtual void setPosition(int position) = 0;
    virtual void show() = 0;
    // Repaints at once; the import takes no user input while it runs.
    virtual void repaint() = 0;
    virtual void close() = 0;
};

// For work that runs without a window (tests, the command line).
class NoProgress : public ProgressDisplay
{
public:
    void setUpperText(const QString&) override {}
    void setLowerText(const QString&) override {}
    void setRange(int) override {}
    void setPosition(int) override {}
    void show() override {}
    void repaint() override {}
    void close() override {}
};

} // namespace gibomer

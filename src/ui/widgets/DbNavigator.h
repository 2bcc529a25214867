// A data navigator: a row of captioned buttons over one dataset. Each button
// runs the window's handler first; the dataset action follows unless the
// handler skips it or stops with a SilentAbort.
#pragma once

#include "core/Dataset.h"

#include <QList>
#include <QWidget>
#include <functional>

class QPushButton;

namespace gibomer {

enum class NavAction
{
    Insert,
    Delete,
    Edit,
    Post,
    Cancel
};

// What a handler lets happen after it.
enum class Then
{
    Act,
    Skip
};

class DbNavigator : public QWidget
{
    Q_OBJECT
public:
    using Handler = std::function<Then()>;

    explicit DbNavigator(Dataset& dataset, QWidget* parent = nullptr);

    // Buttons appear in the order added.
    QPushButton* addButton(NavAction action, const QString& caption, const QString& objectName,
                           Handler handler);
    QPushButton* button(NavAction action) const;

    // An extra condition on every button (the window's own state).
    void setAllowed(std::function<bool(NavAction)> allowed);
    // Called after every click, whatever happened, so the window can follow
    // the dataset's state.
    std::function<void()> afterClick;

    // Enables the buttons from the dataset's state.
    void updateButtons();

    // Runs the handler and the action of a button; SilentAbort ends the
    // click quietly, other errors go on to the general error display.
    void click(NavAction action);

private:
    struct Entry
    {
        NavAction action;
        QPushButton* button;
        Handler handler;
    };
    bool enabledFor(NavAction action) const;
    void runAction(NavAction action);

    Dataset& m_dataset;
    QList<Entry> m_entries;
    std::function<bool(NavAction)> m_allowed;
};

} // namespace gibomer

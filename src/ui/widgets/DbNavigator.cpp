#include "ui/widgets/DbNavigator.h"

#include "core/Errors.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace gibomer {

DbNavigator::DbNavigator(Dataset& dataset, QWidget* parent) : QWidget(parent), m_dataset(dataset)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addStretch(1);
    connect(&m_dataset, &Dataset::stateChanged, this, &DbNavigator::updateButtons);
    connect(&m_dataset, &Dataset::rowsReset, this, &DbNavigator::updateButtons);
    connect(&m_dataset, &Dataset::currentRowChanged, this, &DbNavigator::updateButtons);
}

QPushButton* DbNavigator::addButton(NavAction action, const QString& caption, const QString& objectName,
                                    Handler handler)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(caption) + 24);
    auto* layout = static_cast<QHBoxLayout*>(this->layout());
    layout->insertWidget(layout->count() - 1, button);
    m_entries.append({action, button, std::move(handler)});
    connect(button, &QPushButton::clicked, this, [this, action] { click(action); });
    updateButtons();
    return button;
}

QPushButton* DbNavigator::button(NavAction action) const
{
    for (const Entry& entry : m_entries) {
        if (entry.action == action)
            return entry.button;
    }
    return nullptr;
}

void DbNavigator::setAllowed(std::function<bool(NavAction)> allowed)
{
    m_allowed = std::move(allowed);
    updateButtons();
}

bool DbNavigator::enabledFor(NavAction action) const
{
    if (!m_dataset.isOpen())
        return false;
    if (m_allowed && !m_allowed(action))
        return false;
    const bool editing = m_dataset.isEditing();
    switch (action) {
    case NavAction::Insert:
        return !editing;
    case NavAction::Edit:
        // Also on an empty list: the window's handler tells the user what to do.
        return !editing;
    case NavAction::Delete:
        return editing ? m_dataset.state() == Dataset::State::Insert || m_dataset.currentRow() >= 0
                       : !m_dataset.isEmpty();
    case NavAction::Post:
    case NavAction::Cancel:
        return editing;
    }
    return false;
}

void DbNavigator::updateButtons()
{
    for (const Entry& entry : m_entries)
        entry.button->setEnabled(enabledFor(entry.action));
}

void DbNavigator::runAction(NavAction action)
{
    switch (action) {
    case NavAction::Insert:
        m_dataset.insert();
        break;
    case NavAction::Delete:
        m_dataset.remove();
        break;
    case NavAction::Edit:
        m_dataset.edit();
        break;
    case NavAction::Post:
        m_dataset.post();
        break;
    case NavAction::Cancel:
        m_dataset.cancel();
        break;
    }
}

void DbNavigator::click(NavAction action)
{
    Handler handler;
    for (const Entry& entry : m_entries) {
        if (entry.action == action)
            handler = entry.handler;
    }
    auto finish = [this] {
        updateButtons();
        if (afterClick)
            afterClick();
    };
    try {
        if (!handler || handler() == Then::Act)
            runAction(action);
    } catch (const SilentAbort&) {
        // The user has seen why; the click ends here.
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

} // namespace gibomer

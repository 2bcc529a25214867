#include "ui/widgets/DataEditors.h"

#include "core/Formats.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace gibomer {

QVariant currentFieldValue(const Dataset& dataset, const QString& field)
{
    if (!dataset.isOpen() || dataset.currentRow() < 0 || !dataset.hasField(field))
        return {};
    return dataset.field(field);
}

namespace {

// Refreshes the editor whenever the dataset moves, is re-read or changes
// state; a change of the row's values leaves an editor with the focus
// alone, so that what is being typed there stays.
template <typename Editor> void bindRefresh(Editor* editor, Dataset& dataset, bool onRowChange = true)
{
    QObject::connect(&dataset, &Dataset::rowsReset, editor, [editor] { editor->refresh(); });
    QObject::connect(&dataset, &Dataset::currentRowChanged, editor, [editor] { editor->refresh(); });
    QObject::connect(&dataset, &Dataset::stateChanged, editor, [editor] { editor->refresh(); });
    if (!onRowChange)
        return;
    QObject::connect(&dataset, &Dataset::rowChanged, editor, [editor] {
        if (!editor->hasFocus() && !editor->isAncestorOf(QApplication::focusWidget()))
            editor->refresh();
    });
}

// Puts a browsing row into editing; false when there is no row to edit.
bool beginEdit(Dataset& dataset)
{
    if (!dataset.isOpen() || dataset.currentRow() < 0)
        return false;
    if (!dataset.isEditing())
        dataset.edit();
    return true;
}

QDate storedDate(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return {};
    if (value.typeId() == QMetaType::QDate)
        return value.toDate();
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

} // namespace

void FieldLineEdit::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    QLineEdit::keyPressEvent(event);
    if (enter && m_enterMovesFocus)
        focusNextChild();
}

// ---------------------------------------------------------------------------

DbLineEdit::DbLineEdit(Dataset& dataset, const QString& field, QWidget* parent)
    : FieldLineEdit(parent), m_dataset(dataset), m_field(field)
{
    bindRefresh(this, m_dataset);
    connect(this, &QLineEdit::textEdited, this, &DbLineEdit::typed);
    refresh();
}

void DbLineEdit::refresh()
{
    const QString text = currentFieldValue(m_dataset, m_field).toString();
    if (text != this->text())
        setText(text);
}

void DbLineEdit::typed(const QString& typedText)
{
    QString text = typedText;
    if (m_upperCase && text != text.toUpper()) {
        const int cursor = cursorPosition();
        text = text.toUpper();
        setText(text);
        setCursorPosition(cursor);
    }
    if (!beginEdit(m_dataset)) {
        refresh();
        return;
    }
    m_dataset.setField(m_field, text.isEmpty() ? QVariant() : QVariant(text));
}

// ---------------------------------------------------------------------------

DbDateEdit::DbDateEdit(Dataset& dataset, const QString& field, QWidget* parent)
    : QWidget(parent), m_dataset(dataset), m_field(field), m_edit(new FieldLineEdit(this)),
      m_button(new QToolButton(this)), m_popup(new QFrame(this, Qt::Popup)),
      m_calendar(new QCalendarWidget(m_popup))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_button);
    m_edit->setPlaceholderText(QStringLiteral("dd.mm.llll"));
    m_edit->setMinimumWidth(m_edit->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 12);
    m_button->setArrowType(Qt::DownArrow);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setObjectName(QStringLiteral("calendarButton"));
    setFocusProxy(m_edit);

    m_popup->setFrameShape(QFrame::Box);
    auto* popupLayout = new QVBoxLayout(m_popup);
    popupLayout->setContentsMargins(1, 1, 1, 1);
    popupLayout->addWidget(m_calendar);
    m_calendar->setGridVisible(true);
    m_calendar->setFirstDayOfWeek(Qt::Monday);

    bindRefresh(this, m_dataset, false);
    connect(m_edit, &QLineEdit::editingFinished, this, &DbDateEdit::commit);
    connect(m_edit, &QLineEdit::textEdited, this, [this] { m_typed = true; });
    // Another field of the row changing leaves a date being typed alone.
    connect(&m_dataset, &Dataset::rowChanged, this, [this] {
        if (!m_typed)
            refresh();
    });
    connect(m_button, &QToolButton::clicked, this, &DbDateEdit::showCalendar);
    connect(m_calendar, &QCalendarWidget::clicked, this, [this](const QDate& date) {
        m_popup->hide();
        m_edit->setText(formatDate(date));
        commit();
        m_edit->setFocus();
    });
    connect(m_calendar, &QCalendarWidget::activated, m_calendar, &QCalendarWidget::clicked);
    refresh();
}

QString DbDateEdit::shownText() const
{
    const QDate date = storedDate(currentFieldValue(m_dataset, m_field));
    return date.isValid() ? formatDate(date) : QString();
}

void DbDateEdit::refresh()
{
    m_typed = false;
    const QString text = shownText();
    if (text != m_edit->text())
        m_edit->setText(text);
}

bool DbDateEdit::commit()
{
    const QString text = m_edit->text().trimmed();
    if (text == shownText())
        return true;
    QVariant value;
    if (!text.isEmpty()) {
        const auto date = parseDate(text);
        if (!date || !date->isValid()) {
            refresh();
            return false;
        }
        value = *date;
    }
    if (!beginEdit(m_dataset)) {
        refresh();
        return false;
    }
    m_dataset.setField(m_field, value);
    refresh();
    return true;
}

void DbDateEdit::showCalendar()
{
    if (!isEnabled())
        return;
    commit();
    const QDate date = storedDate(currentFieldValue(m_dataset, m_field));
    m_calendar->setSelectedDate(date.isValid() ? date : QDate::currentDate());
    m_popup->adjustSize();
    m_popup->move(mapToGlobal(QPoint(0, height())));
    m_popup->show();
    m_calendar->setFocus();
}

// ---------------------------------------------------------------------------

DbRadioGroup::DbRadioGroup(Dataset& dataset, const QString& field, const QString& title,
                           const QStringList& items, const QList<int>& values, QWidget* parent)
    : QGroupBox(title, parent), m_dataset(dataset), m_field(field), m_values(values),
      m_group(new QButtonGroup(this))
{
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        m_group->addButton(button, i);
        layout->addWidget(button);
    }
    bindRefresh(this, m_dataset);
    connect(m_group, &QButtonGroup::idClicked, this, &DbRadioGroup::choose);
    refresh();
}

int DbRadioGroup::checkedIndex() const
{
    return m_group->checkedId();
}

void DbRadioGroup::refresh()
{
    const QVariant value = currentFieldValue(m_dataset, m_field);
    const int index = value.isNull() ? -1 : int(m_values.indexOf(value.toInt()));
    if (index < 0) {
        // An exclusive group cannot show "none checked" otherwise.
        m_group->setExclusive(false);
        for (QAbstractButton* button : m_group->buttons())
            button->setChecked(false);
        m_group->setExclusive(true);
    } else if (QAbstractButton* button = m_group->button(index)) {
        button->setChecked(true);
    }
}

void DbRadioGroup::choose(int index)
{
    if (index < 0 || index >= m_values.size() || !beginEdit(m_dataset)) {
        refresh();
        return;
    }
    m_dataset.setField(m_field, m_values[index]);
    refresh();
}

// ---------------------------------------------------------------------------

DbSpinEdit::DbSpinEdit(Dataset& dataset, const QString& field, QWidget* parent)
    : QAbstractSpinBox(parent), m_dataset(dataset), m_field(field)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    bindRefresh(this, m_dataset);
    connect(lineEdit(), &QLineEdit::textChanged, this, &DbSpinEdit::textChanged);
    connect(lineEdit(), &QLineEdit::textEdited, this, &DbSpinEdit::commit);
    refresh();
}

void DbSpinEdit::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
}

std::optional<int> DbSpinEdit::value() const
{
    return parseInteger(text());
}

void DbSpinEdit::refresh()
{
    const QVariant value = currentFieldValue(m_dataset, m_field);
    const QString shown = value.isNull() ? QString() : QString::number(value.toInt());
    if (shown != lineEdit()->text())
        lineEdit()->setText(shown);
}

void DbSpinEdit::commit()
{
    const auto number = value();
    const QVariant stored = currentFieldValue(m_dataset, m_field);
    const QVariant wanted = number ? QVariant(*number) : QVariant();
    if (stored.isNull() == wanted.isNull() && (stored.isNull() || stored.toInt() == wanted.toInt()))
        return;
    if (!beginEdit(m_dataset)) {
        refresh();
        return;
    }
    m_dataset.setField(m_field, wanted);
}

void DbSpinEdit::stepBy(int steps)
{
    const auto current = value();
    const int next = current ? std::clamp(*current + steps, m_minimum, m_maximum) : m_emptyStart;
    lineEdit()->setText(QString::number(next));
    commit();
}

QValidator::State DbSpinEdit::validate(QString& input, int&) const
{
    const QString text = input.trimmed();
    if (text.isEmpty())
        return QValidator::Acceptable;
    if (text == QLatin1String("-"))
        return m_minimum < 0 ? QValidator::Intermediate : QValidator::Invalid;
    const auto number = parseInteger(text);
    if (!number)
        return QValidator::Invalid;
    if (*number > m_maximum && *number > 0 && text.size() >= QString::number(m_maximum).size())
        return QValidator::Invalid;
    return *number >= m_minimum && *number <= m_maximum ? QValidator::Acceptable : QValidator::Intermediate;
}

QAbstractSpinBox::StepEnabled DbSpinEdit::stepEnabled() const
{
    return isReadOnly() ? StepNone : (StepUpEnabled | StepDownEnabled);
}

// ---------------------------------------------------------------------------

DbLabel::DbLabel(Dataset& dataset, const QString& field, QWidget* parent)
    : QLabel(parent), m_dataset(dataset), m_field(field)
{
    bindRefresh(this, m_dataset);
    refresh();
}

void DbLabel::refresh()
{
    setText(currentFieldValue(m_dataset, m_field).toString());
}

} // namespace gibomer

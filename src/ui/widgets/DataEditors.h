// Editors bound to one field of a Dataset: they show the current row's value
// and write what the user types back into the row, putting a browsing row
// into editing first.
#pragma once

#include "core/Dataset.h"

#include <QAbstractSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <optional>

class QButtonGroup;
class QCalendarWidget;
class QFrame;
class QToolButton;

namespace gibomer {

// The current row's value of a field; invalid while the dataset is closed,
// has no current row or no such field.
QVariant currentFieldValue(const Dataset& dataset, const QString& field);

// A line edit where Enter can move the focus on, as Tab does (the key still
// reaches the edit).
class FieldLineEdit : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;
    void setEnterMovesFocus(bool on) { m_enterMovesFocus = on; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_enterMovesFocus = false;
};

class DbLineEdit : public FieldLineEdit
{
    Q_OBJECT
public:
    DbLineEdit(Dataset& dataset, const QString& field, QWidget* parent = nullptr);
    // Typed letters become capitals, the Slovenian ones included.
    void setUpperCase(bool on) { m_upperCase = on; }
    void refresh();

private:
    void typed(const QString& text);

    Dataset& m_dataset;
    QString m_field;
    bool m_upperCase = false;
};

// A date with a calendar drop-down. The text is read as "d.m.yyyy"; a
// two-digit year falls in the window 1950-2049 (95 is 1995, 05 is 2005).
// An empty text is an empty date. The typed text is written to the row when
// the edit loses the focus, on Enter, or at commit().
class DbDateEdit : public QWidget
{
    Q_OBJECT
public:
    DbDateEdit(Dataset& dataset, const QString& field, QWidget* parent = nullptr);

    // Writes the typed text to the row. A text that is no date is put back
    // to the row's value; false then.
    bool commit();
    void refresh();
    void setEnterMovesFocus(bool on) { m_edit->setEnterMovesFocus(on); }
    FieldLineEdit* lineEdit() const { return m_edit; }
    QToolButton* dropDownButton() const { return m_button; }
    void showCalendar();
    QCalendarWidget* calendar() const { return m_calendar; }

private:
    QString shownText() const;

    Dataset& m_dataset;
    QString m_field;
    FieldLineEdit* m_edit;
    QToolButton* m_button;
    QFrame* m_popup;
    QCalendarWidget* m_calendar;
    bool m_typed = false; // text typed and not yet written to the row
};

// Radio buttons for an integer field: item i stands for values[i].
class DbRadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    DbRadioGroup(Dataset& dataset, const QString& field, const QString& title, const QStringList& items,
                 const QList<int>& values, QWidget* parent = nullptr);
    void refresh();
    // The index of the checked item, -1 for none.
    int checkedIndex() const;
    void choose(int index);

private:
    Dataset& m_dataset;
    QString m_field;
    QList<int> m_values;
    QButtonGroup* m_group;
};

// An integer spin edit that can also be empty (NULL). Stepping an empty
// edit starts at emptyStart.
class DbSpinEdit : public QAbstractSpinBox
{
    Q_OBJECT
public:
    DbSpinEdit(Dataset& dataset, const QString& field, QWidget* parent = nullptr);
    void setRange(int minimum, int maximum);
    void setEmptyStart(int value) { m_emptyStart = value; }
    std::optional<int> value() const;
    void refresh();
    // Writes the text to the row (typing and stepping do this at once).
    void commit();

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

Q_SIGNALS:
    void textChanged(const QString& text);

protected:
    StepEnabled stepEnabled() const override;

private:
    Dataset& m_dataset;
    QString m_field;
    int m_minimum = 0;
    int m_maximum = 9999;
    int m_emptyStart = 0;
};

// A label showing a field of the current row.
class DbLabel : public QLabel
{
    Q_OBJECT
public:
    DbLabel(Dataset& dataset, const QString& field, QWidget* parent = nullptr);
    void refresh();

private:
    Dataset& m_dataset;
    QString m_field;
};

} // namespace gibomer

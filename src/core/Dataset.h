// A small dataset over one statement: rows held in memory with a current
// row, browse/edit/insert states, an after-move and a before-save callback,
// and a client-side sort. The data-bound windows and their grids sit on it.
#pragma once

#include "core/Sql.h"

#include <QObject>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <vector>

namespace gibomer {

class Dataset : public QObject
{
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    explicit Dataset(QSqlDatabase db, QObject* parent = nullptr);

    // The statement, line by line. Changing it closes the dataset.
    void clearSql();
    void addLine(const QString& line);
    void setSql(const QString& sql);
    QString sql() const;
    void setParam(const QString& name, const QVariant& value);
    void clearParams();

    // Rows can be written back to this table; keyColumn identifies a row
    // ("rowid" for a table without a key column).
    void setUpdateTable(const QString& table, const QString& keyColumn);

    void open();
    void close();
    bool isOpen() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }
    int currentRow() const { return m_current; }
    // True after next() on the last row, or when the dataset is empty.
    bool eof() const { return m_eof || m_rows.empty(); }
    void first();
    void next();
    void prior();
    void last();
    void moveTo(int row);

    QStringList fieldNames() const { return m_fields; }
    // Field names are matched without regard to case; -1 when absent.
    int fieldIndex(const QString& name) const;
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }
    // The current row's value (the pending one while editing). Throws
    // AppError for an unknown field or a closed dataset.
    QVariant field(const QString& name) const;
    QVariant value(int row, int column) const;
    QVariant value(int row, const QString& name) const;
    // Only while editing or inserting.
    void setField(const QString& name, const QVariant& value);

    void insert();
    void edit();
    void post();
    void cancel();
    // Deletes the current row from the table and from the dataset.
    void remove();

    // "FIELD" ascending or "FIELD desc"; empty keeps the statement's order.
    void setSort(const QString& sort);
    QString sort() const { return m_sort; }

    std::function<void()> afterScroll;
    std::function<void()> beforePost;

Q_SIGNALS:
    void rowsReset();
    void rowChanged(int row);
    void currentRowChanged(int row);
    void stateChanged();

private:
    struct Row
    {
        std::vector<QVariant> values;
        QVariant key;
    };

    int requireField(const QString& name) const;
    void requireOpen() const;
    void setCurrent(int row, bool notify = true);
    void applySort();
    void setState(State state);

    QSqlDatabase m_db;
    QStringList m_lines;
    SqlParams m_params;
    QString m_table;
    QString m_keyColumn;

    QStringList m_fields;
    std::vector<Row> m_rows;
    int m_current = -1;
    bool m_eof = false;
    State m_state = State::Inactive;
    QString m_sort;

    // While editing: the row's values before the edit and the changed fields.
    Row m_saved;
    std::vector<bool> m_changed;
};

} // namespace gibomer

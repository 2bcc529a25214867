#include "core/Dataset.h"

#include "core/Errors.h"

#include <QDate>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>

namespace gibomer {

Dataset::Dataset(QSqlDatabase db, QObject* parent) : QObject(parent), m_db(std::move(db)) {}

void Dataset::clearSql()
{
    close();
    m_lines.clear();
}

void Dataset::addLine(const QString& line)
{
    close();
    m_lines << line;
}

void Dataset::setSql(const QString& sql)
{
    close();
    m_lines = QStringList{sql};
}

QString Dataset::sql() const
{
    return m_lines.join(QLatin1Char('\n'));
}

void Dataset::setParam(const QString& name, const QVariant& value)
{
    for (auto& [existing, v] : m_params) {
        if (existing == name) {
            v = value;
            return;
        }
    }
    m_params.emplace_back(name, value);
}

void Dataset::clearParams()
{
    m_params.clear();
}

void Dataset::setUpdateTable(const QString& table, const QString& keyColumn)
{
    m_table = table;
    m_keyColumn = keyColumn;
}

void Dataset::open()
{
    if (isOpen())
        return;
    QSqlQuery query = execSql(m_db, sql(), m_params);
    const QSqlRecord record = query.record();
    m_fields.clear();
    for (int i = 0; i < record.count(); ++i)
        m_fields << record.fieldName(i);
    const int keyIndex = m_keyColumn.isEmpty() ? -1 : fieldIndex(m_keyColumn);
    m_rows.clear();
    while (query.next()) {
        Row row;
        row.values.reserve(m_fields.size());
        for (int i = 0; i < m_fields.size(); ++i)
            row.values.push_back(query.value(i));
        if (keyIndex >= 0)
            row.key = row.values[keyIndex];
        m_rows.push_back(std::move(row));
    }
    m_state = State::Browse;
    applySort();
    m_current = m_rows.empty() ? -1 : 0;
    m_eof = m_rows.empty();
    Q_EMIT rowsReset();
    Q_EMIT stateChanged();
    Q_EMIT currentRowChanged(m_current);
    if (afterScroll)
        afterScroll();
}

void Dataset::close()
{
    if (!isOpen())
        return;
    m_rows.clear();
    m_fields.clear();
    m_current = -1;
    m_eof = true;
    m_state = State::Inactive;
    Q_EMIT rowsReset();
    Q_EMIT stateChanged();
}

void Dataset::setCurrent(int row, bool notify)
{
    if (m_rows.empty()) {
        m_current = -1;
    } else {
        m_current = std::clamp(row, 0, rowCount() - 1);
    }
    if (notify) {
        Q_EMIT currentRowChanged(m_current);
        if (afterScroll)
            afterScroll();
    }
}

void Dataset::first()
{
    requireOpen();
    if (isEditing())
        post();
    m_eof = m_rows.empty();
    setCurrent(0);
}

void Dataset::next()
{
    requireOpen();
    if (isEditing())
        post();
    if (m_current + 1 >= rowCount()) {
        m_eof = true;
        return;
    }
    setCurrent(m_current + 1);
}

void Dataset::prior()
{
    requireOpen();
    if (isEditing())
        post();
    m_eof = m_rows.empty();
    if (m_current > 0)
        setCurrent(m_current - 1);
}

void Dataset::last()
{
    requireOpen();
    if (isEditing())
        post();
    m_eof = m_rows.empty();
    setCurrent(rowCount() - 1);
}

void Dataset::moveTo(int row)
{
    requireOpen();
    if (row == m_current)
        return;
    if (isEditing())
        post();
    m_eof = m_rows.empty();
    setCurrent(row);
}

int Dataset::fieldIndex(const QString& name) const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void Dataset::requireOpen() const
{
    if (!isOpen())
        throw AppError(QStringLiteral("Poizvedba ni odprta."));
}

int Dataset::requireField(const QString& name) const
{
    requireOpen();
    const int index = fieldIndex(name);
    if (index < 0)
        throw AppError(QStringLiteral("Polja %1 ni v poizvedbi.").arg(name));
    return index;
}

QVariant Dataset::field(const QString& name) const
{
    const int index = requireField(name);
    if (m_current < 0)
        return {};
    return m_rows[m_current].values[index];
}

QVariant Dataset::value(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= m_fields.size())
        return {};
    return m_rows[row].values[column];
}

QVariant Dataset::value(int row, const QString& name) const
{
    return value(row, fieldIndex(name));
}

void Dataset::setField(const QString& name, const QVariant& value)
{
    const int index = requireField(name);
    if (!isEditing())
        throw AppError(QStringLiteral("Zapis ni v urejanju."));
    QVariant stored = value;
    if (value.metaType().id() == QMetaType::QDate)
        stored = value.toDate().isValid() ? QVariant(value.toDate().toString(Qt::ISODate)) : QVariant();
    m_rows[m_current].values[index] = stored;
    m_changed[index] = true;
    Q_EMIT rowChanged(m_current);
}

void Dataset::setState(State state)
{
    m_state = state;
    Q_EMIT stateChanged();
}

void Dataset::insert()
{
    requireOpen();
    if (isEditing())
        post();
    Row row;
    row.values.resize(m_fields.size());
    const int at = m_current < 0 ? 0 : m_current;
    m_rows.insert(m_rows.begin() + at, std::move(row));
    m_changed.assign(m_fields.size(), false);
    m_eof = false;
    setState(State::Insert);
    Q_EMIT rowsReset();
    setCurrent(at);
}

void Dataset::edit()
{
    requireOpen();
    if (isEditing())
        return;
    if (m_current < 0)
        throw AppError(QStringLiteral("Ni zapisa za urejanje."));
    m_saved = m_rows[m_current];
    m_changed.assign(m_fields.size(), false);
    setState(State::Edit);
}

void Dataset::post()
{
    if (!isEditing())
        return;
    if (beforePost)
        beforePost(); // may throw: the row stays in editing
    if (m_table.isEmpty())
        throw AppError(QStringLiteral("Poizvedbe ni mogoče shraniti."));

    Row& row = m_rows[m_current];
    QStringList columns;
    SqlParams params;
    for (int i = 0; i < m_fields.size(); ++i) {
        if (!m_changed[i])
            continue;
        columns << m_fields[i];
        params.emplace_back(QStringLiteral(":v%1").arg(i), row.values[i]);
    }
    const int keyIndex = fieldIndex(m_keyColumn);
    if (m_state == State::Insert) {
        QStringList placeholders;
        for (const auto& p : params)
            placeholders << p.first;
        const QString statement =
            columns.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(m_table)
                              : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                    .arg(m_table, columns.join(QLatin1Char(',')), placeholders.join(QLatin1Char(',')));
        QSqlQuery query = execSql(m_db, statement, params);
        if (keyIndex >= 0 && row.values[keyIndex].isNull())
            row.values[keyIndex] = query.lastInsertId();
        if (keyIndex >= 0)
            row.key = row.values[keyIndex];
        else
            row.key = query.lastInsertId();
    } else if (!columns.isEmpty()) {
        QStringList assignments;
        for (int i = 0; i < columns.size(); ++i)
            assignments << columns[i] + QLatin1Char('=') + params[i].first;
        params.emplace_back(QStringLiteral(":key"), row.key);
        execSql(m_db,
                QStringLiteral("UPDATE %1 SET %2 WHERE %3=:key")
                    .arg(m_table, assignments.join(QLatin1Char(',')), m_keyColumn),
                params);
        if (keyIndex >= 0)
            row.key = row.values[keyIndex];
    }
    setState(State::Browse);
    Q_EMIT rowChanged(m_current);
}

void Dataset::cancel()
{
    if (m_state == State::Insert) {
        m_rows.erase(m_rows.begin() + m_current);
        setState(State::Browse);
        Q_EMIT rowsReset();
        setCurrent(m_current);
    } else if (m_state == State::Edit) {
        m_rows[m_current] = m_saved;
        setState(State::Browse);
        Q_EMIT rowChanged(m_current);
    }
}

void Dataset::remove()
{
    requireOpen();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_current < 0)
        throw AppError(QStringLiteral("Ni zapisa za brisanje."));
    if (m_state == State::Edit)
        cancel();
    if (m_table.isEmpty())
        throw AppError(QStringLiteral("Iz poizvedbe ni mogoče brisati."));
    execSql(m_db, QStringLiteral("DELETE FROM %1 WHERE %2=:key").arg(m_table, m_keyColumn),
            {{QStringLiteral(":key"), m_rows[m_current].key}});
    m_rows.erase(m_rows.begin() + m_current);
    Q_EMIT rowsReset();
    m_eof = m_rows.empty();
    setCurrent(m_current);
}

static int compareValues(const QVariant& a, const QVariant& b)
{
    // NULLs first in ascending order.
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull() ? 0 : (a.isNull() ? -1 : 1);
    const QPartialOrdering order = QVariant::compare(a, b);
    if (order == QPartialOrdering::Less)
        return -1;
    if (order == QPartialOrdering::Greater)
        return 1;
    if (order == QPartialOrdering::Equivalent)
        return 0;
    return QString::compare(a.toString(), b.toString(), Qt::CaseInsensitive);
}

void Dataset::applySort()
{
    if (m_sort.isEmpty() || m_rows.empty())
        return;
    QString name = m_sort.trimmed();
    bool descending = false;
    if (name.endsWith(QLatin1String(" desc"), Qt::CaseInsensitive)) {
        descending = true;
        name.chop(5);
        name = name.trimmed();
    }
    const int index = fieldIndex(name);
    if (index < 0)
        return;
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](const Row& a, const Row& b) {
        const int c = compareValues(a.values[index], b.values[index]);
        return descending ? c > 0 : c < 0;
    });
}

void Dataset::setSort(const QString& sort)
{
    m_sort = sort;
    if (!isOpen())
        return;
    if (isEditing())
        post();
    applySort();
    Q_EMIT rowsReset();
    m_eof = m_rows.empty();
    setCurrent(0);
}

} // namespace gibomer

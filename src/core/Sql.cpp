#include "core/Sql.h"

#include "core/Errors.h"

#include <QMetaType>
#include <QSqlError>

namespace gibomer {

static DbError dbError(const QSqlError& error, const QString& sql)
{
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.text();
    return DbError(QStringLiteral("Napaka podatkovne baze: %1").arg(text), sql);
}

QSqlQuery execSql(const QSqlDatabase& db, const QString& sql, const SqlParams& params)
{
    QSqlQuery query(db);
    if (!query.prepare(sql))
        throw dbError(query.lastError(), sql);
    for (const auto& [name, value] : params)
        query.bindValue(name, value);
    if (!query.exec())
        throw dbError(query.lastError(), sql);
    return query;
}

QVariant scalar(const QSqlDatabase& db, const QString& sql, const SqlParams& params)
{
    QSqlQuery query = execSql(db, sql, params);
    if (!query.next())
        return {};
    return query.value(0);
}

void execPrepared(QSqlQuery& query)
{
    if (!query.exec())
        throw dbError(query.lastError(), query.lastQuery());
}

QVariant nullInt()
{
    return QVariant(QMetaType::fromType<int>());
}

QVariant nullDouble()
{
    return QVariant(QMetaType::fromType<double>());
}

Transaction::Transaction(QSqlDatabase db) : m_db(std::move(db))
{
    if (!m_db.transaction())
        throw dbError(m_db.lastError(), QStringLiteral("BEGIN"));
    m_open = true;
}

Transaction::~Transaction()
{
    if (m_open)
        m_db.rollback();
}

void Transaction::commit()
{
    if (!m_db.commit())
        throw dbError(m_db.lastError(), QStringLiteral("COMMIT"));
    m_open = false;
}

} // namespace gibomer

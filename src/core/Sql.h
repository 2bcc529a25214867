// Small helpers for running bound statements and one-transaction work.
#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <utility>
#include <vector>

namespace gibomer {

using SqlParams = std::vector<std::pair<QString, QVariant>>;

// Prepares and runs a statement with named parameters (":p1", ":ATV", ...);
// throws DbError with the database's message when it is refused.
QSqlQuery execSql(const QSqlDatabase& db, const QString& sql, const SqlParams& params = {});
// The first column of the first row, or an invalid QVariant for no row.
QVariant scalar(const QSqlDatabase& db, const QString& sql, const SqlParams& params = {});
// Throws DbError when an already prepared query fails.
void execPrepared(QSqlQuery& query);

// A NULL value of the given kind, for binding.
QVariant nullInt();
QVariant nullDouble();

// Commits at commit(); rolls back if destroyed before (an exception or an early return).
class Transaction
{
public:
    explicit Transaction(QSqlDatabase db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    QSqlDatabase m_db;
    bool m_open = false;
};

} // namespace gibomer

#include "core/Database.h"

#include "core/Errors.h"
#include "core/Sql.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>

namespace gibomer {

static int compareNoCase(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    const QString left = QString::fromUtf8(static_cast<const char*>(a), lengthA);
    const QString right = QString::fromUtf8(static_cast<const char*>(b), lengthB);
    return QString::compare(left, right, Qt::CaseInsensitive);
}

void installUnicodeNoCase(const QSqlDatabase& db)
{
    // Registered for UTF-8, the encoding of our files, so that it replaces
    // the built-in NOCASE rather than standing beside it.
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw AppError(QStringLiteral("Gonilnik podatkovne baze ni SQLite."));
    sqlite3* connection = *static_cast<sqlite3* const*>(handle.constData());
    const int rc = sqlite3_create_collation(connection, "NOCASE", SQLITE_UTF8, nullptr, compareNoCase);
    if (rc != SQLITE_OK)
        throw AppError(QStringLiteral("Primerjave besedil ni mogoče nastaviti (%1).").arg(rc));
}

static bool looksLikeSqlite(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(16);
    return header == QByteArray("SQLite format 3\0", 16);
}

QSqlDatabase openDatabase(const QString& path, const QString& connectionName)
{
    const QFileInfo info(path);
    const bool isNew = !info.exists() || info.size() == 0;
    if (info.exists() && info.size() > 0 && !looksLikeSqlite(path)) {
        throw AppError(QStringLiteral("Datoteke %1 ni mogoče odpreti: ni podatkovna baza SQLite "
                                      "(morda je baza starejše različice programa). Datoteka ni bila spremenjena.")
                           .arg(QFileInfo(path).absoluteFilePath()));
    }

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    if (!db.open()) {
        const QString reason = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        throw AppError(QStringLiteral("Podatkovne baze %1 ni mogoče odpreti: %2").arg(path, reason));
    }
    installUnicodeNoCase(db);

    auto fail = [&](const QString& what) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        throw AppError(QStringLiteral("Podatkovne baze %1 ni mogoče uporabiti: %2").arg(path, what));
    };

    auto isLocked = [](const QSqlError& error) {
        const QString code = error.nativeErrorCode();
        return code == QLatin1String("5") || code == QLatin1String("6") ||
               error.databaseText().contains(QLatin1String("locked"));
    };
    const QString lockedText = QStringLiteral("baza je zaklenjena, ker jo uporablja drug program (%1).");
    if (!isNew) {
        QSqlQuery check(db);
        if (!check.exec(QStringLiteral("PRAGMA quick_check")) || !check.next()) {
            if (isLocked(check.lastError()))
                fail(lockedText.arg(check.lastError().databaseText()));
            fail(QStringLiteral("datoteka je poškodovana (%1).").arg(check.lastError().databaseText()));
        }
        if (check.value(0).toString() != QLatin1String("ok"))
            fail(QStringLiteral("datoteka je poškodovana (%1).").arg(check.value(0).toString()));
    }
    QSqlQuery lock(db);
    if (!lock.exec(QStringLiteral("BEGIN IMMEDIATE")))
        fail(lockedText.arg(lock.lastError().databaseText()));
    lock.exec(QStringLiteral("ROLLBACK"));

    if (isNew)
        execSql(db, QStringLiteral("CREATE TABLE IF NOT EXISTS T_NASTAVITVE (VERZIJA INTEGER)"));
    return db;
}

void closeDatabase(const QString& connectionName)
{
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

} // namespace gibomer

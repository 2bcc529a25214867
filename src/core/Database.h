// Opens the program's SQLite database and gives every connection the
// Unicode case-insensitive text comparison ("Košir" = "KOŠIR").
#pragma once

#include <QSqlDatabase>
#include <QString>

namespace gibomer {

// Opens (creating when missing) the database file under its own connection
// name. Throws AppError naming the file when it is not an SQLite database,
// is damaged or is locked by another program; nothing is overwritten then.
// A new file gets an empty settings table with a VERZIJA column, so that the
// upgrade scripts build it from the first one on.
QSqlDatabase openDatabase(const QString& path, const QString& connectionName);

// Replaces SQLite's ASCII-only NOCASE collation on this connection with one
// that folds every letter. The schema declares text columns COLLATE NOCASE,
// so the file stays readable with the standard sqlite3 tool.
void installUnicodeNoCase(const QSqlDatabase& db);

void closeDatabase(const QString& connectionName);

} // namespace gibomer

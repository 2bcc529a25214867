// A backup copy of the database, written into baza before destructive work
// (emptying the database, replacing an imported school year).
#pragma once

#include <QDateTime>
#include <QString>

namespace gibomer {

class TDM;

// Writes baza/gmr-kopija-<yyyyMMdd-HHmmss>.mdb ("-2", "-3", ... when the name
// is taken) and returns its path. The copy is made by the database itself,
// so it is consistent while the connection is open. Throws DbError.
QString backupDatabase(TDM& dm, const QDateTime& now = QDateTime::currentDateTime());

} // namespace gibomer

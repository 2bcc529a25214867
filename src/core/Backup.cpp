#include "core/Backup.h"

#include "core/DataModule.h"
#include "core/Sql.h"

#include <QFileInfo>

namespace gibomer {

QString backupDatabase(TDM& dm, const QDateTime& now)
{
    const QString stem = QStringLiteral("gmr-kopija-") + now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = dm.folder().bazaFile(stem + QStringLiteral(".mdb"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dm.folder().bazaFile(stem + QStringLiteral("-%1.mdb").arg(n));
    execSql(dm.db(), QStringLiteral("VACUUM INTO :p1"), {{QStringLiteral(":p1"), path}});
    return path;
}

} // namespace gibomer

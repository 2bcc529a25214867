#include "core/ProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace gibomer {

ProgramFolder::ProgramFolder(const QString& root) : m_root(QDir(root).absolutePath()) {}

QString ProgramFolder::baza() const
{
    return m_root + QStringLiteral("/baza");
}

QString ProgramFolder::bazaFile(const QString& name) const
{
    return baza() + QLatin1Char('/') + name;
}

QString ProgramFolder::databaseFile() const
{
    return bazaFile(QStringLiteral("gmr.mdb"));
}

QString ProgramFolder::helpFolder() const
{
    return m_root + QStringLiteral("/help");
}

static void copyMissingFiles(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString target = to + QLatin1Char('/') + info.fileName();
        if (!QFileInfo::exists(target))
            QFile::copy(info.absoluteFilePath(), target);
    }
}

ProgramFolder ProgramFolder::forExecutable(const QString& executableDir)
{
    const QFileInfo dir(executableDir);
    const bool writable =
        dir.isWritable() && (!QFileInfo::exists(executableDir + QStringLiteral("/baza")) ||
                             QFileInfo(executableDir + QStringLiteral("/baza")).isWritable());
    if (writable)
        return ProgramFolder(executableDir);
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    copyMissingFiles(executableDir + QStringLiteral("/baza"), userFolder + QStringLiteral("/baza"));
    copyMissingFiles(executableDir + QStringLiteral("/help"), userFolder + QStringLiteral("/help"));
    return ProgramFolder(userFolder);
}

QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

} // namespace gibomer

#include "support/TestFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace gibomer::test {

QString sourcePath(const QString& relative)
{
    return QStringLiteral(GIBOMER_SOURCE_DIR "/") + relative;
}

QString binPath(const QString& relative)
{
    return QStringLiteral(GIBOMER_BIN_DIR "/") + relative;
}

TestFolder::TestFolder(Norms norms)
{
    QDir().mkpath(baza());
    QDirIterator it(sourcePath(QStringLiteral("baza")), {QStringLiteral("D*.txt")}, QDir::Files);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QFile::copy(info.absoluteFilePath(), baza() + QLatin1Char('/') + info.fileName());
    }
    if (norms == Norms::Default)
        QFile::copy(binPath(QStringLiteral("baza/Tnorme.dat")), baza() + QStringLiteral("/Tnorme.dat"));
}

void TestFolder::writeFile(const QString& relativePath, const QByteArray& content) const
{
    const QString full = m_dir.path() + QLatin1Char('/') + relativePath;
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(content);
}

void TestFolder::removeFile(const QString& relativePath) const
{
    QFile::remove(m_dir.path() + QLatin1Char('/') + relativePath);
}

std::unique_ptr<TDM> TestFolder::openDataModule(Prompter& prompter) const
{
    auto dm = std::make_unique<TDM>(folder(), prompter);
    dm->DataModuleCreate({});
    return dm;
}

} // namespace gibomer::test

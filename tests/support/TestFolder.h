// A temporary program folder with the shipped upgrade scripts in baza/.
#pragma once

#include "core/DataModule.h"
#include "core/ProgramFolder.h"

#include <QTemporaryDir>
#include <memory>

namespace gibomer::test {

class TestFolder
{
public:
    enum class Norms { None, Default };
    explicit TestFolder(Norms norms = Norms::None);

    ProgramFolder folder() const { return ProgramFolder(m_dir.path()); }
    QString path() const { return m_dir.path(); }
    QString baza() const { return folder().baza(); }
    void writeFile(const QString& relativePath, const QByteArray& content) const;
    void removeFile(const QString& relativePath) const;

    // A data module whose DataModuleCreate has run (no password asked).
    std::unique_ptr<TDM> openDataModule(Prompter& prompter) const;

private:
    QTemporaryDir m_dir;
};

QString sourcePath(const QString& relative);
QString binPath(const QString& relative);

} // namespace gibomer::test

// The program folder and the files beneath it. Every routine that touches
// files takes the folder from here, so tests run against a temporary folder.
#pragma once

#include <QString>

namespace gibomer {

class ProgramFolder
{
public:
    explicit ProgramFolder(const QString& root);

    // The folder of the executable, or the per-user data folder when the
    // executable's folder cannot be written (an installed program); the
    // shipped files of baza/ and help/ are then copied there once.
    static ProgramFolder forExecutable(const QString& executableDir);

    QString root() const { return m_root; }
    QString baza() const;
    QString bazaFile(const QString& name) const;
    QString databaseFile() const;
    QString helpFolder() const;

private:
    QString m_root; // absolute, without a trailing separator
};

// Where dialogs propose the user's files: the documents folder when it
// exists, else the home folder (a dialog proposing a missing folder shows its
// name as a file name).
QString documentsFolder();

} // namespace gibomer

// The archive import: a password-protected ZIP file with the school file
// sola.txt and the exchange files, extracted into baza and imported.
#pragma once

#include "exchange/ImportEngine.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace gibomer {

class TDM;
class ProgressDisplay;

struct ImportedMember
{
    QString storedName;
    QString caption;
    ImportSummary summary;
};

struct ArchiveImportSummary
{
    QString schoolName;       // the second line of sola.txt
    QStringList extracted;    // base names written into baza, in archive order
    QStringList notExtracted; // stored names left out (folders, the database's own files)
    QList<ImportedMember> imported;
    QStringList kept; // exchange members whose already imported year the user kept
};

// What the user's No to replacing an already imported year does: the window
// ends the whole archive there; batch work goes on with the next member.
enum class KeptYear
{
    EndsArchive,
    SkipsMember
};

inline const QString WrongPasswordMessage = QStringLiteral("Geslo je napačno! Poskusite ponolno!");

// Deletes baza/sola.txt, then reads every member with the password. A wrong
// password shows WrongPasswordMessage and throws SilentAbort with nothing
// written; an archive that cannot be opened, is damaged, empty or has no
// sola.txt throws AppError, also with nothing written. Then every member is
// written flat into baza under its base name only, sola.txt fills the empty
// school columns of the settings row, and every member whose stored name
// begins with a capital S is read and imported, in archive order. The
// user's No to replacing a year ends the whole archive (ImportDeclined), or
// with KeptYear::SkipsMember only that member, which is listed in `kept`.
ArchiveImportSummary ImportArchive(TDM& dm, const QString& path, const QString& password,
                                   ProgressDisplay& progress, KeptYear keptYear = KeptYear::EndsArchive);

// What a finished archive import tells the user: the school, the years,
// the records and pupils, and what was skipped.
QString archiveImportReport(const ArchiveImportSummary& summary);

// The part of a stored name after its last '/' or '\'.
QString memberBaseName(const QString& storedName);

} // namespace gibomer

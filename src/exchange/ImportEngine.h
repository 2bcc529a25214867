// The import engine: writes the staging table into the database as
// class-year rows, pupils (found again or added) and scored results rows.
#pragma once

#include "core/Errors.h"

#include <QList>
#include <QString>

namespace gibomer {

class TDM;
class ProgressDisplay;

// A staged record that got no results row, and why.
// The user's No to replacing an already imported school year: nothing of
// the run was written.
class ImportDeclined : public SilentAbort
{
};

struct SkippedRecord
{
    int index = 0; // position in the staging table, 0 first
    QString priimek;
    QString ime;
    QString reason;
};

// What one run did.
struct ImportSummary
{
    int recordsRead = 0;
    int classesAdded = 0;
    int pupilsAdded = 0;
    int pupilsReused = 0;
    int resultsWritten = 0;
    QList<SkippedRecord> skipped;
    // The school year was already there and was replaced; the copy of the
    // database made before it was deleted.
    bool replaced = false;
    QString backupPath;
    // Years whose records got no results row because no norm file was found.
    QList<int> yearsWithoutNorms;

    int recordsSkipped() const { return static_cast<int>(skipped.size()); }
};

// Imports every record of dm.RxMMeritve() in one transaction. When the school
// and year of the current record are already in the database, asks whether to
// replace them: No throws SilentAbort with nothing written; Yes first writes a
// backup copy of the database into baza. A record that fails is skipped (what
// it wrote stays); an error that ends the run rolls the whole run back.
ImportSummary ImportStagedRecords(TDM& dm, ProgressDisplay& progress, const QString& caption);

// The pupil with this surname, first name and birth date (a day serial, 0 for
// none): 0 when there is none or a name is empty, the user's choice among
// several (0 for none of them).
int FindPupil(TDM& dm, const QString& priimek, const QString& ime, double rojstvo);

// Lists the candidates with their class history in dm.A_NAJDIUC() and asks the
// user; the chosen pupil's identifier or 0. A birth date of 0 lists every
// pupil of that surname and first name.
int ChoosePupil(TDM& dm, const QString& priimek, const QString& ime, double rojstvo);

// Copies the database file into baza as gmr-kopija-<date>-<time>.mdb and returns
// the copy's path. Must run outside a transaction.
QString BackupDatabase(TDM& dm);

// The text of the already-imported question.
QString alreadyImportedQuestion(const QString& leto);

} // namespace gibomer

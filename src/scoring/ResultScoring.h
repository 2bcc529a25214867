// The scoring of a hand-entered results row before it is saved: the eleven
// T-scores and XT always match the row's raw results.
#pragma once

#include <QDate>
#include <QVariant>

namespace gibomer {

class Dataset;
class ProgramFolder;
class Prompter;

// ROJSTVO as the database holds it (ISO text, or a date); an invalid date
// for an empty or unreadable one.
QDate birthDateFromField(const QVariant& value);

// Runs before a row of A_VNOSV is saved: reads SPOL and ROJSTVO from the
// pupil's current row and RAZRED, VRSTA and LETO_MERITVE from the group's,
// loads the norm table of that year and sets the fields <code>T and XT of
// the results row, which is being edited or inserted. Without a norm file
// the user is told and SilentAbort ends the save.
void A_VNOSVBeforePost(Dataset& results, const Dataset& pupil, const Dataset& group,
                       const ProgramFolder& folder, Prompter& prompter);

} // namespace gibomer

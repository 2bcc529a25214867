// Hand entry of pupils and their yearly results: what the entry window's
// buttons do to the data module's pupil, class-year and results datasets.
#pragma once

#include <QString>

namespace gibomer {

class Dataset;
class TDM;

// Keeps A_VNOSV on the results row of the current pupil in the current
// class-year group; closes it while either of them has no current row.
void A_VNOSUAfterScroll(TDM& dm);

// Reopens a dataset and moves back to the row that was current (by key),
// or to the first row when that one is gone.
void reopenKeepingRow(Dataset& dataset, const QString& keyField);

// The entry window's data actions. A refusal shows its message through the
// data module's prompter and throws SilentAbort, leaving the data unchanged.
class PupilEntry
{
public:
    explicit PupilEntry(TDM& dm);

    // Wires the refresh of the results row to both lists and the scoring to
    // the results dataset.
    void attach();

    // Opens the lists, reading them again (the current pupil and group stay
    // current), and refreshes the results row.
    void show();

    // A new pupil: next free ID, "Moški", entered by hand.
    void addPupil();
    // Asks first; on Yes deletes all the pupil's results rows and the pupil
    // in one transaction. False when the user said No.
    bool deletePupil();
    void checkPupilEditable();

    // A new results row for the current pupil in the current group; refused
    // when the pupil has one there already. A pupil still being added or
    // corrected is saved first, so that the row is scored with the pupil's
    // saved sex and birth date and never points at a pupil that is dropped.
    void addResults();
    void deleteResults();
    void checkResultsEditable();

    // Saves whatever is being edited, pupil first. A results row that cannot
    // be scored (no norm file) stays in editing and the SilentAbort goes on.
    void saveAll();

    static const QString NoPupilText;
    static const QString NoResultsText;
    static const QString HasResultsText;
    static const QString DeletePupilQuestion;

private:
    TDM& m_dm;
};

} // namespace gibomer

// What the user has chosen in the analysis selection: the kind of analysis,
// every field of its pages and the chosen pupil. A plain value, so that
// analyses can be built without any window. Also the pupil search.
#pragma once

#include "core/Sql.h"

#include <QDate>
#include <QString>
#include <optional>

namespace gibomer {

class TDM;
class Dataset;

enum class AnalysisKind
{
    Pupil = 0,
    ClassGrade = 1,
    Generation = 2,
    WholeSchool = 3
};

// The pupil chosen for the pupil analysis (the current row of the search).
struct ChosenPupil
{
    int id = 0;
    QString ime;
    QString priimek;
    QDate rojstvo;
    int spol = 0;
};

struct AnalysisSelection
{
    AnalysisKind kind = AnalysisKind::WholeSchool;

    // Pupil search criteria; empty fields set no condition.
    std::optional<int> genU;    // school year (ending year) of a measurement
    std::optional<int> razredU; // grade in that school year
    QString oddelekU;           // class letter
    std::optional<int> letnikU; // year of birth
    QString priimekU;
    QString imeU;
    int spolU = 0; // radio index: 0 both, 1 boys, 2 girls
    int letoOdU = 0, letoDoU = 0;

    // Grade and/or class.
    int letoOdR = 0, letoDoR = 0;
    std::optional<int> razredR;
    QString oddelekR;
    int spolR = 0;

    // Generation: the grade it attended in the reference school year genG.
    int letoOdG = 0, letoDoG = 0;
    int genG = 0;
    std::optional<int> razredG;
    QString oddelekG;
    int spolG = 0;

    // Whole school.
    int letoOdC = 0, letoDoC = 0;
    int spolC = 0;

    // Whether a search ran and whom it chose.
    enum class PupilState
    {
        NotSearched,
        NoneFound,
        Chosen
    };
    PupilState pupilState = PupilState::NotSearched;
    ChosenPupil pupil;

    bool ostaniNaVrhu = false; // "Ostani na vrhu"
};

// The school year (by its ending year) that is running on this date: from
// September on it is the next calendar year.
int SchoolYearEnd(const QDate& today);

// The selection window's start values for this date: every year range is
// the calendar year and the two before it, the generation's school year is
// the running one, the pupil criteria are empty, the kind is the whole school.
AnalysisSelection defaultSelection(const QDate& today);

// "<year before>/" for a school year given by its ending year.
QString schoolYearPrefix(int endingYear);

// "(condition)" for an empty text, else text + " and (condition)".
QString AppendCondition(const QString& where, const QString& condition);

// A condition twice: as statement text with placeholders and bound values,
// and as readable text with the values written in (what the user's choice
// means, shown in tests and messages).
struct BoundCondition
{
    QString sql;
    QString text;
    SqlParams params;

    bool isEmpty() const { return sql.isEmpty(); }
    // Joins with AppendCondition.
    void append(const BoundCondition& condition);
    // A comparison "lhs op value"; the placeholder is named prefix + a running number.
    static BoundCondition compare(const QString& lhs, const QString& op, const QVariant& value,
                                  const QString& placeholder);
};

// The chosen pupil from the current row of the search result.
void takeChosenPupil(AnalysisSelection& selection, const Dataset& pucenci);

// Replaces and opens dm.A_PUCENCI() with the pupils that fit the criteria,
// ordered by surname and first name, each once. Returns the condition.
BoundCondition FindPupils(TDM& dm, const AnalysisSelection& selection);

// The sort text after a click on a grid title: the field ascending, or
// descending when it was sorted ascending by exactly that field.
QString toggledSort(const QString& currentSort, const QString& field);

} // namespace gibomer

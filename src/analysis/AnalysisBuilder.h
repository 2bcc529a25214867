// Builds an analysis from the selection: the conditions and title of its
// kind, the reference values (A_REFERENCE) and the yearly rows (A_PVRE) of
// the data module, and the chart model drawn from them.
#pragma once

#include "analysis/AnalysisChart.h"
#include "analysis/AnalysisSelection.h"

namespace gibomer {

class TDM;
class Prompter;

struct AnalysisResult
{
    QString title;
    BoundCondition where;          // the analysis condition
    BoundCondition referenceWhere; // the reference condition (pupil kind only)
    ChartModel chart;
};

// Where a build cannot run (no pupil chosen, the search found nobody, a
// generation whose "do leta" lies before "od leta") the user is told through
// dm.prompter() and SilentAbort is thrown; A_PVRE and A_REFERENCE then keep
// the previous analysis. Database errors are thrown as DbError.
AnalysisResult BuildAnalysis(TDM& dm, const AnalysisSelection& selection);

// The messages of the builds that cannot run.
inline constexpr const char* NoPupilMessage =
    "Izberite učenca: poiščite ga z gumbom \"Najdi učenc-a\\e\" in ga označite v seznamu najdenih učencev.";
inline constexpr const char* NoPupilFoundMessage =
    "Iskanje ni našlo nobenega učenca. Spremenite pogoje iskanja in poskusite znova.";
inline constexpr const char* GenerationYearsMessage =
    "Leto \"do leta\" je pred letom \"od leta\". Popravite obdobje, za katero želite pregled generacije.";
inline constexpr const char* EvaluationBandsMessage = "Tezava pri odpiranju T_Vrednotenje-Pregled_izbira";

// The title and conditions alone, without touching the database (the
// same checks apply).
AnalysisResult analysisConditions(Prompter& prompter, const AnalysisSelection& selection);

} // namespace gibomer

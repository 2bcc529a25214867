// The reference data shipped in the upgrade scripts: the evaluation bands of
// T_VREDNOTENJE and the reference results of T_REFERENCNE.
#pragma once

#include <QString>

namespace gibomer {

class NormModel;

// The z of the standard normal distribution below which the fraction p lies.
double inverseNormalCdf(double p);

// The upgrade script that fills the evaluation bands of VRSTA 1: BOLJSI from
// 0,1 to 99,9 in steps of 0,1, T = 50 + 10 z and XT = 50 + 6,5 z where
// BOLJSI = 100 Phi(z). It inserts only when the table has no bands of VRSTA 1
// and then sets VERZIJA to its number.
QString evaluationBandsScript(int version);

// The upgrade script that fills the reference results: for every school
// year firstYear..lastYear, grade 1..9 and SPOL 0 (boys) and 1 (girls), the
// model's means at age grade + 6 (the nearest age the model has; NULL for a
// test it lacks). It inserts only the rows that are absent and then sets
// VERZIJA to its number.
QString referenceResultsScript(const NormModel& model, int version, int firstYear = 1990,
                               int lastYear = 2040);

} // namespace gibomer

// The pupil ranking: the best results of one test under the chosen filters,
// its filter lists, and the tab-separated text that "Kopiraj" copies.
#pragma once

#include "core/Sql.h"

#include <QString>
#include <QStringList>

namespace gibomer {

class Dataset;
class TDM;

// The item that stands for every grade or class; when selected it drops the
// list's condition whatever else is selected.
inline constexpr const char* RankingAll = "Vsi";

// The twelve choices of the test list: the eleven test codes and "XT".
QStringList rankingTests();

// What the filters of the ranking window hold when "Prikaži" is clicked.
struct RankingFilter
{
    QStringList grades;  // selected texts of the grade list, "Vsi" included
    QStringList classes; // selected texts of the class list, "Vsi" included
    QString test = QStringLiteral("ATV");
    int sexIndex = 0; // 0 "Skupaj", 1 "Moški" (SPOL 0), 2 "Ženska" (SPOL 1)
    int topIndex = 0; // 0 "po vrednosti", 1 "po T vrednosti"
    bool yearTicked = false;
    int year = 0;
};

// How many results the ranking lists; rows tied with the last one are kept.
inline constexpr int RankingSize = 50;

struct RankingStatement
{
    QStringList lines;
    SqlParams params;
    // The WHERE conditions in their order (grade, class, sex, year), each wrapped
    // in parentheses and joined with " and "; empty without a condition.
    QString where;
};

// Throws AppError for a test that is not one of rankingTests().
RankingStatement buildRankingStatement(const RankingFilter& filter);

// Sets and opens dm.A_TOP() with the ranking; a title sort chosen earlier stays.
void runRanking(TDM& dm, const RankingFilter& filter);

// The filter lists: "Vsi", then the distinct grades or classes of T_MERITEV
// in ascending order, as text.
QStringList rankingGradeItems(TDM& dm);
QStringList rankingClassItems(TDM& dm);

// The sort that a click on a column title gives: the field ascending, or
// descending when the field is already sorted ascending.
QString titleClickSort(const QString& currentSort, const QString& field);

// Header of the field names, then every row in display order; every field is
// followed by a tab, every line by a carriage return, and one more carriage
// return ends the text. Moves the dataset to its first row.
QString rankingClipboardText(Dataset& ranking);

// The text for the clipboard from dm.A_TOP(); before the first ranking was
// shown, tells the user to show it first and aborts.
QString copyRanking(TDM& dm);

} // namespace gibomer

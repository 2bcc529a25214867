// "Izvoz podatkov": the pupils of a school year, and unless asked otherwise
// their raw results, in the layout of the entry workbook.
#pragma once

#include "exchange/Workbook.h"

#include <vector>

namespace gibomer {

class TDM;

// One sheet per class-year group of the year, in the reverse of the groups'
// order; pupils by sex (boys first), surname and first name. Every cell is
// text; with pupilsOnly the result columns stay empty.
std::vector<WorkbookSheet> buildExportSheets(TDM& dm, int year, bool pupilsOnly);

// Builds the sheets, asks where to save them and writes the workbook; the
// path written, or empty when the user cancelled the save dialog. A year
// without groups, or two groups that would give sheets of the same name,
// show a message and abort with nothing written.
QString ExportYear(TDM& dm, int year, bool pupilsOnly);

} // namespace gibomer

// "Uvoz iz Excela": a filled entry workbook through the staging table into
// the import engine.
#pragma once

#include "exchange/ImportEngine.h"

#include <optional>

namespace gibomer {

class TDM;
class ProgressDisplay;

// "Uvoz iz Excela": asks for the year, lets the user pick the workbook, stages
// it and runs the import engine; afterwards names the sheets whose rows past
// 49 were not read. Nothing is staged or written unless every sheet is sound.
// Returns nullopt when the user cancelled the file dialog.
std::optional<ImportSummary> ImportClassWorkbook(TDM& dm, ProgressDisplay& progress);

} // namespace gibomer

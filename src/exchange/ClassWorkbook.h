// The entry workbook: one sheet per class of a year, named grade + blank +
// class, a header row and one pupil per row. Created empty for a year, and
// read back into the staging table for the import engine.
#pragma once

#include "core/ProgramFolder.h"

#include "exchange/Workbook.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace gibomer {

class TDM;
class Prompter;
class StagingTable;

// Row 1 of every sheet, columns 1..16.
extern const std::array<QString, 16> ClassWorkbookHeader;
inline constexpr int FirstPupilRow = 2;
inline constexpr int LastPupilRow = 49; // 48 pupils per class
// Column widths of the written sheets, in characters.
std::vector<double> classWorkbookColumnWidths();

// RAZRED and ODDELEK as the database gives them (text), for example "5 A".
QString classSheetName(const QString& razred, const QString& oddelek);
// A sheet with the name and the header row.
WorkbookSheet classSheet(const QString& razred, const QString& oddelek);

// "Kreiraj Excel": asks for the year, writes one empty sheet per class of the
// year where the user chooses and returns that path (empty when the user
// cancelled the save dialog). The caller opens it in the spreadsheet program.
QString CreateClassWorkbook(TDM& dm);

// The grade and class a sheet's name stands for.
struct SheetClass
{
    int razred = 0;
    QString oddelek;
};
// Checks every sheet's name, and that no two sheets name the same class,
// before anything is read; a bad name shows its message and aborts.
std::vector<SheetClass> checkClassSheets(Prompter& prompter, const std::vector<WorkbookSheet>& sheets);

// What every staged record of the workbook gets from the database and the prompt.
struct ClassWorkbookDefaults
{
    int sola = 0;
    std::optional<int> vrsta;
    int leto = 0;
};

// Empties the staging table and stages the pupils of rows 2..49 of every
// sheet. Returns the names of the sheets that have pupils past row 49 (not read).
QStringList stageClassWorkbook(Prompter& prompter, const std::vector<WorkbookSheet>& sheets,
                               const ClassWorkbookDefaults& defaults, StagingTable& staging);

// Shared by the workbook operations: the year prompt's answer as a whole
// year, or the message "Napačno vnešeno leto!" and an abort.
int askYear(Prompter& prompter, const QString& caption, const QString& prompt);
// Before a workbook of class sheets is written: a name that a spreadsheet
// program refuses, or two classes of the year with one sheet name, show a
// message and abort. `what` ends the message ("zato ni bil kreiran").
void checkSheetsToWrite(Prompter& prompter, int year, const std::vector<WorkbookSheet>& sheets,
                        const QString& what);
// Asks where to save (proposing the file name in the documents folder) and
// writes the sheets there as .xlsx; ".xlsx" is added to a name without an
// extension. Returns the path written, or an empty text when the user cancels.
QString saveClassSheets(Prompter& prompter, const QString& caption, const QString& proposedName,
                        const std::vector<WorkbookSheet>& sheets);

} // namespace gibomer

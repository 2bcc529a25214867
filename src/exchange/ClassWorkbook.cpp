// The entry workbook: creating it for the classes of a year and staging a
// filled one for the import engine.
#include "exchange/ClassWorkbook.h"

#include "core/DataModule.h"
#include "core/Errors.h"
#include "core/Formats.h"
#include "core/Prompter.h"
#include "core/Sql.h"
#include "exchange/ResultsString.h"
#include "exchange/StagingTable.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QStandardPaths>

namespace gibomer {

namespace {

const QString ClassesOfYear = QStringLiteral("SELECT * FROM T_MERITEV\n"
                                             "WHERE LETO_MERITVE=:p1\n"
                                             "ORDER BY VRSTA,RAZRED,ODDELEK");

const QString NoClassesMessage =
    QStringLiteral("Za izbrano leto ni vnešenih oddelkov, zato ne morete kreirati excel dokumenta!");

} // namespace

const std::array<QString, 16> ClassWorkbookHeader = {
    QStringLiteral("Dan rojstva"),  QStringLiteral("Mesec rojstva"),
    QStringLiteral("Leto rojstva"), QStringLiteral("Priimek in ime"),
    QStringLiteral("Spol"),         QStringLiteral("ATV"),
    QStringLiteral("ATT"),          QStringLiteral("AKG"),
    QStringLiteral("DPR"),          QStringLiteral("SDM"),
    QStringLiteral("PON"),          QStringLiteral("DT"),
    QStringLiteral("PRE"),          QStringLiteral("VZG"),
    QStringLiteral("60m"),          QStringLiteral("600m")};

std::vector<double> classWorkbookColumnWidths()
{
    return {12, 14, 12, 30, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6};
}

QString classSheetName(const QString& razred, const QString& oddelek)
{
    return razred + QLatin1Char(' ') + oddelek;
}

WorkbookSheet classSheet(const QString& razred, const QString& oddelek)
{
    WorkbookSheet sheet(classSheetName(razred, oddelek));
    for (int c = 0; c < int(ClassWorkbookHeader.size()); ++c)
        sheet.setCell(1, c + 1, ClassWorkbookHeader[c]);
    return sheet;
}

static QString withXlsxSuffix(const QString& path)
{
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".xlsx") : path;
}

int askYear(Prompter& prompter, const QString& caption, const QString& prompt)
{
    const QString proposed = QString::number(QDate::currentDate().year());
    const QString text = prompter.inputText(caption, prompt, proposed).value_or(proposed);
    const auto year = parseInteger(text);
    if (!year || *year < 1 || *year > 9999)
        abortWithMessage(prompter, QStringLiteral("Napačno vnešeno leto!"));
    return *year;
}

void checkSheetsToWrite(Prompter& prompter, int year, const std::vector<WorkbookSheet>& sheets,
                        const QString& what)
{
    QStringList names;
    for (const auto& sheet : sheets) {
        const QString problem = sheetNameProblem(sheet.name());
        if (!problem.isEmpty()) {
            abortWithMessage(prompter,
                             QStringLiteral("Oddelek '%1' leta %2 ne more dati imena lista (%3), %4. "
                                            "Popravite oznako oddelka.")
                                 .arg(sheet.name())
                                 .arg(year)
                                 .arg(problem, what));
        }
        names << sheet.name();
    }
    const QString repeated = repeatedSheetName(names);
    if (!repeated.isEmpty()) {
        abortWithMessage(prompter,
                         QStringLiteral("Za leto %1 sta vpisana dva oddelka z imenom '%2'. Delovni zvezek "
                                        "ne more imeti dveh listov z istim imenom, %3.")
                             .arg(year)
                             .arg(repeated, what));
    }
}

QString CreateClassWorkbook(TDM& dm)
{
    Prompter& prompter = dm.prompter();
    const int year =
        askYear(prompter, QStringLiteral("Vpis leta meritve"),
                QStringLiteral("Vpišite leto. Predhodno morate definirati oddelke za izbrano leto!"));
    std::vector<WorkbookSheet> sheets;
    QSqlQuery classes = execSql(dm.db(), ClassesOfYear, {{QStringLiteral(":p1"), year}});
    while (classes.next()) {
        // Each new sheet goes in front of the ones before it.
        sheets.insert(sheets.begin(), classSheet(classes.value(QStringLiteral("RAZRED")).toString(),
                                                 classes.value(QStringLiteral("ODDELEK")).toString()));
    }
    if (sheets.empty())
        abortWithMessage(prompter, NoClassesMessage);

    checkSheetsToWrite(prompter, year, sheets, QStringLiteral("zato ni bil kreiran"));

    return saveClassSheets(prompter, QStringLiteral("Shrani delovni zvezek"),
                           QStringLiteral("Oddelki %1.xlsx").arg(year), sheets);
}

QString saveClassSheets(Prompter& prompter, const QString& caption, const QString& proposedName,
                        const std::vector<WorkbookSheet>& sheets)
{
    const QString chosen = prompter.saveFile(caption, documentsFolder() + QLatin1Char('/') + proposedName,
                                             QStringLiteral("Delovni zvezek Excel (*.xlsx)"));
    if (chosen.isEmpty())
        return {};
    const QString path = withXlsxSuffix(chosen);
    writeWorkbook(path, sheets, classWorkbookColumnWidths());
    return path;
}

std::vector<SheetClass> checkClassSheets(Prompter& prompter, const std::vector<WorkbookSheet>& sheets)
{
    std::vector<SheetClass> classes;
    QStringList names;
    for (const WorkbookSheet& sheet : sheets) {
        const QString name = sheet.name();
        const int blank = name.indexOf(QLatin1Char(' '));
        // Without a blank the grade's text is empty, and the message starts with the blank.
        const QString gradeText = blank < 0 ? QString() : name.left(blank);
        const auto grade = parseInteger(gradeText);
        if (!grade)
            abortWithMessage(prompter, gradeText + QStringLiteral(" ni pravilno vpisan razred"));
        const QString oddelek = name.mid(blank + 1, 3);
        if (oddelek.isEmpty())
            abortWithMessage(prompter, QStringLiteral("Oddelek ni pravilno vpisan !"));
        for (size_t i = 0; i < classes.size(); ++i) {
            // The database compares class labels without regard to letter case.
            if (classes[i].razred == *grade && classes[i].oddelek.toCaseFolded() == oddelek.toCaseFolded()) {
                abortWithMessage(
                    prompter,
                    QStringLiteral("Lista '%1' in '%2' sta za isti razred in oddelek (%3). Uvoz ni bil "
                                   "izveden; preimenujte ali združite lista.")
                        .arg(names[int(i)], name, classSheetName(QString::number(*grade), oddelek)));
            }
        }
        classes.push_back({*grade, oddelek});
        names << name;
    }
    return classes;
}

QStringList stageClassWorkbook(Prompter& prompter, const std::vector<WorkbookSheet>& sheets,
                               const ClassWorkbookDefaults& defaults, StagingTable& staging)
{
    const std::vector<SheetClass> classes = checkClassSheets(prompter, sheets);
    staging.clear();
    QStringList cutSheets;
    for (size_t i = 0; i < sheets.size(); ++i) {
        const WorkbookSheet& sheet = sheets[i];
        for (int row = FirstPupilRow; row <= LastPupilRow; ++row) {
            const QString name = sheet.cell(row, 4);
            if (name.isEmpty())
                continue;
            StagedRecord& record = staging.insert();
            record.setSola(defaults.sola);
            if (defaults.vrsta)
                record.setVrsta(*defaults.vrsta);
            record.setRazred(classes[i].razred);
            record.setOddelek(classes[i].oddelek);
            record.setLeto(defaults.leto);
            record.setSpol(sheet.cell(row, 5) == QLatin1String("500") ? 0 : 1);

            const QString day = sheet.cell(row, 1);
            const QString dateText = day.isEmpty() ? QStringLiteral("1.1.") + sheet.cell(row, 3)
                                                   : day + QLatin1Char('.') + sheet.cell(row, 2) +
                                                         QLatin1Char('.') + sheet.cell(row, 3);
            if (const auto date = parseDate(dateText))
                record.setRojstvo(serialFromDate(*date));

            const int blank = name.indexOf(QLatin1Char(' '));
            record.setPriimek(blank < 0 ? QString() : name.left(blank));
            record.setIme(name.mid(blank + 1));

            QStringList results;
            for (int c = 6; c <= 16; ++c)
                results << sheet.cell(row, c);
            record.setMeritve(PackResultsFromCells(results));
        }
        for (int row = LastPupilRow + 1; row <= sheet.lastRow(); ++row) {
            if (!sheet.cell(row, 4).isEmpty()) {
                cutSheets << sheet.name();
                break;
            }
        }
    }
    return cutSheets;
}

} // namespace gibomer

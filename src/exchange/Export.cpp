// The export of a school year into a workbook.
#include "exchange/Export.h"

#include "core/DataModule.h"
#include "core/Errors.h"
#include "core/Formats.h"
#include "core/Prompter.h"
#include "core/Sql.h"
#include "core/TestTables.h"
#include "exchange/ClassWorkbook.h"

#include <QSqlQuery>

namespace gibomer {

namespace {

const QString GroupsOfYear = QStringLiteral("SELECT * FROM T_MERITEV\n"
                                            "WHERE LETO_MERITVE=:p1\n"
                                            "ORDER BY ID_MERITEV");

// An inner join: a results row whose pupil is missing is not exported.
const QString PupilsOfGroup =
    QStringLiteral("SELECT u.PRIIMEK,u.IME,u.ROJSTVO,u.SPOL,v.*\n"
                   "FROM T_VREDNOST v JOIN T_UCENEC u ON (v.ID_UCENEC=u.ID_UCENEC)\n"
                   "WHERE v.ID_MERITEV=:p1\n"
                   "ORDER BY u.SPOL,u.PRIIMEK,u.IME");

// The stored birth date, or an invalid date for none (NULL, empty, or the
// empty serial 30.12.1899).
QDate birthDate(const QVariant& stored)
{
    const QDate date = QDate::fromString(stored.toString().left(10), Qt::ISODate);
    if (!date.isValid() || date == serialEpoch())
        return {};
    return date;
}

} // namespace

std::vector<WorkbookSheet> buildExportSheets(TDM& dm, int year, bool pupilsOnly)
{
    std::vector<WorkbookSheet> sheets;
    QSqlQuery groups = execSql(dm.db(), GroupsOfYear, {{QStringLiteral(":p1"), year}});
    while (groups.next()) {
        WorkbookSheet sheet = classSheet(groups.value(QStringLiteral("RAZRED")).toString(),
                                         groups.value(QStringLiteral("ODDELEK")).toString());
        QSqlQuery pupils = execSql(dm.db(), PupilsOfGroup,
                                   {{QStringLiteral(":p1"), groups.value(QStringLiteral("ID_MERITEV"))}});
        int row = FirstPupilRow;
        while (pupils.next()) {
            const QDate born = birthDate(pupils.value(QStringLiteral("ROJSTVO")));
            if (born.isValid()) {
                sheet.setCell(row, 1, born.toString(QStringLiteral("dd")));
                sheet.setCell(row, 2, born.toString(QStringLiteral("MM")));
                sheet.setCell(row, 3, born.toString(QStringLiteral("yyyy")));
            }
            sheet.setCell(row, 4,
                          pupils.value(QStringLiteral("PRIIMEK")).toString() + QLatin1Char(' ') +
                              pupils.value(QStringLiteral("IME")).toString());
            const QVariant spol = pupils.value(QStringLiteral("SPOL"));
            sheet.setCell(
                row, 5, !spol.isNull() && spol.toInt() == 1 ? QStringLiteral("505") : QStringLiteral("500"));
            if (!pupilsOnly) {
                for (int i = 1; i <= TestCount; ++i) {
                    const QVariant value = pupils.value(QString::fromLatin1(TestCodes[i]));
                    if (!value.isNull())
                        sheet.setCell(row, 5 + i, formatGeneral(value.toDouble()));
                }
            }
            ++row;
        }
        // Each new sheet goes in front of the ones before it.
        sheets.insert(sheets.begin(), std::move(sheet));
    }
    return sheets;
}

QString ExportYear(TDM& dm, int year, bool pupilsOnly)
{
    Prompter& prompter = dm.prompter();
    const std::vector<WorkbookSheet> sheets = buildExportSheets(dm, year, pupilsOnly);
    if (sheets.empty())
        abortWithMessage(prompter,
                         QStringLiteral("Za leto %1 ni vnešenih oddelkov, zato ni kaj izvoziti.").arg(year));
    checkSheetsToWrite(prompter, year, sheets, QStringLiteral("zato izvoz ni bil izveden"));
    return saveClassSheets(prompter, QStringLiteral("Shrani izvoz podatkov"),
                           QStringLiteral("Izvoz %1.xlsx").arg(year), sheets);
}

} // namespace gibomer

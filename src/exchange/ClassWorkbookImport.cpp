#include "exchange/ClassWorkbookImport.h"

#include "core/DataModule.h"
#include "core/Errors.h"
#include "core/Prompter.h"
#include "core/Sql.h"
#include "exchange/ClassWorkbook.h"

#include <QSqlQuery>

namespace gibomer {

std::optional<ImportSummary> ImportClassWorkbook(TDM& dm, ProgressDisplay& progress)
{
    Prompter& prompter = dm.prompter();
    const int year = askYear(prompter, QStringLiteral("Vpis leta meritev za uvoz"),
                             QStringLiteral("Vpišite leto, katerega želite uvoziti!"));
    QSqlQuery classes = execSql(dm.db(),
                                QStringLiteral("SELECT * FROM T_MERITEV\nWHERE LETO_MERITVE=:p1\n"
                                               "ORDER BY VRSTA,RAZRED,ODDELEK"),
                                {{QStringLiteral(":p1"), year}});
    if (!classes.next()) {
        abortWithMessage(
            prompter,
            QStringLiteral("Za izbrano leto ni vnešenih oddelkov, zato ne morete kreirati excel dokumenta!"));
    }
    ClassWorkbookDefaults defaults;
    defaults.sola = classes.value(QStringLiteral("ID_SOLA")).toInt(); // 0 when empty
    const QVariant vrsta = classes.value(QStringLiteral("VRSTA"));
    if (!vrsta.isNull())
        defaults.vrsta = vrsta.toInt();
    defaults.leto = year;
    classes.finish();

    const QString path =
        prompter.openFile(QStringLiteral("Uvoz iz Excela"), documentsFolder() + QStringLiteral("/test.xls"),
                          QStringLiteral("Delovni zvezki Excel (*.xls *.xlsx);;Vse datoteke (*)"));
    if (path.isEmpty())
        return std::nullopt;

    std::vector<WorkbookSheet> sheets;
    try {
        sheets = readWorkbook(path);
    } catch (const WorkbookError& error) {
        abortWithMessage(prompter, error.message());
    }
    StagingTable& staging = dm.RxMMeritve();
    const QStringList cutSheets = stageClassWorkbook(prompter, sheets, defaults, staging);
    if (staging.isEmpty())
        abortWithMessage(prompter,
                         QStringLiteral("V delovnem zvezku ni nobenega učenca (stolpec \"Priimek in ime\" "
                                        "je prazen v vrsticah od 2 do 49)."));

    const ImportSummary summary = ImportStagedRecords(dm, progress, QString());
    if (!cutSheets.isEmpty()) {
        prompter.message(
            QStringLiteral("Na listu %1 je več kot 48 učencev. Uvoženi so le učenci iz vrstic od 2 do 49; "
                           "ostale vrstice niso bile prebrane.")
                .arg(QLatin1Char('\'') + cutSheets.join(QStringLiteral("', '")) + QLatin1Char('\'')));
    }
    if (!summary.skipped.isEmpty()) {
        // The engine goes on past a pupil whose results do not read; the
        // user typed them, so name the pupils whose results are missing.
        constexpr int Shown = 10;
        QStringList lines;
        for (int i = 0; i < summary.skipped.size() && i < Shown; ++i) {
            const SkippedRecord& s = summary.skipped[i];
            lines << QStringLiteral("%1 %2: %3").arg(s.priimek, s.ime, s.reason);
        }
        if (summary.skipped.size() > Shown)
            lines << QStringLiteral("... in še %1").arg(summary.skipped.size() - Shown);
        prompter.message(QStringLiteral("Učenci, katerih rezultatov ni bilo mogoče uvoziti (%1):\n")
                             .arg(summary.skipped.size()) +
                         lines.join(QLatin1Char('\n')));
    }
    return summary;
}

} // namespace gibomer

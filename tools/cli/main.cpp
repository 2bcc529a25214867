// gibomer-cli: the imports, workbooks, reports and norm files of Gibomer as
// commands, on the same program folder and database as the windows.
#include "Commands.h"

#include "core/Errors.h"
#include "core/Formats.h"

#include <QApplication>
#include <QMap>
#include <cstdlib>

using namespace gibomer;
using namespace gibomer::cli;

namespace {

const char* const Overview =
    "Uporaba: gibomer-cli UKAZ [IZBIRE]\n"
    "\n"
    "Ukazi:\n"
    "  import-archive   uvoz arhiva ZIP z geslom\n"
    "  import-workbook  uvoz izpolnjenega delovnega zvezka za leto\n"
    "  create-workbook  prazen delovni zvezek z oddelki leta\n"
    "  export-workbook  izvoz učencev leta (in njihovih rezultatov) v delovni zvezek\n"
    "  report           pregled kot poročilo PDF ali tabela CSV\n"
    "  report-all       poročila vseh najdenih učencev v enem PDF\n"
    "  norms            datoteke s t-normami: build in dump\n"
    "  info             stanje podatkovne baze in datoteke s t-normami\n"
    "\n"
    "Ukazi s podatkovno bazo delajo v mapi programa; druga mapa: --folder MAPA.\n"
    "Bazo, zaščiteno z geslom, odpre --password-start GESLO (brez njega ukaz odneha).\n"
    "Geslo \"-\" (pri --password in --password-start) se prebere kot vrstica s standardnega vhoda.\n"
    "Podrobnosti: gibomer-cli UKAZ --help\n"
    "Izhodne kode: 0 uspeh, 1 napaka (sporočilo na standardnem izhodu za napake), 2 napačni argumenti.\n";

const QMap<QString, const char*> CommandHelp = {
    {QStringLiteral("import-archive"),
     "gibomer-cli import-archive ARHIV.zip --password GESLO [--replace | --keep] [--match first | --match "
     "new]\n"
     "  Razpakira arhiv v mapo baza, vpiše podatke o šoli in uvozi vsa leta arhiva.\n"
     "  --replace   leto, ki je že v bazi, zbriše (prej naredi varnostno kopijo baze) in uvozi znova\n"
     "  --keep      leto, ki je že v bazi, ostane in je izpisano; ostala leta se uvozijo (tudi brez izbire)\n"
     "  --match     kadar več učencev ustreza imenu in datumu rojstva: first izbere prvega,\n"
     "              new (privzeto) doda novega učenca\n"
     "  Primer: gibomer-cli import-archive sola.zip --password telovadba --keep\n"},
    {QStringLiteral("import-workbook"),
     "gibomer-cli import-workbook ZVEZEK.xlsx --year LETO [--replace | --keep] [--match first | --match "
     "new]\n"
     "  Uvozi izpolnjen delovni zvezek (.xlsx ali .xls) za leto, katerega oddelki so že vpisani.\n"
     "  Leto z vpisanimi oddelki šole velja za že uvoženo: brez --replace ostane, kot je, in se ne uvozi.\n"
     "  Primer: gibomer-cli import-workbook \"Oddelki 2024.xlsx\" --year 2024 --replace\n"},
    {QStringLiteral("create-workbook"),
     "gibomer-cli create-workbook --year LETO --out ZVEZEK.xlsx\n"
     "  Zapiše prazen delovni zvezek z enim listom za vsak oddelek leta.\n"
     "  Primer: gibomer-cli create-workbook --year 2025 --out \"Oddelki 2025.xlsx\"\n"},
    {QStringLiteral("export-workbook"),
     "gibomer-cli export-workbook --year LETO [--pupils-only] --out ZVEZEK.xlsx\n"
     "  Izvozi učence leta z njihovimi rezultati (z --pupils-only brez rezultatov).\n"
     "  Primer: gibomer-cli export-workbook --year 2024 --out \"Izvoz 2024.xlsx\"\n"},
    {QStringLiteral("report"),
     "gibomer-cli report --kind pupil|class|generation|school [IZBIRE] (--pdf IZHOD.pdf | --csv IZHOD.csv)\n"
     "  --from LETO --to LETO     obdobje (šolsko leto po letu, v katerem se konča)\n"
     "  --sex all|m|f            spol (class, generation, school)\n"
     "  --grade R --class O      razred in oddelek (class, generation; pri pupil razred referenc)\n"
     "  --generation-year LETO   šolsko leto, v katerem je generacija v razredu --grade\n"
     "  učenec (pupil): --pupil-id N ali --surname PRIIMEK [--name IME] [--born dd.mm.llll]\n"
     "  --notes                  natisne opombe na poročilu\n"
     "  --pdf zapiše natisnjeno poročilo z grafi, --csv tabelo pregleda (let po vrsticah,\n"
     "  vrednosti z decimalno vejico, ločene s podpičjem).\n"
     "  Primer: gibomer-cli report --kind generation --generation-year 2024 --grade 9 --from 2019 --to 2024"
     " --pdf generacija.pdf\n"},
    {QStringLiteral("report-all"),
     "gibomer-cli report-all [--surname P] [--name I] [--birth-year L] [--school-year L] [--grade R]\n"
     "                       [--class O] [--sex all|m|f] [--from LETO --to LETO] [--notes] --pdf IZHOD.pdf\n"
     "  Poišče učence kot iskanje v izbiri pregleda in zapiše pregled vsakega v en PDF, po vrsti iskanja.\n"
     "  Primer: gibomer-cli report-all --school-year 2024 --grade 9 --class A --from 2016 --to 2024"
     " --pdf 9a.pdf\n"},
    {QStringLiteral("norms"),
     "gibomer-cli norms build MODEL.csv IZHOD.dat\n"
     "  Iz modela (vrstice spol,starost,test,oznaka,povprečje,odklon) zgradi datoteko s t-normami.\n"
     "gibomer-cli norms dump DATOTEKA.dat [--sex 1|2] [--age 7..20] [--test 1..11]\n"
     "  Izpiše datoteko s t-normami kot tabelo.\n"
     "  Primer: gibomer-cli norms dump baza/Tnorme.dat --sex 2 --age 12 --test 5\n"},
    {QStringLiteral("info"),
     "gibomer-cli info\n"
     "  Izpiše podatkovno bazo, VERZIJA, število učencev, po letih oddelke, vrstice rezultatov in\n"
     "  učence, in najdene datoteke s t-normami.\n"
     "  Primer: gibomer-cli info --folder /srv/gibomer/os-lipa\n"},
};

const QMap<QString, int (*)(const QStringList&)> Commands = {
    {QStringLiteral("import-archive"), importArchive},
    {QStringLiteral("import-workbook"), importWorkbook},
    {QStringLiteral("create-workbook"), createWorkbook},
    {QStringLiteral("export-workbook"), exportWorkbook},
    {QStringLiteral("report"), report},
    {QStringLiteral("report-all"), reportAll},
    {QStringLiteral("norms"), norms},
    {QStringLiteral("info"), info},
};

bool asksForHelp(const QStringList& args)
{
    return args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"));
}

QString errorText(const AppError& error)
{
    return error.details().isEmpty()
               ? error.message()
               : error.message() + QStringLiteral(" (") + error.details() + QLatin1Char(')');
}

} // namespace

int main(int argc, char** argv)
{
    // The reports draw their charts with widgets, which need an application
    // object but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Gibomer"));
    app.setOrganizationName(QStringLiteral("Gibomer"));
    applyProgramFormats();

    QStringList args = app.arguments().mid(1);
    const QString command = args.isEmpty() ? QString() : args.takeFirst();
    if (command.isEmpty()) {
        printErr(QStringLiteral("Manjka ukaz.\n") + QString::fromUtf8(Overview).trimmed());
        return ExitUsage;
    }
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        const QString topic = args.value(0);
        printOut(CommandHelp.contains(topic) ? QString::fromUtf8(CommandHelp.value(topic)).trimmed()
                                             : QString::fromUtf8(Overview).trimmed());
        return ExitOk;
    }
    const auto run = Commands.value(command);
    if (!run) {
        printErr(QStringLiteral("Neznan ukaz %1.\n").arg(command) + QString::fromUtf8(Overview).trimmed());
        return ExitUsage;
    }
    if (asksForHelp(args)) {
        printOut(QString::fromUtf8(CommandHelp.value(command)).trimmed());
        return ExitOk;
    }
    try {
        return run(args);
    } catch (const UsageError& error) {
        printErr(error.text + QStringLiteral("\nUporaba: ") +
                 QString::fromUtf8(CommandHelp.value(command)).section(QLatin1Char('\n'), 0, 0) +
                 QStringLiteral("\nVeč: gibomer-cli %1 --help").arg(command));
        return ExitUsage;
    } catch (const SilentAbort&) {
        // The message that ended the work has been printed already.
        return ExitFailure;
    } catch (const AppError& error) {
        printErr(errorText(error));
        return ExitFailure;
    } catch (const std::exception& error) {
        printErr(QString::fromLocal8Bit(error.what()));
        return ExitFailure;
    }
}

// Opening the program folder's database for a command.
#include "Commands.h"

#include "core/DataModule.h"
#include "core/Errors.h"
#include "core/Password.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace gibomer::cli {

std::vector<OptionSpec> withDatabaseOptions(std::vector<OptionSpec> specs)
{
    specs.push_back({QStringLiteral("folder")});
    specs.push_back({QStringLiteral("password-start")});
    return specs;
}

std::unique_ptr<TDM> openDatabase(const Arguments& args, CliPrompter& prompter)
{
    std::optional<ProgramFolder> folder;
    if (args.has(QStringLiteral("folder"))) {
        const QString dir = args.required(QStringLiteral("folder"));
        if (!QFileInfo(dir).isDir())
            throw AppError(QStringLiteral("Mapa %1 ne obstaja.").arg(QDir::toNativeSeparators(dir)));
        folder.emplace(dir);
    } else {
        folder.emplace(ProgramFolder::forExecutable(QCoreApplication::applicationDirPath()));
    }
    // Without the database and without the script that creates it, an empty
    // file without tables would be made and every statement would fail.
    if (!QFileInfo::exists(folder->databaseFile()) &&
        !QFileInfo::exists(folder->bazaFile(TDM::scriptName(1)))) {
        throw AppError(QStringLiteral("V mapi %1 ni podatkovne baze baza/gmr.mdb ne skripte baza/%2, ki jo "
                                      "ustvari.")
                           .arg(QDir::toNativeSeparators(folder->root()), TDM::scriptName(1)));
    }

    auto dm = std::make_unique<TDM>(*folder, prompter);
    const QString typed = secretValue(args.value(QStringLiteral("password-start")));
    const bool given = args.has(QStringLiteral("password-start"));
    bool refused = false;
    const bool mayRun = dm->DataModuleCreate([&] {
        const QString stored = dm->A_NASTAVITVE().field(QStringLiteral("GESLo")).toString();
        refused = given;
        return given && passwordMatches(stored, typed);
    });
    if (!mayRun) {
        if (refused)
            throw AppError(QStringLiteral("Napačno geslo!"));
        throw AppError(QStringLiteral("Podatkovna baza je zaščitena z geslom. Podajte ga z izbiro "
                                      "--password-start GESLO."));
    }
    return dm;
}

} // namespace gibomer::cli

// The batch commands. Each reads its arguments, runs the core's operation on
// the program folder's database and prints a summary; the exit code says
// how it went.
#pragma once

#include "Arguments.h"
#include "Console.h"

#include <QString>
#include <memory>
#include <vector>

namespace gibomer {
class TDM;
}

namespace gibomer::cli {

inline constexpr int ExitOk = 0;
inline constexpr int ExitFailure = 1;
inline constexpr int ExitUsage = 2;

// --folder and --password-start, which every command with a database takes.
std::vector<OptionSpec> withDatabaseOptions(std::vector<OptionSpec> specs);

// The data module of the folder the arguments name (or of the program's own
// folder), created and upgraded. Throws AppError when it cannot be used: a
// missing folder, a refused password.
std::unique_ptr<TDM> openDatabase(const Arguments& args, CliPrompter& prompter);

int importArchive(const QStringList& args);
int importWorkbook(const QStringList& args);
int createWorkbook(const QStringList& args);
int exportWorkbook(const QStringList& args);
int report(const QStringList& args);
int reportAll(const QStringList& args);
int norms(const QStringList& args);
int info(const QStringList& args);

} // namespace gibomer::cli

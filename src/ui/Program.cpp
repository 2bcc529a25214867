#include "ui/Program.h"

#include "ui/core/GibomerApplication.h"
#include "ui/core/UF_GESLO.h"
#include "ui/core/UF_MAIN.h"
#include "ui/core/UF_MERILEC.h"

namespace gibomer {

Program::Program(const ProgramFolder& folder, Prompter& prompter) : m_prompter(prompter)
{
    m_main = std::make_unique<TF_MAIN>(folder, prompter);
    m_dm = std::make_unique<TDM>(folder, prompter);
    m_geslo = std::make_unique<TF_GESLO>(prompter, [this] {
        Dataset& settings = m_dm->A_NASTAVITVE();
        return settings.hasField(QStringLiteral("GESLo")) ? settings.field(QStringLiteral("GESLo")).toString()
                                                           : QString();
    });
    runReported([&] { m_mayRun = m_dm->DataModuleCreate([this] { return m_geslo->ask(); }); });
    createWindows();
    connectMenu();
}

Program::~Program() = default;

void Program::createWindows()
{
    // Each window's creation is reported on its own; start-up goes on.
    runReported([&] { m_merilec = std::make_unique<TF_MERILEC>(); });
}

void Program::connectMenu() {}

} // namespace gibomer

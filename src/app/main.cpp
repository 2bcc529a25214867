// Gibomer: the yearly physical-fitness results of a school's pupils.
#include "core/ProgramFolder.h"
#include "ui/Program.h"
#include "ui/core/GibomerApplication.h"
#include "ui/core/QtPrompter.h"
#include "ui/core/UF_MAIN.h"

#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char** argv)
{
    gibomer::GibomerApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Gibomer"));
    app.setOrganizationName(QStringLiteral("Gibomer"));
    // Qt's own dialogs (file dialogs, the print preview) in Slovenian too.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qt_sl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTexts);

    const gibomer::ProgramFolder folder = gibomer::ProgramFolder::forExecutable(app.applicationDirPath());
    gibomer::QtPrompter prompter;
    gibomer::Program program(folder, prompter);
    if (!program.mayRun())
        return 0;
    program.main().show();
    return app.exec();
}

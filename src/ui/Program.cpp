#include "ui/Program.h"

#include "ui/analysis/ReportPrinting.h"
#include "ui/analysis/UF_PREGLEDI.h"
#include "ui/analysis/UF_PREGLEDI_IZBIRA.h"
#include "ui/analysis/UF_PREGLEDI_IZTIS.h"
#include "ui/analysis/UF_PRIMERJALNA_ANLIZA.h"
#include "ui/analysis/UF_UREDIGRAF.h"
#include "ui/core/GibomerApplication.h"
#include "ui/core/QtPrompter.h"
#include "ui/core/UF_GESLO.h"
#include "ui/core/UF_MAIN.h"
#include "ui/core/UF_MERILEC.h"
#include "ui/exchange/UF_IZVOZ.h"
#include "ui/exchange/UF_NAJDIUCENCA.h"
#include "ui/exchange/UF_UVOZDISKETE.h"
#include "ui/records/UF_NASTAVITVE.h"
#include "ui/records/UF_ODDELKI.h"
#include "ui/records/UF_PREGLEDUCENCEV.h"
#include "ui/records/UF_VNOSU.h"

#include <QCheckBox>

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
    // The matching dialog answers the prompter's pupil choice.
    auto createMatchingDialog = [&] {
        m_najdiUcenca = std::make_unique<TF_NAJDIUCENCA>(m_main.get());
        if (auto* dialogs = dynamic_cast<QtPrompter*>(&m_prompter))
            dialogs->pupilChooser = [this](const QList<PupilCandidate>& candidates) {
                return m_najdiUcenca->choose(candidates);
            };
    };
    if (!m_dm->isConnected()) {
        // Without a database only the windows that need none exist.
        runReported(createMatchingDialog);
        return;
    }
    // The fixed order of the long-lived windows.
    runReported([&] { createAnalysisWindows(); }); // TF_PREGLEDI, TF_PREGLEDI_IZBIRA, TF_UREDIGRAF
    runReported(createMatchingDialog);
    runReported([&] { m_nastavitve = std::make_unique<TF_NASTAVITVE>(*m_dm, m_main.get()); });
    if (m_merilec)
        runReported(
            [&] { m_uvozDiskete = std::make_unique<TF_UVOZDISKETE>(*m_dm, *m_merilec, m_main.get()); });
    runReported([&] { m_vnosu = std::make_unique<TF_VNOSU>(*m_dm, m_main.get()); });
    if (m_pregledi && m_pregledIzbira)
        runReported([&] { createReportPrinting(); }); // TF_PREGLEDI_IZTIS
    runReported([&] { m_oddelki = std::make_unique<TF_ODDELKI>(*m_dm, m_main.get()); });
    if (m_vnosu) {
        m_vnosu->setClassRegister(m_oddelki.get());
        if (m_merilec)
            runReported([&] { addClassWorkbookButtons(*m_vnosu, *m_dm, *m_merilec); });
    }
    runReported([&] { m_izvoz = std::make_unique<TF_IZVOZ>(*m_dm, m_main.get()); });
    runReported([&] { m_pregledUcencev = std::make_unique<TF_PREGLEDUCENCEV>(*m_dm, m_main.get()); });
}

void Program::createAnalysisWindows()
{
    m_pregledi = std::make_unique<TF_PREGLEDI>(*m_dm, m_main.get());
    m_pregledIzbira = std::make_unique<TF_PREGLEDI_IZBIRA>(*m_dm, *m_pregledi);
    m_urediGraf = std::make_unique<TF_UREDIGRAF>(*m_dm, m_pregledi.get());
    m_pregledi->setSelectionWindow(m_pregledIzbira.get());
    m_pregledi->setChartSettings(m_urediGraf.get());
    m_urediGraf->setSelectionWindow(m_pregledIzbira.get());
}

// "Natisni pregled" of the analysis view and "Natisni vse" of the selection.
void Program::createReportPrinting()
{
    m_reportPrinter = std::make_unique<AnalysisReportPrinter>(*m_dm);
    m_reportPrinter->mainChart = m_pregledi->DBChart;
    m_reportPrinter->xtChart = m_pregledi->DBChartX;
    m_reportPrinter->parentWindow = m_pregledi.get();
    m_reportPrinter->printNotes = [this] { return m_urediGraf && m_urediGraf->cbOpombe->isChecked(); };
    m_pregledi->setPrintHandler([this] { m_reportPrinter->printAnalysis(m_pregledi->PreviewReport); });
    m_preglediIztis = std::make_unique<TF_PREGLEDI_IZTIS>(*m_reportPrinter, m_pregledIzbira.get());
    m_preglediIztis->buildAnalysis = [this] { m_pregledIzbira->BuildAnalysis(); };
    m_pregledIzbira->setShowBatchPrint([this] { m_preglediIztis->exec(); });
}

void Program::connectMenu()
{
    if (m_pregledi)
        m_main->setMenuHandler(QStringLiteral("Analize1"), [this] { m_pregledi->exec(); });
    if (m_nastavitve)
        m_main->setMenuHandler(QStringLiteral("N3"), [this] { m_nastavitve->exec(); });
    if (m_vnosu)
        m_main->setMenuHandler(QStringLiteral("Vnosuencev1"), [this] { m_vnosu->exec(); });
    if (m_pregledUcencev)
        m_main->setMenuHandler(QStringLiteral("Pregleduencev1"), [this] { m_pregledUcencev->exec(); });
    if (m_izvoz)
        m_main->setMenuHandler(QStringLiteral("Izvozpodatkov1"), [this] { m_izvoz->exec(); });
    if (m_uvozDiskete)
        m_main->setArchiveImportHandler([this](const QString& path) {
            m_uvozDiskete->ArchivePath = path;
            m_uvozDiskete->exec();
        });
    // A new comparative window at every click; it frees itself when closed.
    m_main->setMenuHandler(QStringLiteral("Primerjalneanalize1"),
                           [this] { (new TF_PRIMERJALNA_ANLIZA(m_dm->folder(), m_main.get()))->show(); });
}

} // namespace gibomer

// Start-up in its fixed order: the main window, the password dialog, the
// data module, then every long-lived window, hidden.
#pragma once

#include "core/DataModule.h"
#include "core/ProgramFolder.h"

#include <memory>

namespace gibomer {

class Prompter;
class TF_MAIN;
class TF_GESLO;
class TF_MERILEC;
class TF_PREGLEDI;
class TF_PREGLEDI_IZBIRA;
class TF_UREDIGRAF;
class TF_NASTAVITVE;
class TF_VNOSU;
class TF_ODDELKI;
class TF_PREGLEDUCENCEV;
class TF_NAJDIUCENCA;
class TF_UVOZDISKETE;
class TF_IZVOZ;
class AnalysisReportPrinter;
class TF_PREGLEDI_IZTIS;

class Program
{
public:
    Program(const ProgramFolder& folder, Prompter& prompter);
    ~Program();

    // False when start-up decided that the program ends (password refused).
    bool mayRun() const { return m_mayRun; }

    TF_MAIN& main() { return *m_main; }
    TF_GESLO& geslo() { return *m_geslo; }
    TDM& dm() { return *m_dm; }
    TF_MERILEC& merilec() { return *m_merilec; }
    // The analysis view, its selection window and the chart settings (null without a database).
    TF_PREGLEDI* pregledi() { return m_pregledi.get(); }
    TF_PREGLEDI_IZBIRA* pregledIzbira() { return m_pregledIzbira.get(); }
    TF_UREDIGRAF* urediGraf() { return m_urediGraf.get(); }
    TF_PREGLEDI_IZTIS* preglediIztis() { return m_preglediIztis.get(); }
    // Null when the window could not be created (no database).
    TF_NASTAVITVE* nastavitve() { return m_nastavitve.get(); }
    TF_VNOSU* vnosu() { return m_vnosu.get(); }
    TF_ODDELKI* oddelki() { return m_oddelki.get(); }
    TF_PREGLEDUCENCEV* pregledUcencev() { return m_pregledUcencev.get(); }
    // The pupil matching dialog of the import and the archive import window.
    TF_NAJDIUCENCA* najdiUcenca() { return m_najdiUcenca.get(); }
    TF_UVOZDISKETE* uvozDiskete() { return m_uvozDiskete.get(); }
    // The export window (null without a database).
    TF_IZVOZ* izvoz() { return m_izvoz.get(); }

private:
    void createWindows();
    void connectMenu();
    void createAnalysisWindows();
    void createReportPrinting();

    Prompter& m_prompter;
    bool m_mayRun = true;
    std::unique_ptr<TF_MAIN> m_main;
    std::unique_ptr<TF_GESLO> m_geslo;
    std::unique_ptr<TDM> m_dm;
    std::unique_ptr<TF_MERILEC> m_merilec;
    // The selection window and the chart settings are children of the view: declared after it.
    std::unique_ptr<TF_PREGLEDI> m_pregledi;
    std::unique_ptr<TF_PREGLEDI_IZBIRA> m_pregledIzbira;
    std::unique_ptr<TF_UREDIGRAF> m_urediGraf;
    std::unique_ptr<TF_NASTAVITVE> m_nastavitve;
    std::unique_ptr<TF_VNOSU> m_vnosu;
    std::unique_ptr<TF_ODDELKI> m_oddelki;
    std::unique_ptr<TF_PREGLEDUCENCEV> m_pregledUcencev;
    std::unique_ptr<TF_NAJDIUCENCA> m_najdiUcenca;
    std::unique_ptr<TF_UVOZDISKETE> m_uvozDiskete;
    std::unique_ptr<TF_IZVOZ> m_izvoz;
    // Printing the analysis; after the windows it prints from.
    std::unique_ptr<AnalysisReportPrinter> m_reportPrinter;
    std::unique_ptr<TF_PREGLEDI_IZTIS> m_preglediIztis;
};

} // namespace gibomer

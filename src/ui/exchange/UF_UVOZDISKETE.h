// "Uvoz podatkov iz diskete": asks for the archive's password and imports
// the archive that the main menu chose.
#pragma once

#include "exchange/ArchiveImport.h"

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace gibomer {

class TDM;
class ProgressDisplay;

class TF_UVOZDISKETE : public QDialog
{
    Q_OBJECT
public:
    TF_UVOZDISKETE(TDM& dm, ProgressDisplay& progress, QWidget* parent = nullptr);

    // The archive to import; set by the main menu before the window is shown.
    QString ArchivePath;

    // Imports the archive with the typed password and closes the window;
    // after an error or an abort the window stays open for another try.
    void sbUvoziClick();
    void sbPomocClick();
    void sbZapriClick();

    // What the last successful import did.
    const std::optional<ArchiveImportSummary>& lastImport() const { return m_lastImport; }

    QLabel* lOpis = nullptr;
    QLineEdit* eGeslo = nullptr;
    QPushButton* sbUvozi = nullptr;
    QPushButton* sbPomoc = nullptr;
    QPushButton* sbZapri = nullptr;

private:
    TDM& m_dm;
    ProgressDisplay& m_progress;
    std::optional<ArchiveImportSummary> m_lastImport;
};

} // namespace gibomer

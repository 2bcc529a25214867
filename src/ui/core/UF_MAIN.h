// The main window: picture, title and the menu, the only way into the
// program's functions. Closing it ends the program.
#pragma once

#include "core/ProgramFolder.h"

#include <QMainWindow>
#include <QMap>
#include <functional>

class QAction;

namespace gibomer {

class Prompter;

class TF_MAIN : public QMainWindow
{
    Q_OBJECT
public:
    TF_MAIN(const ProgramFolder& folder, Prompter& prompter);

    // Sets the program-wide formats and the help path.
    void FormCreate();

    // Connects a menu item (by component name) to the window it opens; items
    // without a handler stay disabled.
    void setMenuHandler(const QString& component, std::function<void()> handler);
    // The window that imports the archive chosen in "Uvoz podatkov".
    void setArchiveImportHandler(std::function<void(const QString& path)> handler);
    QAction* menuItem(const QString& component) const;

    // "Uvoz podatkov": the file dialog; only the first chosen file is handed on.
    void Uvozpodatkov1Click();

private:
    QAction* addItem(QMenu* menu, const QString& component, const QString& caption);
    void buildMenu();

    ProgramFolder m_folder;
    Prompter& m_prompter;
    QMap<QString, QAction*> m_items;
    std::function<void(const QString&)> m_archiveImport;
};

} // namespace gibomer

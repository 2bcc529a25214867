// Help access: one routine opens a topic's page in the help window, which
// has no parent window and so stays open when its opener closes.
#pragma once

#include <QString>

class QTextBrowser;

namespace gibomer {

// The folder of the help pages, with its trailing separator; set at start.
extern QString HelpFilePath;

// Opens "<topic>.htm"; an empty topic opens the start page "Uvod".
void ShowHelpTopic(const QString& topic);

// The help window, created on first use; for tests.
QTextBrowser* helpWindow();

} // namespace gibomer

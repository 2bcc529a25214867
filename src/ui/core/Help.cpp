#include "ui/core/Help.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>

namespace gibomer {

QString HelpFilePath;

QTextBrowser* helpWindow()
{
    static QTextBrowser* window = nullptr;
    if (!window) {
        window = new QTextBrowser; // no parent: independent of the window that opened it
        window->setAttribute(Qt::WA_QuitOnClose, false);
        window->setWindowTitle(QStringLiteral("Gibomer - Pomoč"));
        window->setOpenExternalLinks(true);
        window->resize(720, 640);
    }
    return window;
}

void ShowHelpTopic(const QString& topic)
{
    const QString page = (topic.isEmpty() ? QStringLiteral("Uvod") : topic) + QStringLiteral(".htm");
    QTextBrowser* window = helpWindow();
    window->setSearchPaths({HelpFilePath});
    const QString path = HelpFilePath + page;
    if (QFileInfo::exists(path))
        window->setSource(QUrl::fromLocalFile(path));
    else
        window->setHtml(QStringLiteral("<p>Stran pomoči <b>%1</b> ni nameščena.</p>").arg(page.toHtmlEscaped()));
    window->show();
    window->raise();
}

} // namespace gibomer

#include "ui/core/UF_MAIN.h"

#include "core/Formats.h"
#include "core/Prompter.h"
#include "ui/core/Help.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStandardPaths>

// The pictures are compiled into the static window library, whose resources
// must be registered by hand.
static void initWindowResources()
{
    Q_INIT_RESOURCE(gibomer);
}

namespace gibomer {

TF_MAIN::TF_MAIN(const ProgramFolder& folder, Prompter& prompter) : m_folder(folder), m_prompter(prompter)
{
    initWindowResources();
    setObjectName(QStringLiteral("F_MAIN"));
    setWindowTitle(QStringLiteral("Gibomer"));
    FormCreate();

    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(QPixmap(QStringLiteral(":/images/main.jpg")));
    picture->setScaledContents(true);
    setCentralWidget(picture);

    auto* title = new QLabel(QStringLiteral("Gibomer"), picture);
    title->setObjectName(QStringLiteral("lNaslov"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(37);
    font.setBold(true);
    title->setFont(font);
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("color: rgb(117, 124, 228); background: white; padding: 4px 18px;"));
    title->adjustSize();
    title->move(809 - title->width() - 40, 28);

    buildMenu();
    resize(809, 650);
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - frameGeometry().center() + pos());
}

void TF_MAIN::FormCreate()
{
    applyProgramFormats();
    HelpFilePath = m_folder.helpFolder() + QLatin1Char('/');
}

QAction* TF_MAIN::addItem(QMenu* menu, const QString& component, const QString& caption)
{
    QAction* action = caption == QLatin1String("-") ? menu->addSeparator() : menu->addAction(caption);
    action->setObjectName(component);
    if (!action->isSeparator())
        action->setEnabled(false);
    m_items.insert(component, action);
    return action;
}

void TF_MAIN::buildMenu()
{
    QMenuBar* bar = menuBar();
    QMenu* datoteka = bar->addMenu(QStringLiteral("Datoteka"));
    datoteka->setObjectName(QStringLiteral("Datoteka1"));
    addItem(datoteka, QStringLiteral("Uvozpodatkov1"), QStringLiteral("Uvoz podatkov"));
    addItem(datoteka, QStringLiteral("N5"), QStringLiteral("-"));
    addItem(datoteka, QStringLiteral("Izvozpodatkov1"), QStringLiteral("Izvoz podatkov"));
    addItem(datoteka, QStringLiteral("N1"), QStringLiteral("-"));
    addItem(datoteka, QStringLiteral("N3"), QStringLiteral("Nastavitve"));
    addItem(datoteka, QStringLiteral("N4"), QStringLiteral("-"));
    QAction* izhod = addItem(datoteka, QStringLiteral("Izhod1"), QStringLiteral("Izhod"));
    izhod->setEnabled(true);
    connect(izhod, &QAction::triggered, this, &QWidget::close);

    QMenu* pregledi = bar->addMenu(QStringLiteral("Pregledi"));
    pregledi->setObjectName(QStringLiteral("Pregledi1"));
    addItem(pregledi, QStringLiteral("Analize1"), QStringLiteral("Analize"));
    addItem(pregledi, QStringLiteral("Pregleduencev1"), QStringLiteral("Pregled učencev"));
    addItem(pregledi, QStringLiteral("N2"), QStringLiteral("-"))->setVisible(false);
    addItem(pregledi, QStringLiteral("Primerjalneanalize1"), QStringLiteral("Primerjalne analize"))
        ->setVisible(false);

    QMenu* vnos = bar->addMenu(QStringLiteral("Vnos"));
    vnos->setObjectName(QStringLiteral("Vnos1"));
    addItem(vnos, QStringLiteral("Vnosuencev1"), QStringLiteral("Vnos učencev"));

    // A top-level item without a submenu.
    QAction* pomoc = bar->addAction(QStringLiteral("Pomoč"));
    pomoc->setObjectName(QStringLiteral("Pomo1"));
    m_items.insert(pomoc->objectName(), pomoc);
    connect(pomoc, &QAction::triggered, this, [] { ShowHelpTopic(QStringLiteral("Uvod")); });
}

QAction* TF_MAIN::menuItem(const QString& component) const
{
    return m_items.value(component);
}

void TF_MAIN::setMenuHandler(const QString& component, std::function<void()> handler)
{
    QAction* action = m_items.value(component);
    Q_ASSERT(action);
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
}

void TF_MAIN::setArchiveImportHandler(std::function<void(const QString&)> handler)
{
    m_archiveImport = std::move(handler);
    QAction* action = m_items.value(QStringLiteral("Uvozpodatkov1"));
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, &TF_MAIN::Uvozpodatkov1Click);
}

void TF_MAIN::Uvozpodatkov1Click()
{
    const QStringList files = m_prompter.openFiles(QStringLiteral("Uvoz podatkov"), documentsFolder(),
                                                   QStringLiteral("Kodirana datoteka GMR (*.zip)"));
    if (files.isEmpty())
        return;
    if (m_archiveImport)
        m_archiveImport(files.first());
}

} // namespace gibomer

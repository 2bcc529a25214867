#include "ui/exchange/UF_UVOZDISKETE.h"

#include "core/DataModule.h"
#include "core/Errors.h"
#include "core/Prompter.h"
#include "ui/core/GibomerApplication.h"
#include "ui/core/Help.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace gibomer {

namespace {

// The hourglass for the length of the import, restored however it ends.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

TF_UVOZDISKETE::TF_UVOZDISKETE(TDM& dm, ProgressDisplay& progress, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_progress(progress)
{
    setObjectName(QStringLiteral("F_UVOZDISKETE"));
    setWindowTitle(QStringLiteral("Uvoz podatkov iz diskete"));
    setModal(true);

    auto* upper = new QWidget;
    upper->setAutoFillBackground(true);
    QPalette pal = upper->palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 160));
    upper->setPalette(pal);

    lOpis =
        new QLabel(QStringLiteral(" Za uvoz podatkov potrebujeto geslo.\n\n"
                                  " Pri prošnji za posredovanje podatkov ste navedli geslo. V spodnje polje "
                                  "vpišite to gelso, ter pritisnite na gumb Uvoz podatkov.\n\n"
                                  " Brez gesla podatkov ne bo moč uvoziti!"));
    lOpis->setObjectName(QStringLiteral("lOpis"));
    lOpis->setWordWrap(true);
    QFont bold = lOpis->font();
    bold.setBold(true);
    lOpis->setFont(bold);
    lOpis->setStyleSheet(QStringLiteral("color: white;"));

    auto* lGeslo = new QLabel(QStringLiteral("Geslo"));
    lGeslo->setObjectName(QStringLiteral("lGeslo"));
    lGeslo->setFont(bold);
    lGeslo->setStyleSheet(QStringLiteral("color: white;"));
    eGeslo = new QLineEdit;
    eGeslo->setObjectName(QStringLiteral("eGeslo"));
    eGeslo->setEchoMode(QLineEdit::Password);
    eGeslo->setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // shown as '*'
    lGeslo->setBuddy(eGeslo);

    auto* passwordRow = new QHBoxLayout;
    passwordRow->addWidget(lGeslo);
    passwordRow->addWidget(eGeslo, 1);

    auto* upperLayout = new QVBoxLayout(upper);
    upperLayout->setContentsMargins(14, 14, 14, 14);
    upperLayout->setSpacing(12);
    upperLayout->addWidget(lOpis);
    upperLayout->addLayout(passwordRow);

    sbUvozi = new QPushButton(QStringLiteral("Uvoz podatkov"));
    sbUvozi->setObjectName(QStringLiteral("sbUvozi"));
    sbUvozi->setDefault(true);
    sbPomoc = new QPushButton(QStringLiteral("Pomoč"));
    sbPomoc->setObjectName(QStringLiteral("sbPomoc"));
    sbPomoc->setAutoDefault(false);
    sbZapri = new QPushButton(QStringLiteral("Zapri"));
    sbZapri->setObjectName(QStringLiteral("sbZapri"));
    sbZapri->setAutoDefault(false);
    connect(sbUvozi, &QPushButton::clicked, this, [this] { sbUvoziClick(); });
    connect(sbPomoc, &QPushButton::clicked, this, [this] { sbPomocClick(); });
    connect(sbZapri, &QPushButton::clicked, this, [this] { sbZapriClick(); });

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(14, 10, 14, 12);
    buttons->addWidget(sbUvozi);
    buttons->addWidget(sbPomoc);
    buttons->addStretch(1);
    buttons->addWidget(sbZapri);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(upper, 1);
    layout->addLayout(buttons);
    resize(460, 270);
}

void TF_UVOZDISKETE::sbUvoziClick()
{
    std::exception_ptr failure;
    bool imported = false;
    {
        WaitCursor wait;
        try {
            m_lastImport = ImportArchive(m_dm, ArchivePath, eGeslo->text(), m_progress);
            imported = true;
        } catch (const SilentAbort&) {
            // the user has seen why; the window stays open
        } catch (...) {
            failure = std::current_exception();
        }
    }
    if (failure)
        showError(failure);
    if (imported) {
        m_dm.prompter().message(archiveImportReport(*m_lastImport));
        accept();
    }
}

void TF_UVOZDISKETE::sbPomocClick()
{
    ShowHelpTopic(QStringLiteral("Uvozpodatkov"));
}

void TF_UVOZDISKETE::sbZapriClick()
{
    reject();
}

} // namespace gibomer

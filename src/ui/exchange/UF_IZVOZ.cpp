#include "ui/exchange/UF_IZVOZ.h"

#include "core/DataModule.h"
#include "core/Prompter.h"
#include "exchange/ClassWorkbook.h"
#include "exchange/ClassWorkbookImport.h"
#include "exchange/Export.h"
#include "ui/core/Help.h"
#include "ui/records/UF_VNOSU.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>

namespace gibomer {

void openWorkbookInSpreadsheet(Prompter& prompter, const QString& path)
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        prompter.message(QStringLiteral("Delovni zvezek je shranjen v %1, vendar ga ni bilo mogoče odpreti v "
                                        "programu za preglednice.")
                             .arg(QDir::toNativeSeparators(path)));
    }
}

int currentSchoolYear(const QDate& today)
{
    return today.month() >= 9 ? today.year() + 1 : today.year();
}

static QString schoolYearText(int year)
{
    return QStringLiteral("šolsko leto %1/%2").arg(year - 1).arg(year);
}

TF_IZVOZ::TF_IZVOZ(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("F_IZVOZ"));
    setWindowTitle(QStringLiteral("Izvoz podatkov"));
    openWorkbook = [this](const QString& path) { openWorkbookInSpreadsheet(m_dm.prompter(), path); };

    auto* yearLabel = new QLabel(QStringLiteral("Izberite leto izvoza"), this);
    seLeto = new QSpinBox(this);
    seLeto->setObjectName(QStringLiteral("seLeto"));
    seLeto->setRange(1980, 2100);
    seLeto->setSingleStep(1);
    seLeto->setValue(currentSchoolYear());
    seLeto->setMinimumWidth(90);
    yearLabel->setBuddy(seLeto);
    lSolskoLeto = new QLabel(schoolYearText(seLeto->value()), this);
    lSolskoLeto->setEnabled(false);
    connect(seLeto, &QSpinBox::valueChanged, this,
            [this](int year) { lSolskoLeto->setText(schoolYearText(year)); });

    cbIzvoz = new QCheckBox(QStringLiteral("Izvozi samo učence brez meritev"), this);
    cbIzvoz->setObjectName(QStringLiteral("cbIzvoz"));

    sbUvozi = new QPushButton(QStringLiteral("Izvoz"), this);
    sbUvozi->setObjectName(QStringLiteral("sbUvozi"));
    sbUvozi->setDefault(true);
    sbPomoc = new QPushButton(QStringLiteral("Pomoč"), this);
    sbPomoc->setObjectName(QStringLiteral("sbPomoc"));
    sbPomoc->setAutoDefault(false);
    sbZapri = new QPushButton(QStringLiteral("Zapri"), this);
    sbZapri->setObjectName(QStringLiteral("sbZapri"));
    sbZapri->setAutoDefault(false);

    auto* yearRow = new QHBoxLayout;
    yearRow->addWidget(yearLabel);
    yearRow->addWidget(seLeto);
    yearRow->addWidget(lSolskoLeto);
    yearRow->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(sbUvozi);
    buttons->addStretch(1);
    buttons->addWidget(sbPomoc);
    buttons->addWidget(sbZapri);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(yearRow);
    layout->addWidget(cbIzvoz);
    layout->addSpacing(12);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(sbUvozi, &QPushButton::clicked, this, &TF_IZVOZ::sbUvoziClick);
    connect(sbPomoc, &QPushButton::clicked, this, &TF_IZVOZ::sbPomocClick);
    connect(sbZapri, &QPushButton::clicked, this, &TF_IZVOZ::reject);
}

void TF_IZVOZ::sbUvoziClick()
{
    seLeto->setFocus();
    const QString path = ExportYear(m_dm, seLeto->value(), cbIzvoz->isChecked());
    if (!path.isEmpty() && openWorkbook)
        openWorkbook(path);
}

void TF_IZVOZ::sbPomocClick()
{
    ShowHelpTopic(QStringLiteral("Izvozpodatkov"));
}

void addClassWorkbookButtons(TF_VNOSU& window, TDM& dm, ProgressDisplay& progress,
                             std::function<void(const QString&)> openWorkbook)
{
    if (!openWorkbook)
        openWorkbook = [&dm](const QString& path) { openWorkbookInSpreadsheet(dm.prompter(), path); };
    auto* create = new QPushButton(QStringLiteral("Kreiraj Excel"), &window);
    create->setObjectName(QStringLiteral("fcImageBtn1"));
    auto* import = new QPushButton(QStringLiteral("Uvoz iz Excela"), &window);
    import->setObjectName(QStringLiteral("fcImageBtn2"));
    window.addWorkbookButton(create);
    window.addWorkbookButton(import);
    QObject::connect(create, &QPushButton::clicked, &window, [&dm, openWorkbook] {
        const QString path = CreateClassWorkbook(dm);
        if (!path.isEmpty())
            openWorkbook(path);
    });
    QObject::connect(import, &QPushButton::clicked, &window, [&dm, &progress, &window] {
        ImportClassWorkbook(dm, progress);
        // The imported pupils and classes show in the window's lists.
        window.FormShow();
    });
}

} // namespace gibomer

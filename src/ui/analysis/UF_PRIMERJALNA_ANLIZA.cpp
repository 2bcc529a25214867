#include "ui/analysis/UF_PRIMERJALNA_ANLIZA.h"

#include "core/TestTables.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTabWidget>
#include <QVBoxLayout>

namespace gibomer {

namespace {

// A picture scaled to fit its page, keeping its proportions.
class FittedPicture : public QWidget
{
public:
    explicit FittedPicture(QPixmap picture) : m_picture(std::move(picture))
    {
        setMinimumSize(200, 150);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        const QSize size = m_picture.size().scaled(this->size(), Qt::KeepAspectRatio);
        const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(target, m_picture);
    }

private:
    QPixmap m_picture;
};

QList<ComparisonPage> testPages()
{
    QList<ComparisonPage> pages;
    for (int i = 1; i <= TestCount; ++i) {
        const QString code = QString::fromLatin1(TestCodes[i]);
        pages.append({code, code});
    }
    return pages;
}

} // namespace

QList<ComparisonSection> TF_PRIMERJALNA_ANLIZA::sections()
{
    return {
        {QStringLiteral("Št. učencev vključenih"),
         QStringLiteral("1"),
         {{QString(), QStringLiteral("ucenci")}}},
        {QStringLiteral("Primerjava srednjih vrednosti"), QStringLiteral("2"), testPages()},
        {QStringLiteral("Primerjava srednjih vrednosti povprečje"), QStringLiteral("3"), testPages()},
        {QStringLiteral("Primerjava srednjih vrednosti povprečje skupine"),
         QStringLiteral("4"),
         {{QStringLiteral("Fantje"), QStringLiteral("Fantje")},
          {QStringLiteral("Dekleta"), QStringLiteral("Dekleta")},
          {QStringLiteral("Motorični t."), QStringLiteral("Motoricni")},
          {QStringLiteral("Antropometrične "), QStringLiteral("Antropometricne")},
          {QStringLiteral("Informacijske"), QStringLiteral("Informacijske")},
          {QStringLiteral("Energijske"), QStringLiteral("Energijske")}}},
    };
}

QString TF_PRIMERJALNA_ANLIZA::picturesFolder(const ProgramFolder& folder)
{
    return folder.root() + QStringLiteral("/primerjave");
}

QString TF_PRIMERJALNA_ANLIZA::picturePath(const ProgramFolder& folder, const ComparisonSection& section,
                                           const ComparisonPage& page)
{
    const QString base =
        picturesFolder(folder) + QLatin1Char('/') + section.folder + QLatin1Char('/') + page.file;
    for (const char* extension : {".png", ".gif", ".jpg"}) {
        const QString path = base + QLatin1String(extension);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

TF_PRIMERJALNA_ANLIZA::TF_PRIMERJALNA_ANLIZA(const ProgramFolder& folder, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("F_PRIMERJALNA_ANLIZA"));
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Primerjalna analiza"));

    m_pages = new QTabWidget;
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    int nested = 0;
    for (const ComparisonSection& section : sections()) {
        if (section.pages.size() == 1 && section.pages.first().caption.isEmpty()) {
            m_pages->addTab(pageWidget(folder, section, section.pages.first()), section.caption);
            continue;
        }
        auto* inner = new QTabWidget;
        inner->setObjectName(QStringLiteral("PageControl%1").arg(2 + nested++));
        for (const ComparisonPage& page : section.pages)
            inner->addTab(pageWidget(folder, section, page), page.caption);
        m_pages->addTab(inner, section.caption);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);
    resize(1000, 720);
    setWindowState(Qt::WindowMaximized);
}

QWidget* TF_PRIMERJALNA_ANLIZA::pageWidget(const ProgramFolder& folder, const ComparisonSection& section,
                                           const ComparisonPage& page)
{
    const QString path = picturePath(folder, section, page);
    const QPixmap picture = path.isEmpty() ? QPixmap() : QPixmap(path);
    if (!picture.isNull())
        return new FittedPicture(picture);

    const QString expected =
        QDir::toNativeSeparators(picturesFolder(folder) + QLatin1Char('/') + section.folder +
                                 QLatin1Char('/') + page.file + QStringLiteral(".png"));
    auto* note = new QLabel(
        path.isEmpty()
            ? QStringLiteral("Slike primerjav niso nameščene.\n\nSliko te strani shranite v datoteko\n%1")
                  .arg(expected)
            : QStringLiteral("Slike %1 ni mogoče prebrati.").arg(QDir::toNativeSeparators(path)));
    note->setObjectName(QStringLiteral("lOpomba"));
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);
    note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return note;
}

} // namespace gibomer

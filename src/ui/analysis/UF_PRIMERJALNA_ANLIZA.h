// "Primerjalna analiza": fixed comparison charts of two measuring years, one
// picture per page, read from the folder "primerjave" beside the program.
#pragma once

#include "core/ProgramFolder.h"

#include <QList>
#include <QString>
#include <QWidget>

class QTabWidget;

namespace gibomer {

// A page that shows one picture; file is its name without extension.
struct ComparisonPage
{
    QString caption;
    QString file;
};

// A top-level page: its own picture, or a nested page control of pictures.
struct ComparisonSection
{
    QString caption;
    QString folder;
    QList<ComparisonPage> pages; // one entry without a caption for a page with no nested pages
};

class TF_PRIMERJALNA_ANLIZA : public QWidget
{
    Q_OBJECT
public:
    // Freed when closed; the caller only shows it.
    explicit TF_PRIMERJALNA_ANLIZA(const ProgramFolder& folder, QWidget* parent = nullptr);

    static QList<ComparisonSection> sections();
    // <program folder>/primerjave: one subfolder per top-level page ("1" to "4").
    static QString picturesFolder(const ProgramFolder& folder);
    // The installed picture of a page (.png, .gif or .jpg), or empty.
    static QString picturePath(const ProgramFolder& folder, const ComparisonSection& section,
                               const ComparisonPage& page);

    QTabWidget* PageControl1() const { return m_pages; }

private:
    QWidget* pageWidget(const ProgramFolder& folder, const ComparisonSection& section,
                        const ComparisonPage& page);

    QTabWidget* m_pages = nullptr;
};

} // namespace gibomer

// Reads back what a reader of a PDF would see, through poppler's tools.
#pragma once

#include <QString>

namespace gibomer::test {

// Text of one page (1-based) in drawing order, whitespace runs collapsed to one blank.
QString pdfPageText(const QString& pdf, int page);
// The number of pages, or -1 when the file cannot be read.
int pdfPageCount(const QString& pdf);

} // namespace gibomer::test

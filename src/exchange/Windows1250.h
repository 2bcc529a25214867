// The Windows-1250 code page, in which the exchange files and the school file
// arrive, to and from Unicode.
#pragma once

#include <QByteArray>
#include <QString>

namespace gibomer {

// Bytes that the code page leaves undefined become U+FFFD.
QString fromWindows1250(const QByteArray& bytes);
// Characters outside the code page become '?'.
QByteArray toWindows1250(const QString& text);

} // namespace gibomer

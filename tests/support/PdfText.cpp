#include "support/PdfText.h"

#include <QProcess>
#include <QStringList>

namespace gibomer::test {

QString pdfPageText(const QString& pdf, int page)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-raw"), QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
             QString::number(page), pdf, QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

int pdfPageCount(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished();
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

} // namespace gibomer::test

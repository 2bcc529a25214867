// Report notes: RTF from older databases shown as plain text.
#include "analysis/Notes.h"

#include <QStringDecoder>
#include <QTextDocument>
#include <vector>

namespace gibomer {

bool isRtfNote(const QString& stored)
{
    return stored.trimmed().startsWith(QLatin1String("{\\rtf"));
}

namespace {

QString decodeCp1250(int byte)
{
    QStringDecoder decoder("windows-1250");
    if (decoder.isValid()) {
        const char c = static_cast<char>(byte);
        const QString s = decoder(QByteArrayView(&c, 1));
        if (!decoder.hasError())
            return s;
    }
    return QString(QChar(byte)); // Latin-1 as the last resort
}

bool isDestination(const QString& word)
{
    static const char* const destinations[] = {
        "fonttbl", "colortbl",  "stylesheet",        "info",    "pict",      "header",   "footer",
        "object",  "listtable", "listoverridetable", "rsidtbl", "generator", "xmlnstbl", "themedata"};
    for (const char* d : destinations) {
        if (word == QLatin1String(d))
            return true;
    }
    return false;
}

} // namespace

QString rtfToPlainText(const QString& rtf)
{
    QString out;
    // Per group: whether its text is skipped, and how many characters follow \uN.
    struct Group
    {
        bool skip = false;
        int uc = 1;
    };
    std::vector<Group> stack{Group{}};
    int skipChars = 0; // fallback characters of the last \uN still to drop
    const int n = rtf.size();
    int i = 0;
    bool groupStart = false;
    auto put = [&](const QString& s) {
        if (!stack.back().skip)
            out += s;
    };
    while (i < n) {
        const QChar c = rtf[i];
        if (c == QLatin1Char('{')) {
            stack.push_back(stack.back());
            groupStart = true;
            ++i;
            continue;
        }
        if (c == QLatin1Char('}')) {
            if (stack.size() > 1)
                stack.pop_back();
            groupStart = false;
            ++i;
            continue;
        }
        if (c == QLatin1Char('\\') && i + 1 < n) {
            const QChar next = rtf[i + 1];
            if (next.isLetter() && next.unicode() < 128) {
                int j = i + 1;
                while (j < n && rtf[j].isLetter() && rtf[j].unicode() < 128)
                    ++j;
                const QString word = rtf.mid(i + 1, j - i - 1);
                int k = j;
                if (k < n && (rtf[k] == QLatin1Char('-') || rtf[k].isDigit())) {
                    ++k;
                    while (k < n && rtf[k].isDigit())
                        ++k;
                }
                const QString param = rtf.mid(j, k - j);
                if (k < n && rtf[k] == QLatin1Char(' '))
                    ++k;
                i = k;
                if (groupStart && isDestination(word))
                    stack.back().skip = true;
                groupStart = false;
                if (word == QLatin1String("par") || word == QLatin1String("line"))
                    put(QStringLiteral("\n"));
                else if (word == QLatin1String("tab"))
                    put(QStringLiteral("\t"));
                else if (word == QLatin1String("uc"))
                    stack.back().uc = param.toInt();
                else if (word == QLatin1String("u")) {
                    int code = param.toInt();
                    if (code < 0)
                        code += 65536;
                    put(QString(QChar(code)));
                    skipChars = stack.back().uc;
                }
                continue;
            }
            groupStart = false;
            if (next == QLatin1Char('*')) { // an ignorable destination
                stack.back().skip = true;
                i += 2;
                continue;
            }
            if (next == QLatin1Char('\'') && i + 3 < n) {
                bool ok = false;
                const int byte = rtf.mid(i + 2, 2).toInt(&ok, 16);
                i += 4;
                if (skipChars > 0) {
                    --skipChars;
                    continue;
                }
                if (ok)
                    put(decodeCp1250(byte));
                continue;
            }
            if (next == QLatin1Char('~'))
                put(QString(QChar(0xA0)));
            else if (next == QLatin1Char('\\') || next == QLatin1Char('{') || next == QLatin1Char('}'))
                put(QString(next));
            i += 2;
            continue;
        }
        groupStart = false;
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            ++i;
            continue;
        }
        if (skipChars > 0) {
            --skipChars;
            ++i;
            continue;
        }
        put(QString(c));
        ++i;
    }
    while (out.endsWith(QLatin1Char('\n')))
        out.chop(1);
    return out;
}

QString notesToHtml(const QString& stored)
{
    if (isRtfNote(stored)) {
        QTextDocument doc;
        doc.setPlainText(rtfToPlainText(stored));
        return doc.toHtml();
    }
    if (Qt::mightBeRichText(stored))
        return stored;
    QTextDocument doc;
    doc.setPlainText(stored);
    return doc.toHtml();
}

} // namespace gibomer

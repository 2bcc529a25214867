#include "Console.h"

#include "core/Errors.h"
#include "core/Formats.h"

#include <QDir>
#include <cstdio>
#include <iostream>
#include <string>

namespace gibomer::cli {

namespace {

void write(FILE* stream, const QString& text)
{
    const QByteArray bytes = (text + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

[[noreturn]] void unanswered(const QString& question)
{
    throw AppError(QStringLiteral("Ukaz ne zna odgovoriti na vprašanje programa: %1").arg(question));
}

QString candidateText(const PupilCandidate& c)
{
    const QDate born = QDate::fromString(c.rojstvo.toString().left(10), Qt::ISODate);
    QString text = QStringLiteral("%1 %2, %3 (oznaka %4)")
                       .arg(c.priimek, c.ime, born.isValid() ? formatDate(born) : QString())
                       .arg(c.id);
    if (!c.letoMeritve.isNull())
        text += QStringLiteral(", %1 %2.%3")
                    .arg(c.letoMeritve.toString(), c.razred.toString(), c.oddelek.toString());
    return text;
}

} // namespace

void printOut(const QString& text)
{
    write(stdout, text);
}

void printErr(const QString& text)
{
    write(stderr, text);
}

QString secretValue(const QString& value)
{
    if (value != QLatin1String("-"))
        return value;
    std::string line;
    std::getline(std::cin, line);
    QString text = QString::fromUtf8(line);
    if (text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text;
}

void CliPrompter::message(const QString& text)
{
    printErr(text);
}

bool CliPrompter::confirm(const QString& text)
{
    // The only confirmation of the batch commands is the import's question
    // before it replaces a school year.
    const QString question = text.section(QLatin1Char('\n'), 0, 0);
    if (replace.value_or(false)) {
        ++replacedYears;
        printErr(question + QStringLiteral(" Podatki bodo zamenjani (--replace)."));
        return true;
    }
    keptQuestions << question;
    printErr(question + QStringLiteral(" Podatki ostanejo, kot so."));
    return false;
}

std::optional<QString> CliPrompter::inputText(const QString& caption, const QString& prompt, const QString&)
{
    if (!input)
        unanswered(caption + QStringLiteral(": ") + prompt);
    return input;
}

QStringList CliPrompter::openFiles(const QString& caption, const QString&, const QString&)
{
    if (openPath.isEmpty())
        unanswered(caption);
    return {openPath};
}

QString CliPrompter::openFile(const QString& caption, const QString&, const QString&)
{
    if (openPath.isEmpty())
        unanswered(caption);
    return openPath;
}

QString CliPrompter::saveFile(const QString& caption, const QString&, const QString&)
{
    if (savePath.isEmpty())
        unanswered(caption);
    return savePath;
}

std::optional<int> CliPrompter::choosePupil(const QList<PupilCandidate>& candidates)
{
    ++matchQuestions;
    if (candidates.isEmpty())
        return std::nullopt;
    QString text = QStringLiteral("Več učencev ustreza zapisu %1 %2:")
                       .arg(candidates.front().priimek, candidates.front().ime);
    for (const PupilCandidate& c : candidates)
        text += QStringLiteral("\n  ") + candidateText(c);
    if (match == Match::First) {
        printErr(text + QStringLiteral("\n  izbran prvi (--match first)."));
        return 0;
    }
    printErr(text + QStringLiteral("\n  dodan nov učenec (--match new)."));
    return std::nullopt;
}

void CliProgress::show()
{
    if (!m_upper.isEmpty())
        printErr(m_upper + QStringLiteral(" ..."));
}

} // namespace gibomer::cli

// Output of the batch commands: UTF-8 text on standard output and error, the
// prompt interface answered from the command's options, and the progress of
// long work as lines on standard error.
#pragma once

#include "core/Progress.h"
#include "core/Prompter.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace gibomer::cli {

void printOut(const QString& text); // a line on standard output
void printErr(const QString& text); // a line on standard error

// A password option's value; "-" reads it as one line from standard input,
// so that it need not appear in the process list.
QString secretValue(const QString& value);

// Answers every question the core asks from what the command's options say.
// A question without a prepared answer is printed and ends the command as a
// failure, so that nothing is ever decided by a guess.
class CliPrompter : public Prompter
{
public:
    enum class Match
    {
        New,  // "Nobeden ne ustreza": the record gets a new pupil
        First // the first candidate of the list
    };

    // The answer to "replace the school year?"; nullopt keeps it.
    std::optional<bool> replace;
    Match match = Match::New;
    std::optional<QString> input; // the input box (the year)
    QString openPath;             // the open dialog
    QString savePath;             // the save dialog

    // What was asked and answered, for the summary.
    QStringList keptQuestions;
    int replacedYears = 0;
    int matchQuestions = 0;

    void message(const QString& text) override;
    bool confirm(const QString& text) override;
    std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                     const QString& proposed) override;
    QStringList openFiles(const QString& caption, const QString& proposedPath,
                          const QString& filter) override;
    QString openFile(const QString& caption, const QString& proposedPath, const QString& filter) override;
    QString saveFile(const QString& caption, const QString& proposedPath, const QString& filter) override;
    std::optional<int> choosePupil(const QList<PupilCandidate>& candidates) override;
};

// Names each import run on standard error as it starts.
class CliProgress : public NoProgress
{
public:
    void setUpperText(const QString& text) override { m_upper = text; }
    void show() override;

private:
    QString m_upper;
};

} // namespace gibomer::cli

// Answers the program's questions from a script and fails the test on any
// question that the script did not expect.
#pragma once

#include "core/Prompter.h"

#include <deque>

namespace gibomer::test {

class ScriptedPrompter : public Prompter
{
public:
    ~ScriptedPrompter() override;

    ScriptedPrompter& expectMessage(const QString& text);
    ScriptedPrompter& expectConfirm(const QString& text, bool answer);
    // Matches the caption; nullopt answers Cancel.
    ScriptedPrompter& expectInput(const QString& caption, std::optional<QString> answer);
    ScriptedPrompter& expectOpenFiles(QStringList answer);
    ScriptedPrompter& expectOpenFile(QString answer);
    ScriptedPrompter& expectSaveFile(QString answer);
    ScriptedPrompter& expectChoosePupil(std::optional<int> answer);
    // Messages whose text starts with this prefix are accepted any number of times.
    ScriptedPrompter& allowMessages(const QString& prefix);

    void message(const QString& text) override;
    bool confirm(const QString& text) override;
    std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                     const QString& proposed) override;
    QStringList openFiles(const QString& caption, const QString& proposedPath, const QString& filter) override;
    QString openFile(const QString& caption, const QString& proposedPath, const QString& filter) override;
    QString saveFile(const QString& caption, const QString& proposedPath, const QString& filter) override;
    std::optional<int> choosePupil(const QList<PupilCandidate>& candidates) override;

    bool done() const { return m_script.empty(); }
    // Everything asked, in order, for assertions.
    QStringList asked;
    QList<QList<PupilCandidate>> shownCandidates;
    QString lastProposedPath;
    QString lastProposedText;

private:
    enum class Kind { Message, Confirm, Input, OpenFiles, OpenFile, SaveFile, ChoosePupil };
    struct Step
    {
        Kind kind;
        QString text;
        bool yes = false;
        std::optional<QString> input;
        QStringList files;
        std::optional<int> choice;
    };
    const Step* take(Kind kind, const QString& text);
    Step m_current;
    std::deque<Step> m_script;
    QStringList m_allowedPrefixes;
};

} // namespace gibomer::test

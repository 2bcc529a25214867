#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace gibomer::test {

static const char* kindName(int kind)
{
    static const char* names[] = {"message", "confirm", "input", "openFiles", "openFile", "saveFile", "choosePupil"};
    return names[kind];
}

ScriptedPrompter::~ScriptedPrompter()
{
    for (const Step& step : m_script)
        ADD_FAILURE() << "expected " << kindName(int(step.kind)) << " was never asked: " << step.text.toStdString();
}

ScriptedPrompter& ScriptedPrompter::expectMessage(const QString& text)
{
    m_script.push_back({Kind::Message, text});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectConfirm(const QString& text, bool answer)
{
    Step step{Kind::Confirm, text};
    step.yes = answer;
    m_script.push_back(step);
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectInput(const QString& caption, std::optional<QString> answer)
{
    Step step{Kind::Input, caption};
    step.input = std::move(answer);
    m_script.push_back(step);
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectOpenFiles(QStringList answer)
{
    Step step{Kind::OpenFiles, {}};
    step.files = std::move(answer);
    m_script.push_back(step);
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectOpenFile(QString answer)
{
    Step step{Kind::OpenFile, {}};
    step.files = QStringList{std::move(answer)};
    m_script.push_back(step);
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectSaveFile(QString answer)
{
    Step step{Kind::SaveFile, {}};
    step.files = QStringList{std::move(answer)};
    m_script.push_back(step);
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectChoosePupil(std::optional<int> answer)
{
    Step step{Kind::ChoosePupil, {}};
    step.choice = answer;
    m_script.push_back(step);
    return *this;
}

ScriptedPrompter& ScriptedPrompter::allowMessages(const QString& prefix)
{
    m_allowedPrefixes << prefix;
    return *this;
}

const ScriptedPrompter::Step* ScriptedPrompter::take(Kind kind, const QString& text)
{
    asked << text;
    if (m_script.empty() || m_script.front().kind != kind) {
        ADD_FAILURE() << "unexpected " << kindName(int(kind)) << ": " << text.toStdString();
        return nullptr;
    }
    m_current = m_script.front();
    m_script.pop_front();
    if (!m_current.text.isEmpty() && kind != Kind::OpenFiles && kind != Kind::OpenFile && kind != Kind::SaveFile &&
        kind != Kind::ChoosePupil) {
        EXPECT_EQ(m_current.text.toStdString(), text.toStdString());
    }
    return &m_current;
}

void ScriptedPrompter::message(const QString& text)
{
    for (const QString& prefix : m_allowedPrefixes) {
        if (text.startsWith(prefix)) {
            asked << text;
            return;
        }
    }
    take(Kind::Message, text);
}

bool ScriptedPrompter::confirm(const QString& text)
{
    const Step* step = take(Kind::Confirm, text);
    return step && step->yes;
}

std::optional<QString> ScriptedPrompter::inputText(const QString& caption, const QString&, const QString& proposed)
{
    lastProposedText = proposed;
    const Step* step = take(Kind::Input, caption);
    return step ? step->input : std::nullopt;
}

QStringList ScriptedPrompter::openFiles(const QString& caption, const QString& proposedPath, const QString&)
{
    lastProposedPath = proposedPath;
    const Step* step = take(Kind::OpenFiles, caption);
    return step ? step->files : QStringList{};
}

QString ScriptedPrompter::openFile(const QString& caption, const QString& proposedPath, const QString&)
{
    lastProposedPath = proposedPath;
    const Step* step = take(Kind::OpenFile, caption);
    return step ? step->files.value(0) : QString();
}

QString ScriptedPrompter::saveFile(const QString& caption, const QString& proposedPath, const QString&)
{
    lastProposedPath = proposedPath;
    const Step* step = take(Kind::SaveFile, caption);
    return step ? step->files.value(0) : QString();
}

std::optional<int> ScriptedPrompter::choosePupil(const QList<PupilCandidate>& candidates)
{
    shownCandidates << candidates;
    const Step* step = take(Kind::ChoosePupil, QStringLiteral("choosePupil"));
    return step ? step->choice : std::nullopt;
}

} // namespace gibomer::test

// The prompt interface answered by real dialogs with Slovenian buttons.
#pragma once

#include "core/Prompter.h"

#include <functional>

class QWidget;

namespace gibomer {

class QtPrompter : public Prompter
{
public:
    void message(const QString& text) override;
    bool confirm(const QString& text) override;
    std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                     const QString& proposed) override;
    QStringList openFiles(const QString& caption, const QString& proposedPath, const QString& filter) override;
    QString openFile(const QString& caption, const QString& proposedPath, const QString& filter) override;
    QString saveFile(const QString& caption, const QString& proposedPath, const QString& filter) override;
    std::optional<int> choosePupil(const QList<PupilCandidate>& candidates) override;

    // The pupil matching dialog, set once the window exists.
    std::function<std::optional<int>(const QList<PupilCandidate>&)> pupilChooser;

private:
    static QWidget* parentWindow();
};

} // namespace gibomer

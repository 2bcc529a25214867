// Every question the program puts to the user goes through this interface.
// The windows implement it with real dialogs; the tests with scripted answers.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

namespace gibomer {

// One row of the pupil matching dialog's candidate list.
struct PupilCandidate
{
    int id = 0;
    QString ime;
    QString priimek;
    QVariant rojstvo;
    QVariant spol;
    QVariant letoMeritve;
    QVariant razred;
    QVariant oddelek;
    QVariant atv;
};

class Prompter
{
public:
    virtual ~Prompter() = default;

    // A plain message box with an OK button.
    virtual void message(const QString& text) = 0;
    // A confirmation box with Yes and No; true for Yes.
    virtual bool confirm(const QString& text) = 0;
    // An input box; nullopt when the user cancels.
    virtual std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                             const QString& proposed) = 0;
    // File dialogs; an empty result when the user cancels.
    virtual QStringList openFiles(const QString& caption, const QString& proposedPath,
                                  const QString& filter) = 0;
    virtual QString openFile(const QString& caption, const QString& proposedPath, const QString& filter) = 0;
    virtual QString saveFile(const QString& caption, const QString& proposedPath, const QString& filter) = 0;
    // The pupil matching dialog: the index of the confirmed row, or nullopt
    // for "Nobeden ne ustreza" and the close box.
    virtual std::optional<int> choosePupil(const QList<PupilCandidate>& candidates) = 0;
};

// Shows the message and ends the operation: the user-level stop.
[[noreturn]] void abortWithMessage(Prompter& prompter, const QString& text);

} // namespace gibomer

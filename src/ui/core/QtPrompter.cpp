#include "ui/core/QtPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace gibomer {

QWidget* QtPrompter::parentWindow()
{
    return QApplication::activeWindow();
}

void QtPrompter::message(const QString& text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Gibomer"), text, QMessageBox::NoButton,
                    parentWindow());
    box.addButton(QStringLiteral("V redu"), QMessageBox::AcceptRole);
    box.exec();
}

bool QtPrompter::confirm(const QString& text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Potrditev"), text, QMessageBox::NoButton,
                    parentWindow());
    QPushButton* yes = box.addButton(QStringLiteral("Da"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Ne"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

std::optional<QString> QtPrompter::inputText(const QString& caption, const QString& prompt,
                                             const QString& proposed)
{
    QInputDialog dialog(parentWindow());
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(proposed);
    dialog.setOkButtonText(QStringLiteral("V redu"));
    dialog.setCancelButtonText(QStringLiteral("Prekliči"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QStringList QtPrompter::openFiles(const QString& caption, const QString& proposedPath, const QString& filter)
{
    return QFileDialog::getOpenFileNames(parentWindow(), caption, proposedPath, filter);
}

QString QtPrompter::openFile(const QString& caption, const QString& proposedPath, const QString& filter)
{
    return QFileDialog::getOpenFileName(parentWindow(), caption, proposedPath, filter);
}

QString QtPrompter::saveFile(const QString& caption, const QString& proposedPath, const QString& filter)
{
    return QFileDialog::getSaveFileName(parentWindow(), caption, proposedPath, filter);
}

std::optional<int> QtPrompter::choosePupil(const QList<PupilCandidate>& candidates)
{
    if (!pupilChooser)
        return std::nullopt;
    return pupilChooser(candidates);
}

} // namespace gibomer

// The settings window's two operations on the data: emptying the database
// (after a backup copy) and changing the start-up password.
#pragma once

#include "core/Backup.h"

#include <QDateTime>
#include <QString>

namespace gibomer {

class TDM;

// Asks the emptying question; on Yes first writes a full copy of the
// database into baza ("gmr-kopija-<yyyyMMdd-HHmmss>.mdb"), then deletes
// every pupil, results row and class-year group in one transaction. The
// settings row, the evaluation bands and the reference results stay.
// Returns the backup's path, empty when the user said No.
QString emptyDatabase(TDM& dm, const QDateTime& now = QDateTime::currentDateTime());

// Checks the three fields of the password-change dialog and stores the new
// password (hashed) in GESLo of the settings row; an empty new password
// removes the password. A refusal shows its message and throws SilentAbort;
// success shows a confirmation.
void changePassword(TDM& dm, const QString& oldPassword, const QString& newPassword, const QString& repeated);

struct SettingsTexts
{
    static const QString EmptyQuestion;
    static const QString WrongOldPassword;
    static const QString RepeatDiffers;
    static const QString PasswordChanged;
    static const QString PasswordRemoved;
};

} // namespace gibomer

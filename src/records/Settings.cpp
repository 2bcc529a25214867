#include "records/Settings.h"

#include "core/DataModule.h"
#include "core/Errors.h"
#include "core/Password.h"
#include "core/Prompter.h"
#include "core/Sql.h"

#include <QFileInfo>

namespace gibomer {

const QString SettingsTexts::EmptyQuestion = QStringLiteral(
    "Ali ste prepričani da želite pobrisati celotno bazo podatkov za celotno šolo! Če želite to storiti "
    "pritisnite na gumb Da(Yes) v nasprotnem primeru pritisnite na gumb Ne(No)!");
const QString SettingsTexts::WrongOldPassword =
    QStringLiteral("Staro geslo ni pravilno! Geslo ni bilo spremenjeno.");
const QString SettingsTexts::RepeatDiffers =
    QStringLiteral("Novo geslo in ponovljeno geslo se ne ujemata! Geslo ni bilo spremenjeno.");
const QString SettingsTexts::PasswordChanged =
    QStringLiteral("Geslo je spremenjeno. Ob naslednjem zagonu programa vpišite novo geslo.");
const QString SettingsTexts::PasswordRemoved =
    QStringLiteral("Geslo je odstranjeno. Program ob zagonu ne bo več zahteval gesla.");

QString emptyDatabase(TDM& dm, const QDateTime& now)
{
    if (!dm.prompter().confirm(SettingsTexts::EmptyQuestion))
        return {};
    const QString backup = backupDatabase(dm, now);
    Transaction transaction(dm.db());
    for (const char* statement : {"DELETE FROM T_UCENEC", "DELETE FROM T_VREDNOST", "DELETE FROM T_MERITEV"})
        execSql(dm.db(), QString::fromLatin1(statement));
    transaction.commit();
    return backup;
}

void changePassword(TDM& dm, const QString& oldPassword, const QString& newPassword, const QString& repeated)
{
    Dataset& settings = dm.A_NASTAVITVE();
    const QString column = QStringLiteral("GESLo");
    const QString stored = settings.field(column).toString();
    if (!stored.isEmpty() && !passwordMatches(stored, oldPassword))
        abortWithMessage(dm.prompter(), SettingsTexts::WrongOldPassword);
    // Letters a to z count without case, as at start-up.
    if (upperAsciiLetters(newPassword) != upperAsciiLetters(repeated))
        abortWithMessage(dm.prompter(), SettingsTexts::RepeatDiffers);
    if (!settings.isEditing())
        settings.edit();
    settings.setField(column, newPassword.isEmpty() ? QVariant() : QVariant(hashPassword(newPassword)));
    settings.post();
    dm.prompter().message(newPassword.isEmpty() ? SettingsTexts::PasswordRemoved
                                                : SettingsTexts::PasswordChanged);
}

} // namespace gibomer

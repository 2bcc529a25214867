#include "records/ClassRegister.h"

#include "core/DataModule.h"
#include "core/Errors.h"
#include "core/Formats.h"
#include "core/Prompter.h"
#include "core/Sql.h"

namespace gibomer {

const QString ClassRegister::NoGroupText =
    QStringLiteral("Na seznamu ni še nobenege oddelka, zato morate najprej pritisniti gumb dodaj!");
const QString ClassRegister::DeleteGroupQuestion = QStringLiteral("Ali res želite pobrisati oddelek ?");

QString ClassRegister::deleteResultsQuestion(int count)
{
    return QStringLiteral(
               "Oddelek ima vnešene meritve učencev (število vrstic z meritvami: %1). "
               "Če pobrišete oddelek, bodo pobrisane tudi te meritve. Ali jih res želite pobrisati?")
        .arg(count);
}

namespace {
const QString IdMeritev = QStringLiteral("ID_MERITEV");
}

ClassRegister::ClassRegister(TDM& dm) : m_dm(dm) {}

void ClassRegister::addGroup()
{
    // The entry window's results row follows the current group; keep its edits.
    TDM::PostIfEditing(m_dm.A_VNOSV());
    Dataset& groups = m_dm.A_VNOSO();
    groups.insert();
    groups.setField(IdMeritev, m_dm.NextId(IdMeritev, QStringLiteral("T_MERITEV")));
}

void ClassRegister::checkGroupEditable()
{
    const Dataset& groups = m_dm.A_VNOSO();
    if (groups.currentRow() < 0 || groups.field(IdMeritev).toString().isEmpty())
        abortWithMessage(m_dm.prompter(), NoGroupText);
}

int ClassRegister::resultsInGroup(const QVariant& groupId) const
{
    return scalar(m_dm.db(), QStringLiteral("SELECT COUNT(*) FROM T_VREDNOST WHERE ID_MERITEV=:p1"),
                  {{QStringLiteral(":p1"), groupId}})
        .toInt();
}

bool ClassRegister::deleteGroup()
{
    Prompter& prompter = m_dm.prompter();
    if (!prompter.confirm(DeleteGroupQuestion))
        return false;
    Dataset& groups = m_dm.A_VNOSO();
    if (groups.state() == Dataset::State::Insert) {
        groups.cancel();
        return true;
    }
    if (groups.currentRow() < 0)
        return false;
    const QVariant id = groups.field(IdMeritev);
    const int count = resultsInGroup(id);
    if (count > 0 && !prompter.confirm(deleteResultsQuestion(count)))
        return false;
    if (m_dm.A_VNOSV().isEditing())
        m_dm.A_VNOSV().cancel();
    Transaction transaction(m_dm.db());
    execSql(m_dm.db(), QStringLiteral("DELETE FROM T_VREDNOST WHERE ID_MERITEV=:p1"),
            {{QStringLiteral(":p1"), id}});
    groups.remove();
    transaction.commit();
    return true;
}

QString ClassRegister::schoolYearLabel(const QString& yearText)
{
    const auto year = parseInteger(yearText);
    if (!year)
        return {};
    return QString::number(*year - 1) + QLatin1Char('/');
}

} // namespace gibomer

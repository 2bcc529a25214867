#include "records/PupilEntry.h"

#include "core/DataModule.h"
#include "core/Errors.h"
#include "core/Prompter.h"
#include "core/Sql.h"
#include "scoring/ResultScoring.h"

namespace gibomer {

const QString PupilEntry::NoPupilText =
    QStringLiteral("Na seznamu ni še nobenega učenca, zato morate najprej pritisniti gumb dodaj!");
const QString PupilEntry::NoResultsText =
    QStringLiteral("Na seznamu ni še nobene meritve zato pritisnite na gumb dodaj!");
const QString PupilEntry::HasResultsText =
    QStringLiteral("Učenec ima za izbrano leto že vnešene meritve! Uporabite gumb popravi!");
const QString PupilEntry::DeletePupilQuestion = QStringLiteral("Ali res želite pobrisati učenca ?");

namespace {
const QString IdUcenec = QStringLiteral("ID_UCENEC");
const QString IdMeritev = QStringLiteral("ID_MERITEV");
const QString IdVrednost = QStringLiteral("ID_VREDNOST");

bool hasCurrentKey(const Dataset& dataset, const QString& key)
{
    return dataset.currentRow() >= 0 && !dataset.field(key).toString().isEmpty();
}
} // namespace

void A_VNOSUAfterScroll(TDM& dm)
{
    Dataset& pupils = dm.A_VNOSU();
    Dataset& groups = dm.A_VNOSO();
    Dataset& results = dm.A_VNOSV();
    if (!pupils.isOpen() || !groups.isOpen())
        return;
    if (!hasCurrentKey(pupils, IdUcenec) || !hasCurrentKey(groups, IdMeritev)) {
        results.close();
        return;
    }
    const int pupil = pupils.field(IdUcenec).toInt();
    const int group = groups.field(IdMeritev).toInt();
    // A row being entered for this very pupil and group is kept, not re-read away.
    if (results.isEditing() && results.field(IdUcenec).toInt() == pupil &&
        results.field(IdMeritev).toInt() == group)
        return;
    results.close();
    results.setParam(QStringLiteral(":p1"), pupil);
    results.setParam(QStringLiteral(":p2"), group);
    results.open();
}

void reopenKeepingRow(Dataset& dataset, const QString& keyField)
{
    QVariant key;
    if (dataset.isOpen() && dataset.currentRow() >= 0)
        key = dataset.field(keyField);
    // The after-move handler runs once, on the row finally chosen.
    auto afterScroll = std::move(dataset.afterScroll);
    dataset.afterScroll = nullptr;
    try {
        dataset.close();
        dataset.open();
        if (!key.isNull()) {
            for (int row = 0; row < dataset.rowCount(); ++row) {
                if (dataset.value(row, keyField) == key) {
                    dataset.moveTo(row);
                    break;
                }
            }
        }
    } catch (...) {
        dataset.afterScroll = std::move(afterScroll);
        throw;
    }
    dataset.afterScroll = std::move(afterScroll);
}

PupilEntry::PupilEntry(TDM& dm) : m_dm(dm) {}

void PupilEntry::attach()
{
    TDM* dm = &m_dm;
    m_dm.A_VNOSU().afterScroll = [dm] { A_VNOSUAfterScroll(*dm); };
    m_dm.A_VNOSO().afterScroll = [dm] { A_VNOSUAfterScroll(*dm); };
    m_dm.A_VNOSV().beforePost = [dm] {
        A_VNOSVBeforePost(dm->A_VNOSV(), dm->A_VNOSU(), dm->A_VNOSO(), dm->folder(), dm->prompter());
    };
}

void PupilEntry::show()
{
    TDM::PostIfEditing(m_dm.A_VNOSU());
    TDM::PostIfEditing(m_dm.A_VNOSO());
    reopenKeepingRow(m_dm.A_VNOSU(), IdUcenec);
    reopenKeepingRow(m_dm.A_VNOSO(), IdMeritev);
    A_VNOSUAfterScroll(m_dm);
}

void PupilEntry::addPupil()
{
    // Moving to the new row re-reads the results row; save it first.
    TDM::PostIfEditing(m_dm.A_VNOSV());
    Dataset& pupils = m_dm.A_VNOSU();
    pupils.insert();
    pupils.setField(IdUcenec, m_dm.NextId(IdUcenec, QStringLiteral("T_UCENEC")));
    pupils.setField(QStringLiteral("SPOL"), 0);
    pupils.setField(QStringLiteral("VNOS"), 1);
    A_VNOSUAfterScroll(m_dm);
}

bool PupilEntry::deletePupil()
{
    if (!m_dm.prompter().confirm(DeletePupilQuestion))
        return false;
    Dataset& pupils = m_dm.A_VNOSU();
    if (pupils.state() == Dataset::State::Insert) {
        // Never written: nothing of it is in the database yet.
        pupils.cancel();
        return true;
    }
    if (pupils.currentRow() < 0)
        return true;
    // Its rows are deleted with the pupil anyway.
    if (m_dm.A_VNOSV().isEditing())
        m_dm.A_VNOSV().cancel();
    Transaction transaction(m_dm.db());
    execSql(m_dm.db(), QStringLiteral("DELETE FROM T_VREDNOST WHERE ID_UCENEC=:p1"),
            {{QStringLiteral(":p1"), pupils.field(IdUcenec)}});
    pupils.remove();
    transaction.commit();
    return true;
}

void PupilEntry::checkPupilEditable()
{
    if (!hasCurrentKey(m_dm.A_VNOSU(), IdUcenec))
        abortWithMessage(m_dm.prompter(), NoPupilText);
}

void PupilEntry::addResults()
{
    Dataset& results = m_dm.A_VNOSV();
    if (results.isOpen() && !results.isEmpty())
        abortWithMessage(m_dm.prompter(), HasResultsText);
    TDM::PostIfEditing(m_dm.A_VNOSU());
    Dataset& pupils = m_dm.A_VNOSU();
    Dataset& groups = m_dm.A_VNOSO();
    if (!results.isOpen())
        A_VNOSUAfterScroll(m_dm);
    const QVariant pupil = pupils.field(IdUcenec);
    const QVariant group = groups.field(IdMeritev);
    results.insert();
    results.setField(IdVrednost, m_dm.NextId(IdVrednost, QStringLiteral("T_VREDNOST")));
    results.setField(IdMeritev, group);
    results.setField(IdUcenec, pupil);
}

void PupilEntry::deleteResults()
{
    m_dm.A_VNOSV().remove();
}

void PupilEntry::checkResultsEditable()
{
    const Dataset& results = m_dm.A_VNOSV();
    if (!results.isOpen() || results.isEmpty())
        abortWithMessage(m_dm.prompter(), NoResultsText);
    TDM::PostIfEditing(m_dm.A_VNOSU());
}

void PupilEntry::saveAll()
{
    TDM::PostIfEditing(m_dm.A_VNOSU());
    TDM::PostIfEditing(m_dm.A_VNOSO());
    TDM::PostIfEditing(m_dm.A_VNOSV());
}

} // namespace gibomer

// The data module: the one database connection, the queries that more than
// one window uses, identifiers, the upgrade scripts, and start-up's checks.
#pragma once

#include "core/Dataset.h"
#include "core/ProgramFolder.h"
#include "exchange/StagingTable.h"

#include <QSqlDatabase>
#include <functional>
#include <memory>

namespace gibomer {

class Prompter;

class TDM
{
public:
    TDM(ProgramFolder folder, Prompter& prompter);
    ~TDM();
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    // Asked when a password is set; returns whether start-up may go on.
    using PasswordCheck = std::function<bool()>;

    // Connects to baza/gmr.mdb (creating it when missing), runs the upgrade
    // scripts, asks for the password when one is set, opens the evaluation
    // bands. Returns false when start-up must not go on (password refused).
    // Throws when the database cannot be used; the steps after the failure
    // do not run.
    bool DataModuleCreate(const PasswordCheck& askPassword);

    bool isConnected() const { return m_db.isValid() && m_db.isOpen(); }
    QSqlDatabase db() const { return m_db; }
    const ProgramFolder& folder() const { return m_folder; }
    Prompter& prompter() const { return m_prompter; }

    // The largest value of the column plus one; 1 for an empty table.
    int NextId(const QString& column, const QString& table);
    // Saves the dataset's row when it is being edited or inserted.
    static void PostIfEditing(Dataset& dataset);
    // Runs a script of statements each ended by "/*"; every error is ignored.
    void RunScript(const QString& text);
    // The text of the upgrade script, lines joined with CR LF.
    static QString readScriptFile(const QString& path);

    // The settings row ("SELECT rowid, * FROM T_NASTAVITVE"); open for the whole run.
    Dataset& A_NASTAVITVE() { return *m_nastavitve; }
    // Evaluation bands of VRSTA 1, in ascending BOLJSI.
    Dataset& A_VREDNOTENJE() { return *m_vrednotenje; }
    void openEvaluationBands();

    // Pupils entered by hand, all class-year groups, and the results row of the
    // current pupil in the current group (":p1" pupil, ":p2" group).
    Dataset& A_VNOSU() { return *m_vnosu; }
    Dataset& A_VNOSO() { return *m_vnoso; }
    Dataset& A_VNOSV() { return *m_vnosv; }
    // The analysis (one row per school year) and its averaged reference values.
    Dataset& A_PVRE() { return *m_pvre; }
    Dataset& A_REFERENCE() { return *m_reference; }
    // The pupil search of the analysis selection; its current row is the chosen pupil.
    Dataset& A_PUCENCI() { return *m_pucenci; }
    // Candidates of the pupil matching dialog.
    Dataset& A_NAJDIUC() { return *m_najdiuc; }
    // The ranking list.
    Dataset& A_TOP() { return *m_top; }
    // The one staging table of imports.
    StagingTable& RxMMeritve() { return m_staging; }

    // A new dataset on this connection, owned by the caller's parent.
    std::unique_ptr<Dataset> makeDataset() const;

    static QString scriptName(int number);

private:
    void connect();
    void runUpgrades();

    ProgramFolder m_folder;
    Prompter& m_prompter;
    QString m_connectionName;
    QSqlDatabase m_db;
    std::unique_ptr<Dataset> m_nastavitve;
    std::unique_ptr<Dataset> m_vrednotenje;
    std::unique_ptr<Dataset> m_vnosu, m_vnoso, m_vnosv;
    std::unique_ptr<Dataset> m_pvre, m_reference, m_pucenci, m_najdiuc, m_top;
    StagingTable m_staging;
};

} // namespace gibomer

#include "core/DataModule.h"

#include "core/Database.h"
#include "core/Errors.h"
#include "core/Sql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QUuid>

namespace gibomer {

TDM::TDM(ProgramFolder folder, Prompter& prompter)
    : m_folder(std::move(folder)), m_prompter(prompter),
      m_connectionName(QStringLiteral("gibomer-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

TDM::~TDM()
{
    m_nastavitve.reset();
    m_vrednotenje.reset();
    m_vnosu.reset();
    m_vnoso.reset();
    m_vnosv.reset();
    m_pvre.reset();
    m_reference.reset();
    m_pucenci.reset();
    m_najdiuc.reset();
    m_top.reset();
    m_db = QSqlDatabase();
    closeDatabase(m_connectionName);
}

QString TDM::scriptName(int number)
{
    return QStringLiteral("D%1.txt").arg(number, 4, 10, QLatin1Char('0'));
}

void TDM::connect()
{
    QDir().mkpath(m_folder.baza());
    m_db = openDatabase(m_folder.databaseFile(), m_connectionName);
    m_nastavitve = makeDataset();
    m_nastavitve->setSql(QStringLiteral("SELECT rowid, *\nFROM T_NASTAVITVE"));
    m_nastavitve->setUpdateTable(QStringLiteral("T_NASTAVITVE"), QStringLiteral("rowid"));
    m_vrednotenje = makeDataset();
    m_vrednotenje->setSql(QStringLiteral("SELECT *\nFROM T_VREDNOTENJE\nWHERE VRSTA=:p1\nORDER BY BOLJSI"));

    m_vnosu = makeDataset();
    m_vnosu->setSql(QStringLiteral("SELECT * FROM T_UCENEC\nWHERE VNOS=1\nORDER BY PRIIMEK,IME,SPOL"));
    m_vnosu->setUpdateTable(QStringLiteral("T_UCENEC"), QStringLiteral("ID_UCENEC"));
    m_vnoso = makeDataset();
    m_vnoso->setSql(QStringLiteral("SELECT * FROM T_MERITEV\nORDER BY LETO_MERITVE,RAZRED,ODDELEK"));
    m_vnoso->setUpdateTable(QStringLiteral("T_MERITEV"), QStringLiteral("ID_MERITEV"));
    m_vnosv = makeDataset();
    m_vnosv->setSql(QStringLiteral("SELECT * FROM T_VREDNOST\nWHERE ID_UCENEC=:p1 and id_meritev=:p2"));
    m_vnosv->setUpdateTable(QStringLiteral("T_VREDNOST"), QStringLiteral("ID_VREDNOST"));
    m_pvre = makeDataset();
    m_reference = makeDataset();
    m_pucenci = makeDataset();
    m_najdiuc = makeDataset();
    m_top = makeDataset();
}

std::unique_ptr<Dataset> TDM::makeDataset() const
{
    return std::make_unique<Dataset>(m_db);
}

QString TDM::readScriptFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw IoError(QStringLiteral("Datoteke %1 ni mogoče prebrati: %2").arg(path, file.errorString()));
    const QString text = QString::fromUtf8(file.readAll());
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines.join(QStringLiteral("\r\n"));
}

void TDM::RunScript(const QString& text)
{
    QString rest = text;
    const QString separator = QStringLiteral("/*");
    while (true) {
        const int at = rest.indexOf(separator);
        const QString statement = at < 0 ? QString() : rest.left(at);
        QSqlQuery query(m_db);
        query.exec(statement); // errors are ignored by design: scripts are re-runnable
        if (at < 0)
            break;
        rest.remove(0, at + separator.size());
        if (!rest.contains(separator))
            break;
    }
}

void TDM::runUpgrades()
{
    Dataset& settings = *m_nastavitve;
    settings.open();
    if (settings.hasField(QStringLiteral("VERZIJA"))) {
        int n = settings.field(QStringLiteral("VERZIJA")).toInt() + 1;
        settings.close();
        while (true) {
            const QString path = m_folder.bazaFile(scriptName(n));
            if (!QFileInfo::exists(path))
                break;
            RunScript(readScriptFile(path));
            ++n;
        }
    } else {
        settings.close();
        RunScript(readScriptFile(m_folder.bazaFile(scriptName(1))));
    }
    settings.open();
}

void TDM::openEvaluationBands()
{
    m_vrednotenje->close();
    m_vrednotenje->setParam(QStringLiteral(":p1"), 1);
    m_vrednotenje->open();
}

bool TDM::DataModuleCreate(const PasswordCheck& askPassword)
{
    connect();
    runUpgrades();
    const QString password = m_nastavitve->hasField(QStringLiteral("GESLo"))
                                 ? m_nastavitve->field(QStringLiteral("GESLo")).toString()
                                 : QString();
    if (!password.isEmpty() && askPassword && !askPassword())
        return false;
    openEvaluationBands();
    return true;
}

int TDM::NextId(const QString& column, const QString& table)
{
    const QVariant max = scalar(m_db, QStringLiteral("SELECT MAX(%1)\nFROM %2").arg(column, table));
    return max.toInt() + 1;
}

void TDM::PostIfEditing(Dataset& dataset)
{
    if (dataset.isEditing())
        dataset.post();
}

} // namespace gibomer

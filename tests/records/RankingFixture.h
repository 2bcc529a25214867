// A small school for the ranking tests: pupils, class-year groups and results
// written straight into the tables.
#pragma once

#include "core/DataModule.h"
#include "core/Sql.h"

#include <QStringList>
#include <initializer_list>
#include <utility>

namespace gibomer::test {

inline int addPupil(TDM& dm, const QString& priimek, const QString& ime, int spol)
{
    return execSql(
               dm.db(), QStringLiteral("INSERT INTO T_UCENEC (PRIIMEK, IME, SPOL) VALUES (:p, :i, :s)"),
               {{QStringLiteral(":p"), priimek}, {QStringLiteral(":i"), ime}, {QStringLiteral(":s"), spol}})
        .lastInsertId()
        .toInt();
}

inline int addGroup(TDM& dm, int leto, int razred, const QString& oddelek)
{
    return execSql(dm.db(),
                   QStringLiteral(
                       "INSERT INTO T_MERITEV (LETO_MERITVE, RAZRED, ODDELEK, VRSTA) VALUES (:l, :r, :o, 1)"),
                   {{QStringLiteral(":l"), leto},
                    {QStringLiteral(":r"), razred},
                    {QStringLiteral(":o"), oddelek}})
        .lastInsertId()
        .toInt();
}

// One results row; the columns are given as (name, value) pairs.
inline void addResult(TDM& dm, int pupil, int group,
                      std::initializer_list<std::pair<const char*, QVariant>> values)
{
    QStringList columns{QStringLiteral("ID_UCENEC"), QStringLiteral("ID_MERITEV")};
    QStringList holders{QStringLiteral(":u"), QStringLiteral(":m")};
    SqlParams params{{QStringLiteral(":u"), pupil}, {QStringLiteral(":m"), group}};
    for (const auto& [column, value] : values) {
        columns << QString::fromLatin1(column);
        holders << QStringLiteral(":c") + QString::fromLatin1(column);
        params.emplace_back(holders.last(), value);
    }
    execSql(dm.db(),
            QStringLiteral("INSERT INTO T_VREDNOST (%1) VALUES (%2)")
                .arg(columns.join(QLatin1Char(',')), holders.join(QLatin1Char(','))),
            params);
}

// The surnames of the open ranking, in display order.
inline QStringList surnames(Dataset& ranking)
{
    QStringList names;
    for (int row = 0; row < ranking.rowCount(); ++row)
        names << ranking.value(row, QStringLiteral("priimek")).toString();
    return names;
}

} // namespace gibomer::test

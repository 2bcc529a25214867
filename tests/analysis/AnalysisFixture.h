// A small school whose yearly averages can be worked out by hand.
//
// Groups: 2019 1.A (1), 2019 1.B (2), 2020 2.A (3), 2020 2.B (4), 2021 3.A (5).
// Pupils: ANA KOŠIR (girl), BOR NOVAK (boy), CENE ZUPAN (boy), DANA KRAJNC
// (girl), EVA BREZ (girl, born 2011, no results).
// Every T-score of a results row is the row's base score unless noted:
//   2019 1.A  ANA 60 (ATV 150) | BOR 40, no ATV/ATVT | CENE 50 (ATV 130)
//   2019 1.B  DANA 70, SDMT 0 (ATV 160)
//   2020 2.A  ANA 60, T60T empty, T600T 80 | BOR 40, T60T empty, T600T 60
//   2020 2.B  CENE 50, DPRT empty | DANA 70, DPRT empty
//   2021 3.A  ANA 62 | BOR with no T-scores at all
// Stored XT is the base where all eight motor scores are present.
#pragma once

#include "core/DataModule.h"
#include "core/Sql.h"
#include "core/TestTables.h"

#include <QDate>
#include <QMap>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlQuery>
#include <ostream>

#include "support/QStringPrinting.h"

namespace gibomer::test {

inline void addGroup(TDM& dm, int id, int year, int grade, const char* oddelek)
{
    execSql(dm.db(),
            QStringLiteral("INSERT INTO T_MERITEV (ID_MERITEV,LETO_MERITVE,RAZRED,ODDELEK,VRSTA) "
                           "VALUES (:i,:y,:g,:o,1)"),
            {{":i", id}, {":y", year}, {":g", grade}, {":o", QString::fromLatin1(oddelek)}});
}

inline void addPupil(TDM& dm, int id, const QString& ime, const QString& priimek, const char* rojstvo,
                     int spol)
{
    execSql(
        dm.db(),
        QStringLiteral("INSERT INTO T_UCENEC (ID_UCENEC,IME,PRIIMEK,ROJSTVO,SPOL) VALUES (:i,:n,:p,:r,:s)"),
        {{":i", id}, {":n", ime}, {":p", priimek}, {":r", QString::fromLatin1(rojstvo)}, {":s", spol}});
}

// A results row: every T-score = base (raw value = base too, ATV = atv),
// then the overrides (an invalid QVariant writes NULL).
inline void addResult(TDM& dm, int pupil, int group, QVariant base, QVariant atv,
                      const QMap<QString, QVariant>& overrides = {})
{
    QStringList cols{QStringLiteral("ID_UCENEC"), QStringLiteral("ID_MERITEV")};
    SqlParams params{{":ID_UCENEC", pupil}, {":ID_MERITEV", group}};
    bool allMotor = base.isValid();
    for (int t = 1; t <= TestCount; ++t) {
        const QString code = QString::fromLatin1(TestCodes[t]);
        for (const QString& col : {code, code + QLatin1Char('T')}) {
            QVariant v = col == QLatin1String("ATV") ? atv : base;
            if (overrides.contains(col))
                v = overrides[col];
            if (t >= FirstMotorTest && col.endsWith(QLatin1Char('T')) && !v.isValid())
                allMotor = false;
            cols << col;
            params.emplace_back(QLatin1Char(':') + col, v.isValid() ? v : nullDouble());
        }
    }
    cols << QStringLiteral("XT");
    params.emplace_back(QStringLiteral(":XT"), allMotor ? base : nullDouble());
    QStringList names;
    for (const auto& p : params)
        names << p.first;
    execSql(dm.db(),
            QStringLiteral("INSERT INTO T_VREDNOST (%1) VALUES (%2)").arg(cols.join(','), names.join(',')),
            params);
}

inline void fillSmallSchool(TDM& dm)
{
    // Shipped reference rows and bands would blur the hand-worked figures.
    execSql(dm.db(), QStringLiteral("DELETE FROM T_REFERENCNE"));
    execSql(dm.db(), QStringLiteral("DELETE FROM T_VREDNOTENJE"));
    addGroup(dm, 1, 2019, 1, "A");
    addGroup(dm, 2, 2019, 1, "B");
    addGroup(dm, 3, 2020, 2, "A");
    addGroup(dm, 4, 2020, 2, "B");
    addGroup(dm, 5, 2021, 3, "A");
    addPupil(dm, 1, QStringLiteral("ANA"), QStringLiteral("KOŠIR"), "2012-03-04", 1);
    addPupil(dm, 2, QStringLiteral("BOR"), QStringLiteral("NOVAK"), "2012-05-06", 0);
    addPupil(dm, 3, QStringLiteral("CENE"), QStringLiteral("ZUPAN"), "2012-07-08", 0);
    addPupil(dm, 4, QStringLiteral("DANA"), QStringLiteral("KRAJNC"), "2012-01-02", 1);
    addPupil(dm, 5, QStringLiteral("EVA"), QStringLiteral("BREZ"), "2011-09-10", 1);
    const QVariant none;
    addResult(dm, 1, 1, 60, 150);
    addResult(dm, 2, 1, 40, none, {{"ATVT", none}});
    addResult(dm, 3, 1, 50, 130);
    addResult(dm, 4, 2, 70, 160, {{"SDMT", 0}});
    addResult(dm, 1, 3, 60, 155, {{"T60T", none}, {"T600T", 80}});
    addResult(dm, 2, 3, 40, 145, {{"T60T", none}, {"T600T", 60}});
    addResult(dm, 3, 4, 50, 135, {{"DPRT", none}});
    addResult(dm, 4, 4, 70, 165, {{"DPRT", none}});
    addResult(dm, 1, 5, 62, 160);
    addResult(dm, 2, 5, none, 150);

    // Reference rows: girls of grade 1 and 2, boys of grade 1.
    for (auto [leto, razred, spol, atv] : {std::tuple{2019, 1, 1, 120}, {2020, 2, 1, 130}, {2019, 1, 0, 200}})
        execSql(dm.db(),
                QStringLiteral("INSERT INTO T_REFERENCNE (LETO,RAZREDABS,SPOL,ATV) VALUES (:l,:r,:s,:a)"),
                {{":l", leto}, {":r", razred}, {":s", spol}, {":a", atv}});

    // Evaluation bands: T 40/50/60 at 20/50/80 percent; XT 45/50/55.
    for (auto [t, xt, boljsi] : {std::tuple{40, 45, 20}, {50, 50, 50}, {60, 55, 80}})
        execSql(dm.db(), QStringLiteral("INSERT INTO T_VREDNOTENJE (VRSTA,BOLJSI,T,XT) VALUES (1,:b,:t,:x)"),
                {{":b", boljsi}, {":t", t}, {":x", xt}});
    dm.openEvaluationBands();
}

// A generated school for benchmarks and screenshots: every year from
// firstYear on, grades 1..9 with `classes` classes of `pupils` pupils each;
// a pupil stays in the same class letter as the grades go up. T-scores
// scatter around 50; a few results miss a test. One transaction.
inline int fillGeneratedSchool(TDM& dm, int firstYear, int years, int classes, int pupils, quint32 seed = 7)
{
    QRandomGenerator random(seed);
    Transaction transaction(dm.db());
    QSqlQuery group(dm.db()), pupil(dm.db()), result(dm.db());
    group.prepare(QStringLiteral(
        "INSERT INTO T_MERITEV (ID_MERITEV,LETO_MERITVE,RAZRED,ODDELEK,VRSTA) VALUES (?,?,?,?,1)"));
    pupil.prepare(
        QStringLiteral("INSERT INTO T_UCENEC (ID_UCENEC,IME,PRIIMEK,ROJSTVO,SPOL) VALUES (?,?,?,?,?)"));
    QStringList cols{QStringLiteral("ID_UCENEC"), QStringLiteral("ID_MERITEV")};
    for (int t = 1; t <= TestCount; ++t)
        cols << QString::fromLatin1(TestCodes[t]) << QString::fromLatin1(TestCodes[t]) + QLatin1Char('T');
    cols << QStringLiteral("XT");
    QStringList marks;
    for (int i = 0; i < cols.size(); ++i)
        marks << QStringLiteral("?");
    result.prepare(
        QStringLiteral("INSERT INTO T_VREDNOST (%1) VALUES (%2)").arg(cols.join(','), marks.join(',')));
    // A pupil is known by the year they started grade 1, class and place.
    auto pupilId = [&](int startYear, int c, int p) {
        return ((startYear - firstYear + 9) * classes + c) * pupils + p + 1;
    };
    QSet<int> madePupils;
    int groupId = 0, rows = 0;
    for (int y = firstYear; y < firstYear + years; ++y) {
        // Each year's level differs a little, so that the charts show change.
        const double yearShift = (random.generateDouble() - 0.5) * 10;
        for (int grade = 1; grade <= 9; ++grade) {
            for (int c = 0; c < classes; ++c) {
                group.addBindValue(++groupId);
                group.addBindValue(y);
                group.addBindValue(grade);
                group.addBindValue(QString(QChar('A' + c % 26)));
                execPrepared(group);
                for (int p = 0; p < pupils; ++p) {
                    const int startYear = y - grade + 1;
                    const int id = pupilId(startYear, c, p);
                    if (!madePupils.contains(id)) {
                        madePupils.insert(id);
                        pupil.addBindValue(id);
                        pupil.addBindValue(QStringLiteral("IME%1").arg(id));
                        pupil.addBindValue(QStringLiteral("PRIIMEK%1").arg(id));
                        pupil.addBindValue(
                            QDate(startYear - 6, 1 + p % 12, 1 + p % 28).toString(Qt::ISODate));
                        pupil.addBindValue(p % 2);
                        execPrepared(pupil);
                    }
                    result.addBindValue(id);
                    result.addBindValue(groupId);
                    double motorSum = 0;
                    bool allMotor = true;
                    for (int t = 1; t <= TestCount; ++t) {
                        const bool missing = random.bounded(40) == 0;
                        const double raw = 100 + grade * 10 + random.bounded(50);
                        const double score = std::clamp(
                            std::round(50 + yearShift + (random.generateDouble() - 0.5) * 30), 11.0, 89.0);
                        result.addBindValue(missing ? nullDouble() : QVariant(raw));
                        result.addBindValue(missing ? nullDouble() : QVariant(score));
                        if (t >= FirstMotorTest) {
                            motorSum += score;
                            allMotor = allMotor && !missing;
                        }
                    }
                    result.addBindValue(allMotor ? QVariant(std::round(motorSum / 8 * 100) / 100)
                                                 : nullDouble());
                    execPrepared(result);
                    ++rows;
                }
            }
        }
    }
    transaction.commit();
    return rows;
}

} // namespace gibomer::test

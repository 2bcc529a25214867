// The analysis selection's defaults, condition joining and the pupil search.
#include "analysis/AnalysisSelection.h"

#include "core/DataModule.h"
#include "core/Dataset.h"

namespace gibomer {

int SchoolYearEnd(const QDate& today)
{
    return today.month() >= 9 ? today.year() + 1 : today.year();
}

AnalysisSelection defaultSelection(const QDate& today)
{
    AnalysisSelection s;
    const int y = today.year();
    s.genG = SchoolYearEnd(today);
    s.letoOdU = s.letoOdR = s.letoOdG = s.letoOdC = y - 2;
    s.letoDoU = s.letoDoR = s.letoDoG = s.letoDoC = y;
    return s;
}

QString schoolYearPrefix(int endingYear)
{
    return QString::number(endingYear - 1) + QLatin1Char('/');
}

QString AppendCondition(const QString& where, const QString& condition)
{
    if (where.isEmpty())
        return QLatin1Char('(') + condition + QLatin1Char(')');
    return where + QStringLiteral(" and (") + condition + QLatin1Char(')');
}

void BoundCondition::append(const BoundCondition& condition)
{
    sql = AppendCondition(sql, condition.sql);
    text = AppendCondition(text, condition.text);
    params.insert(params.end(), condition.params.begin(), condition.params.end());
}

BoundCondition BoundCondition::compare(const QString& lhs, const QString& op, const QVariant& value,
                                       const QString& placeholder)
{
    BoundCondition c;
    c.sql = lhs + op + placeholder;
    if (value.typeId() == QMetaType::QString) {
        QString quoted = value.toString();
        quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
        c.text = lhs + op + QLatin1Char('\'') + quoted + QLatin1Char('\'');
    } else {
        c.text = lhs + op + value.toString();
    }
    c.params.emplace_back(placeholder, value);
    return c;
}

void takeChosenPupil(AnalysisSelection& selection, const Dataset& pucenci)
{
    if (!pucenci.isOpen()) {
        selection.pupilState = AnalysisSelection::PupilState::NotSearched;
        return;
    }
    if (pucenci.isEmpty() || pucenci.currentRow() < 0) {
        selection.pupilState = AnalysisSelection::PupilState::NoneFound;
        return;
    }
    selection.pupilState = AnalysisSelection::PupilState::Chosen;
    ChosenPupil& p = selection.pupil;
    p.id = pucenci.field(QStringLiteral("ID_UCENEC")).toInt();
    p.ime = pucenci.field(QStringLiteral("IME")).toString();
    p.priimek = pucenci.field(QStringLiteral("PRIIMEK")).toString();
    p.rojstvo = QDate::fromString(pucenci.field(QStringLiteral("ROJSTVO")).toString().left(10), Qt::ISODate);
    p.spol = pucenci.field(QStringLiteral("SPOL")).toInt();
}

BoundCondition FindPupils(TDM& dm, const AnalysisSelection& s)
{
    BoundCondition where;
    int n = 0;
    auto add = [&](const QString& lhs, const QVariant& value) {
        where.append(
            BoundCondition::compare(lhs, QStringLiteral("="), value, QStringLiteral(":f%1").arg(++n)));
    };
    // The birth date is ISO text; its first four characters are the year.
    if (s.letnikU)
        add(QStringLiteral("CAST(substr(u.ROJSTVO,1,4) AS INTEGER)"), *s.letnikU);
    if (!s.priimekU.isEmpty())
        add(QStringLiteral("PRIIMEK"), s.priimekU);
    if (!s.imeU.isEmpty())
        add(QStringLiteral("IME"), s.imeU);
    if (s.genU)
        add(QStringLiteral("m.LETO_MERITVE"), *s.genU);
    if (s.razredU)
        add(QStringLiteral("m.RAZRED"), *s.razredU);
    if (!s.oddelekU.isEmpty())
        add(QStringLiteral("m.ODDELEK"), s.oddelekU);
    if (s.spolU > 0)
        add(QStringLiteral("SPOL"), s.spolU - 1);

    Dataset& q = dm.A_PUCENCI();
    q.close();
    q.clearSql();
    q.clearParams();
    q.addLine(QStringLiteral("SELECT DISTINCT u.ID_UCENEC,u.IME,u.PRIIMEK,u.ROJSTVO,u.SPOL"));
    q.addLine(QStringLiteral("FROM T_UCENEC u"));
    // Left joins keep pupils without results unless a condition on m. excludes them.
    q.addLine(QStringLiteral("LEFT JOIN T_VREDNOST v ON u.ID_UCENEC=v.ID_UCENEC"));
    q.addLine(QStringLiteral("LEFT JOIN T_MERITEV m ON m.ID_MERITEV=v.ID_MERITEV"));
    if (!where.isEmpty())
        q.addLine(QStringLiteral("WHERE ") + where.sql);
    q.addLine(QStringLiteral("ORDER BY u.PRIIMEK,u.IME"));
    for (const auto& [name, value] : where.params)
        q.setParam(name, value);
    q.open();
    return where;
}

QString toggledSort(const QString& currentSort, const QString& field)
{
    return currentSort == field ? field + QStringLiteral(" desc") : field;
}

} // namespace gibomer

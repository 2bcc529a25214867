// The analysis statements of the four kinds and the build sequence.
#include "analysis/AnalysisBuilder.h"

#include "core/DataModule.h"
#include "core/Errors.h"
#include "core/Formats.h"
#include "core/Prompter.h"
#include "core/TestTables.h"

#include <cmath>

namespace gibomer {

namespace {

// Every analysis statement requires m.LETO_MERITVE in its condition, so
// inner joins give the same rows as left joins from the pupil would.
const char* const ResultJoin = "FROM T_UCENEC u\n"
                               "JOIN T_VREDNOST v ON u.ID_UCENEC=v.ID_UCENEC\n"
                               "JOIN T_MERITEV m ON m.ID_MERITEV=v.ID_MERITEV";

const char* const ReferenceSelect =
    "SELECT AVG(ATV) AS ATVt,AVG(ATT) AS ATTt,AVG(AKG) AS AKGt,AVG(DPR) AS DPRt,AVG(SDM) AS SDMt,"
    "AVG(PON) AS PONt,AVG(DT) AS DtT,AVG(PRE) AS PREt,AVG(VZG) AS VZGt,AVG(T60) AS T60t,AVG(T600) AS T600t\n"
    "FROM T_REFERENCNE";

const char* const MotorScores[] = {"DPRT", "SDMT", "PONT", "DTT", "PRET", "VZGT", "T60T", "T600T"};

QString joined(const QStringList& parts, const char* separator = ",")
{
    return parts.join(QString::fromLatin1(separator));
}

// The pupil's stored values, each plus 0.01; an empty value stays empty.
QString pupilStatement(const QString& where)
{
    QStringList cols{QStringLiteral("m.LETO_MERITVE")};
    for (int t = 1; t <= TestCount; ++t) {
        const QString code = QString::fromLatin1(TestCodes[t]);
        cols << QStringLiteral("v.%1+0.01 AS %1").arg(code) << QStringLiteral("v.%1T+0.01 AS %1T").arg(code);
    }
    cols << QStringLiteral("v.XT+0.01 AS XT");
    return QStringLiteral("SELECT ") + joined(cols) + QLatin1Char('\n') + QLatin1String(ResultJoin) +
           QStringLiteral("\nWHERE ") + where + QStringLiteral("\nORDER BY m.LETO_MERITVE");
}

QString positive(const QString& expr)
{
    return QStringLiteral("CASE WHEN %1>0 THEN 1 ELSE 0 END").arg(expr);
}

// Plain yearly averages. XT: the sum of the eight motor averages (a missing
// T60 or T600 average counting 0) over the number of them above 0; a
// missing one of the first six leaves XT empty, a zero divisor too.
QString averagesStatement(const QString& where)
{
    QStringList cols{QStringLiteral("m.LETO_MERITVE")};
    for (int t = 1; t <= TestCount; ++t) {
        const QString code = QString::fromLatin1(TestCodes[t]);
        cols << QStringLiteral("AVG(v.%1) AS %1").arg(code) << QStringLiteral("AVG(v.%1T) AS %1T").arg(code);
    }
    QStringList sum, count;
    for (const char* m : MotorScores) {
        const QString avg = QStringLiteral("AVG(v.%1)").arg(QLatin1String(m));
        const bool mayBeMissing =
            QLatin1String(m) == QLatin1String("T60T") || QLatin1String(m) == QLatin1String("T600T");
        sum << (mayBeMissing ? QStringLiteral("COALESCE(%1,0)").arg(avg) : avg);
        count << positive(avg);
    }
    cols << QStringLiteral("(%1)/NULLIF(%2,0) AS XT")
                .arg(sum.join(QLatin1Char('+')), count.join(QLatin1Char('+')));
    return QStringLiteral("SELECT ") + joined(cols) + QLatin1Char('\n') + QLatin1String(ResultJoin) +
           QStringLiteral("\nWHERE ") + where +
           QStringLiteral("\nGROUP BY m.LETO_MERITVE\nORDER BY m.LETO_MERITVE");
}

// Whole school: one sub-group per class-year group and sex. Per year: raw
// values are the plain average of the sub-group averages; T-scores the
// average of the sub-group averages weighted by sub-group size, counting in
// the divisor only sub-groups above 0; XT the sum of the sub-groups' motor
// scores over the number of sub-groups whose score is above 0.
QString wholeSchoolStatement(const QString& where)
{
    QStringList inner{QStringLiteral("COUNT(*) AS ST2"),
                      QStringLiteral("MAX(m.LETO_MERITVE) AS LETO_MERITVE2")};
    QStringList outer{QStringLiteral("tab.LETO_MERITVE2 AS LETO_MERITVE")};
    for (int t = 1; t <= TestCount; ++t) {
        const QString code = QString::fromLatin1(TestCodes[t]);
        const QString raw2 = code + QLatin1Char('2');
        inner << QStringLiteral("AVG(v.%1) AS %2").arg(code, raw2)
              << QStringLiteral("AVG(v.%1T) AS %1T2").arg(code);
        outer << QStringLiteral("AVG(%1) AS %2").arg(raw2, code)
              << QStringLiteral("SUM(%1T2*ST2)/NULLIF(SUM(CASE WHEN %1T2>0 THEN ST2 ELSE 0 END),0) AS %1T")
                     .arg(code);
    }
    QStringList sum, count;
    for (const char* m : MotorScores) {
        const QString avg = QStringLiteral("AVG(v.%1)").arg(QLatin1String(m));
        sum << QStringLiteral("COALESCE(%1,0.0)").arg(avg);
        count << positive(avg);
    }
    inner << QStringLiteral("(%1)/NULLIF(%2,0) AS XS2")
                 .arg(sum.join(QLatin1Char('+')), count.join(QLatin1Char('+')));
    outer << QStringLiteral("SUM(XS2)/NULLIF(SUM(CASE WHEN XS2>0 THEN 1 ELSE 0 END),0) AS XT");
    return QStringLiteral("SELECT ") + joined(outer) + QStringLiteral("\nFROM (\nSELECT ") + joined(inner) +
           QLatin1Char('\n') + QLatin1String(ResultJoin) + QStringLiteral("\nWHERE ") + where +
           QStringLiteral("\nGROUP BY m.ID_MERITEV,u.SPOL\n) AS tab\nGROUP BY tab.LETO_MERITVE2\n"
                          "ORDER BY tab.LETO_MERITVE2");
}

const char* const SexSuffix[] = {"(Moški+Ženske)", "(Moški)", "(Ženske)"};

QString sexSuffix(int index)
{
    return QString::fromUtf8(SexSuffix[std::clamp(index, 0, 2)]);
}

// "5.B Razred", "5.razred", "B Oddelek" or nothing.
QString gradeClassPart(const std::optional<int>& grade, const QString& oddelek)
{
    if (grade && !oddelek.isEmpty())
        return QString::number(*grade) + QLatin1Char('.') + oddelek + QStringLiteral(" Razred");
    if (grade)
        return QString::number(*grade) + QStringLiteral(".razred");
    if (!oddelek.isEmpty())
        return oddelek + QStringLiteral(" Oddelek");
    return {};
}

class ConditionBuilder
{
public:
    explicit ConditionBuilder(QString prefix) : m_prefix(std::move(prefix)) {}
    BoundCondition make(const QString& lhs, const QString& op, const QVariant& value)
    {
        return BoundCondition::compare(lhs, op, value, QStringLiteral(":%1%2").arg(m_prefix).arg(++m_n));
    }
    void add(BoundCondition& into, const QString& lhs, const QString& op, const QVariant& value)
    {
        into.append(make(lhs, op, value));
    }

private:
    QString m_prefix;
    int m_n = 0;
};

const QString Ge = QStringLiteral(">=");
const QString Le = QStringLiteral("<=");
const QString Eq = QStringLiteral("=");

} // namespace

AnalysisResult analysisConditions(Prompter& prompter, const AnalysisSelection& s)
{
    AnalysisResult r;
    ConditionBuilder w(QStringLiteral("w"));
    ConditionBuilder ref(QStringLiteral("r"));
    switch (s.kind) {
    case AnalysisKind::Pupil: {
        if (s.pupilState == AnalysisSelection::PupilState::NotSearched)
            abortWithMessage(prompter, QString::fromUtf8(NoPupilMessage));
        if (s.pupilState == AnalysisSelection::PupilState::NoneFound)
            abortWithMessage(prompter, QString::fromUtf8(NoPupilFoundMessage));
        w.add(r.where, QStringLiteral("m.LETO_MERITVE"), Ge, s.letoOdU);
        w.add(r.where, QStringLiteral("m.LETO_MERITVE"), Le, s.letoDoU);
        ref.add(r.referenceWhere, QStringLiteral("LETO"), Ge, s.letoOdU);
        ref.add(r.referenceWhere, QStringLiteral("LETO"), Le, s.letoDoU);
        if (s.razredU && *s.razredU > 0)
            ref.add(r.referenceWhere, QStringLiteral("RAZREDABS"), Eq, *s.razredU);
        ref.add(r.referenceWhere, QStringLiteral("SPOL"), Eq, s.pupil.spol == 0 ? 0 : 1);
        w.add(r.where, QStringLiteral("u.ID_UCENEC"), Eq, s.pupil.id);
        r.title = s.pupil.ime + QLatin1Char(' ') + s.pupil.priimek + QStringLiteral(", ") +
                  (s.pupil.rojstvo.isValid() ? formatDate(s.pupil.rojstvo) : QString());
        break;
    }
    case AnalysisKind::ClassGrade:
        w.add(r.where, QStringLiteral("m.LETO_MERITVE"), Ge, s.letoOdR);
        w.add(r.where, QStringLiteral("m.LETO_MERITVE"), Le, s.letoDoR);
        if (s.razredR)
            w.add(r.where, QStringLiteral("m.RAZRED"), Eq, *s.razredR);
        if (!s.oddelekR.isEmpty())
            w.add(r.where, QStringLiteral("m.ODDELEK"), Eq, s.oddelekR);
        if (s.spolR > 0)
            w.add(r.where, QStringLiteral("SPOL"), Eq, s.spolR - 1);
        r.title = QStringLiteral("Povprečni rezultati  ") + gradeClassPart(s.razredR, s.oddelekR) +
                  sexSuffix(s.spolR);
        break;
    case AnalysisKind::Generation: {
        const int first = s.letoOdG, last = s.letoDoG;
        if (last < first)
            abortWithMessage(prompter, QString::fromUtf8(GenerationYearsMessage));
        // In year y the generation attended grade g - (G - y).
        int grade = s.razredG.value_or(0) - (s.genG - first);
        BoundCondition groups;
        for (int y = first; y <= last; ++y, ++grade) {
            BoundCondition group;
            w.add(group, QStringLiteral("m.LETO_MERITVE"), Eq, y);
            if (s.razredG)
                w.add(group, QStringLiteral("m.RAZRED"), Eq, grade);
            if (!s.oddelekG.isEmpty())
                w.add(group, QStringLiteral("m.ODDELEK"), Eq, s.oddelekG);
            const QString orText = y != last ? QStringLiteral("or") : QString();
            groups.sql += QLatin1Char('(') + group.sql + QLatin1Char(')') + orText;
            groups.text += QLatin1Char('(') + group.text + QLatin1Char(')') + orText;
            groups.params.insert(groups.params.end(), group.params.begin(), group.params.end());
        }
        r.where.sql = QLatin1Char('(') + groups.sql + QLatin1Char(')');
        r.where.text = QLatin1Char('(') + groups.text + QLatin1Char(')');
        r.where.params = groups.params;
        if (s.spolG > 0)
            w.add(r.where, QStringLiteral("SPOL"), Eq, s.spolG - 1);
        r.title = QStringLiteral("Povprečni rezultati za generacijo  (") + schoolYearPrefix(s.genG) +
                  QString::number(s.genG) + QLatin1Char(')') + gradeClassPart(s.razredG, s.oddelekG) +
                  QLatin1Char(' ') + sexSuffix(s.spolG);
        break;
    }
    case AnalysisKind::WholeSchool:
        w.add(r.where, QStringLiteral("m.LETO_MERITVE"), Ge, s.letoOdC);
        w.add(r.where, QStringLiteral("m.LETO_MERITVE"), Le, s.letoDoC);
        if (s.spolC > 0)
            w.add(r.where, QStringLiteral("SPOL"), Eq, s.spolC - 1);
        r.title = QStringLiteral("Povprečni rezultati za celotno šolo ") + sexSuffix(s.spolC);
        break;
    }
    return r;
}

namespace {

bool settingIsOne(Dataset& settings, const char* column)
{
    const QString name = QString::fromLatin1(column);
    return settings.isOpen() && settings.hasField(name) && settings.field(name).toInt() == 1;
}

void replaceStatement(Dataset& d, const QString& sql, const SqlParams& params)
{
    d.close();
    d.clearSql();
    d.clearParams();
    d.setSql(sql);
    for (const auto& [name, value] : params)
        d.setParam(name, value);
    d.open();
}

} // namespace

AnalysisResult BuildAnalysis(TDM& dm, const AnalysisSelection& s)
{
    // The checks come first, so that a build that cannot run leaves the
    // previous analysis in place.
    AnalysisResult r = analysisConditions(dm.prompter(), s);

    QString reference = QString::fromLatin1(ReferenceSelect);
    if (!r.referenceWhere.isEmpty())
        reference += QStringLiteral("\nWHERE ") + r.referenceWhere.sql;
    replaceStatement(dm.A_REFERENCE(), reference, r.referenceWhere.params);

    QString statement;
    switch (s.kind) {
    case AnalysisKind::Pupil:
        statement = pupilStatement(r.where.sql);
        break;
    case AnalysisKind::ClassGrade:
    case AnalysisKind::Generation:
        statement = averagesStatement(r.where.sql);
        break;
    case AnalysisKind::WholeSchool:
        statement = wholeSchoolStatement(r.where.sql);
        break;
    }
    replaceStatement(dm.A_PVRE(), statement, r.where.params);

    Dataset& settings = dm.A_NASTAVITVE();
    r.chart = buildChartModel(dm.A_PVRE(), r.title, settingIsOne(settings, "PRILAGODIGRAF"),
                              settingIsOne(settings, "PRIKAZUJREFERENCNE"));
    try {
        dm.openEvaluationBands();
    } catch (const AppError&) {
        dm.prompter().message(QString::fromUtf8(EvaluationBandsMessage));
    }
    return r;
}

} // namespace gibomer

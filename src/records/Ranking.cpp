// The ranking statement, its filter lists and its clipboard text.
#include "records/Ranking.h"

#include "core/DataModule.h"
#include "core/Dataset.h"
#include "core/Errors.h"
#include "core/Formats.h"
#include "core/Prompter.h"
#include "core/TestTables.h"

#include <QSqlQuery>
#include <algorithm>

namespace gibomer {

namespace {

// Every results row is kept, even one whose pupil or class-year group is
// missing: the joins start from T_VREDNOST.
const char* const RankingFrom =
    "FROM T_VREDNOST LEFT JOIN T_UCENEC ON T_UCENEC.ID_UCENEC = T_VREDNOST.ID_UCENEC "
    "LEFT JOIN T_MERITEV ON T_MERITEV.ID_MERITEV = T_VREDNOST.ID_MERITEV";

const char* const GradeItemsSql = "SELECT DISTINCT RAZRED AS razred FROM T_MERITEV ORDER BY 1";
const char* const ClassItemsSql = "SELECT DISTINCT ODDELEK AS oddelek FROM T_MERITEV ORDER BY 1";

bool isAll(const QString& item)
{
    return item == QLatin1String(RankingAll);
}

// "column IN (:p1,:p2,...)" over the selected items, or nothing when none is
// selected or "Vsi" is among them.
QString inCondition(const QString& column, const QString& prefix, const QStringList& items, bool numeric,
                    SqlParams& params)
{
    if (items.isEmpty() || std::any_of(items.begin(), items.end(), isAll))
        return {};
    QStringList placeholders;
    for (const QString& item : items) {
        const QString name = QStringLiteral(":%1%2").arg(prefix).arg(placeholders.size() + 1);
        placeholders << name;
        QVariant value = item;
        if (numeric) {
            if (const auto number = parseInteger(item))
                value = *number;
        }
        params.emplace_back(name, value);
    }
    return QStringLiteral("%1 IN (%2)").arg(column, placeholders.join(QLatin1Char(',')));
}

QStringList distinctItems(TDM& dm, const char* sql)
{
    QStringList items{QString::fromLatin1(RankingAll)};
    QSqlQuery query = execSql(dm.db(), QString::fromLatin1(sql));
    while (query.next())
        items << query.value(0).toString();
    return items;
}

// A value as the program writes numbers and text.
QString valueText(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return {};
    if (value.typeId() == QMetaType::Double)
        return formatGeneral(value.toDouble());
    return value.toString();
}

} // namespace

QStringList rankingTests()
{
    QStringList tests;
    for (int i = 1; i <= TestCount; ++i)
        tests << QString::fromLatin1(TestCodes[i]);
    tests << QStringLiteral("XT");
    return tests;
}

RankingStatement buildRankingStatement(const RankingFilter& filter)
{
    const QString test = filter.test.toUpper();
    // The test names a column: only the known ones reach the statement.
    if (!rankingTests().contains(test))
        throw AppError(QStringLiteral("Neznan test: %1").arg(filter.test));
    const QString valueColumn = QStringLiteral("T_VREDNOST.") + test;
    // XT is its own T-score.
    const QString scoreColumn =
        test == QLatin1String("XT") ? valueColumn : QStringLiteral("T_VREDNOST.%1T").arg(test);
    const QString& rankColumn = filter.topIndex == 1 ? scoreColumn : valueColumn;

    RankingStatement statement;
    QStringList conditions;
    const QString grades = inCondition(QStringLiteral("T_MERITEV.RAZRED"), QStringLiteral("r"), filter.grades,
                                       true, statement.params);
    if (!grades.isEmpty())
        conditions << grades;
    const QString classes = inCondition(QStringLiteral("T_MERITEV.ODDELEK"), QStringLiteral("o"),
                                        filter.classes, false, statement.params);
    if (!classes.isEmpty())
        conditions << classes;
    if (filter.sexIndex == 1 || filter.sexIndex == 2) {
        conditions << QStringLiteral("T_UCENEC.SPOL=:spol");
        statement.params.emplace_back(QStringLiteral(":spol"), filter.sexIndex - 1);
    }
    if (filter.yearTicked) {
        conditions << QStringLiteral("T_MERITEV.LETO_MERITVE=:leto");
        statement.params.emplace_back(QStringLiteral(":leto"), filter.year);
    }
    for (const QString& condition : conditions) {
        if (statement.where.isEmpty())
            statement.where = QLatin1Char('(') + condition + QLatin1Char(')');
        else
            statement.where += QStringLiteral(" and (") + condition + QLatin1Char(')');
    }

    // The best RankingSize results and every row tied with the last of them.
    // Results without a value come after all others; they only fill the list
    // up to RankingSize rows and never count as tied.
    const QString order = QStringLiteral("%1 DESC NULLS LAST").arg(rankColumn);
    statement.lines << QStringLiteral("SELECT ime,priimek,spol,razred,oddelek,leto_meritve,v,t FROM (")
                    << QStringLiteral(
                           "SELECT T_UCENEC.IME AS ime,T_UCENEC.PRIIMEK AS priimek,T_UCENEC.SPOL AS spol,"
                           "T_MERITEV.RAZRED AS razred,T_MERITEV.ODDELEK AS oddelek,"
                           "T_MERITEV.LETO_MERITVE AS leto_meritve,%1 AS v,%2 AS t,%3 AS rank_value,")
                           .arg(valueColumn, scoreColumn, rankColumn)
                    << QStringLiteral("RANK() OVER (ORDER BY %1) AS place,"
                                      "ROW_NUMBER() OVER (ORDER BY %1, T_VREDNOST.ID_VREDNOST) AS n")
                           .arg(order)
                    << QString::fromLatin1(RankingFrom);
    if (!statement.where.isEmpty())
        statement.lines << QStringLiteral("WHERE ") + statement.where;
    statement.lines
        << QStringLiteral(") AS ranked")
        << QStringLiteral("WHERE (rank_value IS NOT NULL AND place <= %1) OR n <= %1").arg(RankingSize)
        << QStringLiteral("ORDER BY n");
    return statement;
}

void runRanking(TDM& dm, const RankingFilter& filter)
{
    const RankingStatement statement = buildRankingStatement(filter);
    Dataset& top = dm.A_TOP();
    top.clearSql();
    top.clearParams();
    for (const QString& line : statement.lines)
        top.addLine(line);
    for (const auto& [name, value] : statement.params)
        top.setParam(name, value);
    top.open();
}

QStringList rankingGradeItems(TDM& dm)
{
    return distinctItems(dm, GradeItemsSql);
}

QStringList rankingClassItems(TDM& dm)
{
    return distinctItems(dm, ClassItemsSql);
}

QString titleClickSort(const QString& currentSort, const QString& field)
{
    return currentSort == field ? field + QStringLiteral(" desc") : field;
}

QString rankingClipboardText(Dataset& ranking)
{
    const QChar tab = QLatin1Char('\t');
    const QChar cr = QChar(13);
    QString text;
    const QStringList fields = ranking.fieldNames();
    for (const QString& name : fields)
        text += name + tab;
    text += cr;
    for (int row = 0; row < ranking.rowCount(); ++row) {
        for (int column = 0; column < fields.size(); ++column)
            text += valueText(ranking.value(row, column)) + tab;
        text += cr;
    }
    if (!ranking.isEmpty())
        ranking.first();
    text += cr;
    return text;
}

QString copyRanking(TDM& dm)
{
    Dataset& top = dm.A_TOP();
    if (!top.isOpen())
        abortWithMessage(dm.prompter(), QStringLiteral("Seznam še ni prikazan. Najprej kliknite »Prikaži«."));
    return rankingClipboardText(top);
}

} // namespace gibomer

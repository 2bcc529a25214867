// The results row's scoring hook.
#include "scoring/ResultScoring.h"

#include "core/Dataset.h"
#include "core/Errors.h"
#include "core/Formats.h"
#include "core/TestTables.h"
#include "scoring/NormTable.h"
#include "scoring/TScore.h"

namespace gibomer {

namespace {

// A raw result of the row: nullopt for an empty field.
std::optional<double> rawResult(const Dataset& results, const QString& code)
{
    const QVariant value = results.field(code);
    if (value.isNull() || value.toString().isEmpty())
        return std::nullopt;
    if (value.metaType().id() == QMetaType::QString) {
        if (const auto number = parseNumber(value.toString()))
            return number;
    } else {
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (ok)
            return number;
    }
    throw ConversionError(QStringLiteral("\"%1\" ni veljavna vrednost za %2.").arg(value.toString(), code));
}

} // namespace

QDate birthDateFromField(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::QDate)
        return value.toDate();
    if (value.metaType().id() == QMetaType::QDateTime)
        return value.toDateTime().date();
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

void A_VNOSVBeforePost(Dataset& results, const Dataset& pupil, const Dataset& group,
                       const ProgramFolder& folder, Prompter& prompter)
{
    const int sex = pupil.field(QStringLiteral("SPOL")).toInt();
    const QDate birthDate = birthDateFromField(pupil.field(QStringLiteral("ROJSTVO")));
    const int grade = group.field(QStringLiteral("RAZRED")).toInt();
    const int schoolType = group.field(QStringLiteral("VRSTA")).toInt();
    const int year = group.field(QStringLiteral("LETO_MERITVE")).toInt();

    // Read every raw value before anything is set, so that an unreadable one
    // leaves the row as it was.
    TestValues raw;
    for (int test = 1; test <= TestCount; ++test)
        raw[test] = rawResult(results, QString::fromLatin1(TestCodes[test]));

    LoadNormTable(folder, prompter, year);

    TestValues tScores;
    for (int test = 1; test <= TestCount; ++test) {
        const QString tField = QString::fromLatin1(TestCodes[test]) + QLatin1Char('T');
        if (!raw[test]) {
            results.setField(tField, QVariant(QMetaType(QMetaType::Double)));
            continue;
        }
        tScores[test] = ComputeTScore(test, sex, grade, schoolType, *raw[test], birthDate, year);
        results.setField(tField, *tScores[test]);
    }
    const std::optional<double> xt = handEntryXT(raw, tScores);
    results.setField(QStringLiteral("XT"), xt ? QVariant(*xt) : QVariant(QMetaType(QMetaType::Double)));
}

} // namespace gibomer

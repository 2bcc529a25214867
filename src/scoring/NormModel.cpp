// Norm tables from a model of means and standard deviations, and their listing.
#include "scoring/NormModel.h"

#include "core/Errors.h"
#include "core/Formats.h"
#include "core/TestTables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace gibomer {

void NormModel::add(int sex, int age, int test, NormModelEntry entry)
{
    m_entries[{sex, age, test}] = entry;
}

bool NormModel::contains(int sex, int age, int test) const
{
    return m_entries.count({sex, age, test}) > 0;
}

std::optional<NormModelEntry> NormModel::nearest(int sex, int age, int test) const
{
    std::optional<NormModelEntry> best;
    int bestDistance = 0;
    for (int other = FirstNormAge; other <= LastNormAge; ++other) {
        const auto it = m_entries.find({sex, other, test});
        if (it == m_entries.end())
            continue;
        const int distance = std::abs(other - age);
        if (!best || distance < bestDistance) {
            best = it->second;
            bestDistance = distance;
        }
    }
    return best;
}

namespace {

AppError lineError(const QString& source, int line, const QString& what)
{
    return AppError(
        QStringLiteral("%1, vrstica %2: %3").arg(QDir::toNativeSeparators(source)).arg(line).arg(what));
}

} // namespace

NormModel parseNormModel(const QByteArray& text, const QString& sourceName)
{
    QString content = QString::fromUtf8(text);
    if (content.startsWith(QChar(0xfeff)))
        content.remove(0, 1);
    const QStringList lines = content.split(QLatin1Char('\n'));
    NormModel model;
    bool headerSeen = false;
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        const int lineNumber = n + 1;
        if (line.isEmpty())
            continue;
        const QChar separator = line.contains(QLatin1Char(';')) ? QLatin1Char(';') : QLatin1Char(',');
        QStringList fields = line.split(separator);
        for (QString& field : fields)
            field = field.trimmed();
        if (!headerSeen) {
            headerSeen = true;
            if (!parseInteger(fields.value(0)))
                continue; // the header
        }
        if (fields.size() != 6)
            throw lineError(
                sourceName, lineNumber,
                QStringLiteral("pričakovanih je šest polj (spol, starost, test, oznaka, povprečje, "
                               "standardni odklon), vrstica jih ima %1.")
                    .arg(fields.size()));
        const auto sex = parseInteger(fields[0]);
        const auto age = parseInteger(fields[1]);
        const auto test = parseInteger(fields[2]);
        const auto mean = parseNumber(fields[4]);
        const auto sd = parseNumber(fields[5]);
        if (!sex || (*sex != 1 && *sex != 2))
            throw lineError(sourceName, lineNumber, QStringLiteral("spol mora biti 1 ali 2."));
        if (!age || *age < FirstNormAge || *age > LastNormAge)
            throw lineError(
                sourceName, lineNumber,
                QStringLiteral("starost mora biti od %1 do %2.").arg(FirstNormAge).arg(LastNormAge));
        if (!test || *test < 1 || *test > TestCount)
            throw lineError(sourceName, lineNumber,
                            QStringLiteral("test mora biti od 1 do %1.").arg(TestCount));
        const QString code = QString::fromLatin1(TestCodes[*test]);
        if (!fields[3].isEmpty() && fields[3].compare(code, Qt::CaseInsensitive) != 0)
            throw lineError(
                sourceName, lineNumber,
                QStringLiteral("oznaka %1 ne ustreza testu %2 (%3).").arg(fields[3]).arg(*test).arg(code));
        if (!mean)
            throw lineError(sourceName, lineNumber,
                            QStringLiteral("povprečje \"%1\" ni število.").arg(fields[4]));
        if (!sd || *sd < 0)
            throw lineError(
                sourceName, lineNumber,
                QStringLiteral("standardni odklon \"%1\" ni nenegativno število.").arg(fields[5]));
        if (model.contains(*sex, *age, *test))
            throw lineError(sourceName, lineNumber,
                            QStringLiteral("spol %1, starost %2 in test %3 so že navedeni.")
                                .arg(*sex)
                                .arg(*age)
                                .arg(*test));
        model.add(*sex, *age, *test, {*mean, *sd});
    }
    return model;
}

NormModel readNormModel(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(
            QStringLiteral("Datoteke \"%1\" ni mogoče odpreti.").arg(QDir::toNativeSeparators(path)),
            file.errorString());
    return parseNormModel(file.readAll(), path);
}

double normModelValue(const NormModelEntry& entry, int tIndex)
{
    const double value = entry.mean + (tIndex - 50) / 10.0 * entry.sd;
    return std::max(0.0, std::round(value * 10.0) / 10.0);
}

NormTableData buildNormTable(const NormModel& model, QStringList* notes)
{
    NormTableData table;
    for (int sex = 1; sex <= NormSexes; ++sex) {
        for (int test = 1; test <= TestCount; ++test) {
            for (int age = FirstNormAge; age <= LastNormAge; ++age) {
                const std::optional<NormModelEntry> entry = model.nearest(sex, age, test);
                if (!entry) {
                    if (notes && age == FirstNormAge)
                        notes->append(
                            QStringLiteral("Spol %1, test %2 (%3): ni podatkov, norme ostanejo prazne (-1).")
                                .arg(sex)
                                .arg(test)
                                .arg(QString::fromLatin1(TestCodes[test])));
                    continue;
                }
                if (notes && !model.contains(sex, age, test))
                    notes->append(
                        QStringLiteral("Spol %1, starost %2, test %3 (%4): vzeta najbližja starost.")
                            .arg(sex)
                            .arg(age)
                            .arg(test)
                            .arg(QString::fromLatin1(TestCodes[test])));
                for (int i = FirstTIndex; i <= LastTIndex; ++i)
                    table.set(sex, age - FirstNormAge + 1, test, i, normModelValue(*entry, i));
            }
        }
    }
    return table;
}

void writeNormFile(const NormTableData& table, const QString& path)
{
    const QByteArray bytes = table.toBytes();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw IoError(QStringLiteral("Datoteke z normami \"%1\" ni mogoče zapisati.")
                          .arg(QDir::toNativeSeparators(path)),
                      file.errorString());
}

namespace {

QString formatNormValue(double value)
{
    if (value == NoNormValue)
        return QStringLiteral("-1");
    QString text = QString::number(std::round(value * 1000.0) / 1000.0, 'f', 3);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

QString testTitle(int test)
{
    return QString::fromLatin1(TestCodes[test]) +
           (scoreFallsWithValue(test) ? QStringLiteral("*") : QString());
}

} // namespace

QString dumpNormTable(const NormTableData& table, const NormDumpFilter& filter)
{
    QString out;
    QTextStream stream(&out);
    const auto chosen = [](const std::optional<int>& only, int value) { return !only || *only == value; };
    const bool oneTest = filter.test.has_value();
    constexpr int Width = 9;
    for (int sex = 1; sex <= NormSexes; ++sex) {
        if (!chosen(filter.sex, sex))
            continue;
        for (int age = FirstNormAge; age <= LastNormAge; ++age) {
            if (!chosen(filter.age, age))
                continue;
            const int group = age - FirstNormAge + 1;
            stream << QStringLiteral("Spol %1 (%2), starost %3 (starostna skupina %4)")
                          .arg(sex)
                          .arg(sex == 1 ? QStringLiteral("dečki") : QStringLiteral("deklice"))
                          .arg(age)
                          .arg(group);
            if (oneTest)
                stream << QStringLiteral(", test %1 (%2)")
                              .arg(*filter.test)
                              .arg(QString::fromLatin1(TestCodes[*filter.test]));
            stream << '\n';
            if (oneTest) {
                stream << QStringLiteral("%1%2%3\n")
                              .arg(QStringLiteral("indeks"), 6)
                              .arg(QStringLiteral("T"), 5)
                              .arg(QStringLiteral("vrednost"), Width + 2);
                for (int i = FirstTIndex; i <= LastTIndex; ++i)
                    stream << QStringLiteral("%1%2%3\n")
                                  .arg(i, 6)
                                  .arg(scoreFallsWithValue(*filter.test) ? 100 - i : i, 5)
                                  .arg(formatNormValue(table.at(sex, group, *filter.test, i)), Width + 2);
            } else {
                stream << QStringLiteral("%1%2%3")
                              .arg(QStringLiteral("indeks"), 6)
                              .arg(QStringLiteral("T"), 5)
                              .arg(QStringLiteral("T*"), 5);
                for (int test = 1; test <= TestCount; ++test)
                    stream << QStringLiteral("%1").arg(testTitle(test), Width);
                stream << '\n';
                for (int i = FirstTIndex; i <= LastTIndex; ++i) {
                    stream << QStringLiteral("%1%2%3").arg(i, 6).arg(i, 5).arg(100 - i, 5);
                    for (int test = 1; test <= TestCount; ++test)
                        stream << QStringLiteral("%1").arg(formatNormValue(table.at(sex, group, test, i)),
                                                           Width);
                    stream << '\n';
                }
                stream << QStringLiteral(
                    "* manjša vrednost je boljša: T* = 100 - indeks; drugod T = indeks.\n");
            }
            stream << '\n';
        }
    }
    stream.flush();
    return out;
}

} // namespace gibomer

#include "Arguments.h"

#include "core/Formats.h"

namespace gibomer::cli {

Arguments Arguments::parse(const QStringList& args, const std::vector<OptionSpec>& specs)
{
    Arguments parsed;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith(QStringLiteral("--")) || arg == QStringLiteral("--")) {
            parsed.m_positional << arg;
            continue;
        }
        QString name = arg.mid(2);
        std::optional<QString> inlineValue;
        if (const qsizetype eq = name.indexOf(QLatin1Char('=')); eq >= 0) {
            inlineValue = name.mid(eq + 1);
            name = name.left(eq);
        }
        const auto spec =
            std::find_if(specs.begin(), specs.end(), [&](const OptionSpec& s) { return s.name == name; });
        if (spec == specs.end())
            throw UsageError(QStringLiteral("Neznana izbira --%1.").arg(name));
        if (parsed.has(name))
            throw UsageError(QStringLiteral("Izbira --%1 je podana dvakrat.").arg(name));
        if (!spec->takesValue) {
            if (inlineValue)
                throw UsageError(QStringLiteral("Izbira --%1 nima vrednosti.").arg(name));
            parsed.m_flags.insert(name);
            continue;
        }
        if (inlineValue) {
            parsed.m_values.insert(name, *inlineValue);
        } else {
            if (i + 1 >= args.size())
                throw UsageError(QStringLiteral("Izbira --%1 potrebuje vrednost.").arg(name));
            parsed.m_values.insert(name, args[++i]);
        }
    }
    return parsed;
}

std::optional<int> Arguments::integer(const QString& name, int low, int high) const
{
    if (!m_values.contains(name))
        return std::nullopt;
    const auto number = parseInteger(m_values.value(name));
    if (!number || *number < low || *number > high)
        throw UsageError(QStringLiteral("--%1 mora biti celo število od %2 do %3 (podano: \"%4\").")
                             .arg(name)
                             .arg(low)
                             .arg(high)
                             .arg(m_values.value(name)));
    return number;
}

std::optional<QDate> Arguments::date(const QString& name) const
{
    if (!m_values.contains(name))
        return std::nullopt;
    const auto parsed = parseDate(m_values.value(name));
    if (!parsed || !parsed->isValid())
        throw UsageError(QStringLiteral("--%1 mora biti datum v obliki dd.mm.llll (podano: \"%2\").")
                             .arg(name, m_values.value(name)));
    return parsed;
}

std::optional<int> Arguments::choice(const QString& name, const QStringList& choices) const
{
    if (!m_values.contains(name))
        return std::nullopt;
    const qsizetype index = choices.indexOf(m_values.value(name).toLower());
    if (index < 0)
        throw UsageError(QStringLiteral("--%1 mora biti %2 (podano: \"%3\").")
                             .arg(name, choices.join(QStringLiteral(", ")), m_values.value(name)));
    return int(index);
}

QString Arguments::required(const QString& name) const
{
    if (!m_values.contains(name) || m_values.value(name).isEmpty())
        throw UsageError(QStringLiteral("Manjka izbira --%1.").arg(name));
    return m_values.value(name);
}

void Arguments::expectPositional(int count, const QString& what) const
{
    if (m_positional.size() < count)
        throw UsageError(QStringLiteral("Manjka %1.").arg(what));
    if (m_positional.size() > count)
        throw UsageError(QStringLiteral("Odveč argument \"%1\".").arg(m_positional.at(count)));
}

void Arguments::exclusive(const QStringList& names) const
{
    QStringList given;
    for (const QString& name : names)
        if (has(name))
            given << QStringLiteral("--") + name;
    if (given.size() > 1)
        throw UsageError(
            QStringLiteral("Izbiri %1 se izključujeta.").arg(given.join(QStringLiteral(" in "))));
}

} // namespace gibomer::cli

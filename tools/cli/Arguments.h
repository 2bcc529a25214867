// The arguments of one command: its positional values and its options, each
// option known in advance as a flag or as an option with a value.
#pragma once

#include <QDate>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>
#include <vector>

namespace gibomer::cli {

// Wrong arguments: the message and exit code 2.
class UsageError : public std::runtime_error
{
public:
    explicit UsageError(const QString& message) : std::runtime_error(message.toStdString()), text(message) {}
    QString text;
};

struct OptionSpec
{
    QString name; // without the leading "--"
    bool takesValue = true;
};

class Arguments
{
public:
    // Options may come before, between and after the positional values;
    // "--name value" and "--name=value" are both read. Throws UsageError for
    // an unknown option, a missing value or an option given twice.
    static Arguments parse(const QStringList& args, const std::vector<OptionSpec>& specs);

    const QStringList& positional() const { return m_positional; }
    bool has(const QString& name) const { return m_values.contains(name) || m_flags.contains(name); }
    QString value(const QString& name) const { return m_values.value(name); }

    // The option's whole number within low..high; nullopt when not given.
    std::optional<int> integer(const QString& name, int low, int high) const;
    // A date written "dd.mm.yyyy".
    std::optional<QDate> date(const QString& name) const;
    // The index of the value in choices; nullopt when not given.
    std::optional<int> choice(const QString& name, const QStringList& choices) const;
    // The option's value, which must be given and not be empty.
    QString required(const QString& name) const;
    // Exactly `count` positional values, named in the message.
    void expectPositional(int count, const QString& what) const;
    // At most one of the options.
    void exclusive(const QStringList& names) const;

private:
    QStringList m_positional;
    QMap<QString, QString> m_values;
    QSet<QString> m_flags;
};

} // namespace gibomer::cli

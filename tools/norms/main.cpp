// gibomer-norms: builds norm files from a model of means and standard
// deviations, lists norm files as readable tables, and generates the upgrade
// scripts with the reference data.
#include "core/Errors.h"
#include "scoring/NormModel.h"
#include "scoring/NormTable.h"
#include "scoring/ReferenceData.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <optional>

using namespace gibomer;

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

const char* const Usage =
    "Uporaba:\n"
    "  gibomer-norms build MODEL.csv IZHOD.dat\n"
    "      Iz modela (vrstice spol,starost,test,oznaka,povprečje,odklon) zgradi datoteko z normami.\n"
    "      Spol 1 so dečki, 2 deklice; starost 7..20; test 1..11. Vrednost pri indeksu T i je\n"
    "      povprečje + (i - 50) / 10 * odklon, nikoli pod 0, na eno decimalko.\n"
    "  gibomer-norms dump DATOTEKA.dat [--sex S] [--age A] [--test T]\n"
    "      Izpiše datoteko z normami kot tabelo (S 1 ali 2, A 7..20, T 1..11).\n"
    "  gibomer-norms scripts MODEL.csv MAPA\n"
    "      V MAPO zapiše skripti D0003.txt (vrednotenje) in D0004.txt (referenčne vrednosti).\n"
    "  gibomer-norms --help\n"
    "Izhodne kode: 0 uspeh, 1 napaka, 2 napačni argumenti.\n";

void print(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
}

int usageError(const QString& why)
{
    print(stderr, why + QLatin1Char('\n'));
    print(stderr, QString::fromUtf8(Usage));
    return ExitUsage;
}

void writeText(const QString& path, const QString& text)
{
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw IoError(QStringLiteral("Datoteke \"%1\" ni mogoče zapisati: %2")
                          .arg(QDir::toNativeSeparators(path), file.errorString()));
}

int build(const QStringList& args)
{
    if (args.size() != 2)
        return usageError(QStringLiteral("build potrebuje model in izhodno datoteko."));
    const NormModel model = readNormModel(args[0]);
    QStringList notes;
    const NormTableData table = buildNormTable(model, &notes);
    writeNormFile(table, args[1]);
    for (const QString& note : notes)
        print(stderr, note + QLatin1Char('\n'));
    print(stdout, QStringLiteral("%1: %2 vrstic modela -> %3\n")
                      .arg(QDir::toNativeSeparators(args[0]))
                      .arg(model.size())
                      .arg(QDir::toNativeSeparators(args[1])));
    return ExitOk;
}

std::optional<int> optionValue(const QString& text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

int dump(const QStringList& args)
{
    if (args.isEmpty())
        return usageError(QStringLiteral("dump potrebuje datoteko z normami."));
    NormDumpFilter filter;
    for (int i = 1; i < args.size(); i += 2) {
        const QString& option = args[i];
        if (i + 1 >= args.size())
            return usageError(QStringLiteral("%1 potrebuje vrednost.").arg(option));
        const QString& text = args[i + 1];
        if (option == QLatin1String("--sex")) {
            if (!(filter.sex = optionValue(text, 1, NormSexes)))
                return usageError(QStringLiteral("--sex mora biti 1 ali 2."));
        } else if (option == QLatin1String("--age")) {
            if (!(filter.age = optionValue(text, FirstNormAge, LastNormAge)))
                return usageError(
                    QStringLiteral("--age mora biti od %1 do %2.").arg(FirstNormAge).arg(LastNormAge));
        } else if (option == QLatin1String("--test")) {
            if (!(filter.test = optionValue(text, 1, NormTests)))
                return usageError(QStringLiteral("--test mora biti od 1 do %1.").arg(NormTests));
        } else {
            return usageError(QStringLiteral("Neznana izbira %1.").arg(option));
        }
    }
    print(stdout, dumpNormTable(readNormFile(args[0]), filter));
    return ExitOk;
}

int scripts(const QStringList& args)
{
    if (args.size() != 2)
        return usageError(QStringLiteral("scripts potrebuje model in mapo."));
    const NormModel model = readNormModel(args[0]);
    const QDir folder(args[1]);
    if (!QDir().mkpath(folder.absolutePath()))
        throw IoError(
            QStringLiteral("Mape \"%1\" ni mogoče ustvariti.").arg(QDir::toNativeSeparators(args[1])));
    writeText(folder.filePath(QStringLiteral("D0003.txt")), evaluationBandsScript(3));
    writeText(folder.filePath(QStringLiteral("D0004.txt")), referenceResultsScript(model, 4));
    return ExitOk;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.isEmpty())
        return usageError(QStringLiteral("Manjka ukaz."));
    const QString command = args.takeFirst();
    try {
        if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
            command == QLatin1String("help")) {
            print(stdout, QString::fromUtf8(Usage));
            return ExitOk;
        }
        if (command == QLatin1String("build"))
            return build(args);
        if (command == QLatin1String("dump"))
            return dump(args);
        if (command == QLatin1String("scripts"))
            return scripts(args);
        return usageError(QStringLiteral("Neznan ukaz %1.").arg(command));
    } catch (const AppError& error) {
        print(stderr,
              error.message() +
                  (error.details().isEmpty() ? QString()
                                             : QStringLiteral(" (") + error.details() + QLatin1Char(')')) +
                  QLatin1Char('\n'));
        return ExitFailure;
    } catch (const std::exception& error) {
        print(stderr, QString::fromUtf8(error.what()) + QLatin1Char('\n'));
        return ExitFailure;
    }
}

// gibomer-demo: writes a made-up school's exchange archive (sola.txt and one
// exchange file per school year, password-protected), with results drawn from
// the norm model, so that the archive import can be tried on realistic data.
#include "core/TestTables.h"
#include "exchange/Windows1250.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QStringList>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <vector>
#include <zip.h>

namespace {

using namespace gibomer;

struct School
{
    int code = 4321;
    QString name = QStringLiteral("OŠ Lipa pod Goro");
    QString address = QStringLiteral("Šolska ulica 12");
    QString post = QStringLiteral("3299");
    QString town = QStringLiteral("Lipa pod Goro");
};

// mean and sd per (sex 1..2, age, test)
using Model = std::map<std::tuple<int, int, int>, std::pair<double, double>>;

Model readModel(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        std::exit(1);
    }
    Model model;
    QTextStream in(&file);
    in.readLine(); // header
    while (!in.atEnd()) {
        const QStringList f = in.readLine().split(QLatin1Char(','));
        if (f.size() < 6)
            continue;
        model[{f[0].toInt(), f[1].toInt(), f[2].toInt()}] = {f[4].toDouble(), f[5].toDouble()};
    }
    return model;
}

const QStringList Surnames = {
    QStringLiteral("Novak"),     QStringLiteral("Horvat"),   QStringLiteral("Kovačič"),
    QStringLiteral("Krajnc"),    QStringLiteral("Zupančič"), QStringLiteral("Potočnik"),
    QStringLiteral("Kovač"),     QStringLiteral("Mlakar"),   QStringLiteral("Kos"),
    QStringLiteral("Vidmar"),    QStringLiteral("Golob"),    QStringLiteral("Turk"),
    QStringLiteral("Božič"),     QStringLiteral("Kralj"),    QStringLiteral("Korošec"),
    QStringLiteral("Zupan"),     QStringLiteral("Bizjak"),   QStringLiteral("Hribar"),
    QStringLiteral("Kotnik"),    QStringLiteral("Kavčič"),   QStringLiteral("Rozman"),
    QStringLiteral("Kastelic"),  QStringLiteral("Oblak"),    QStringLiteral("Žagar"),
    QStringLiteral("Petek"),     QStringLiteral("Kolar"),    QStringLiteral("Košir"),
    QStringLiteral("Žnidaršič"), QStringLiteral("Čeh"),      QStringLiteral("Šturm"),
    QStringLiteral("Jerše"),     QStringLiteral("Černe"),    QStringLiteral("Štrukelj"),
    QStringLiteral("Vrečko"),    QStringLiteral("Pečar"),    QStringLiteral("Žižek"),
};
const QStringList BoyNames = {
    QStringLiteral("Luka"), QStringLiteral("Jakob"), QStringLiteral("Žan"),    QStringLiteral("Nik"),
    QStringLiteral("Jaka"), QStringLiteral("Tim"),   QStringLiteral("Gašper"), QStringLiteral("Matic"),
    QStringLiteral("Anže"), QStringLiteral("Žiga"),  QStringLiteral("Miha"),   QStringLiteral("Tilen"),
    QStringLiteral("Jure"), QStringLiteral("Aljaž"), QStringLiteral("Urban"),  QStringLiteral("Vid"),
};
const QStringList GirlNames = {
    QStringLiteral("Eva"),   QStringLiteral("Zala"),  QStringLiteral("Ema"),   QStringLiteral("Lana"),
    QStringLiteral("Sara"),  QStringLiteral("Nika"),  QStringLiteral("Maša"),  QStringLiteral("Špela"),
    QStringLiteral("Neža"),  QStringLiteral("Živa"),  QStringLiteral("Ana"),   QStringLiteral("Lara"),
    QStringLiteral("Tjaša"), QStringLiteral("Urška"), QStringLiteral("Klara"), QStringLiteral("Manca"),
};

// The old seven-bit spelling of č Č š Š ž Ž.
QByteArray sevenBit(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("č"), QStringLiteral("~"));
    t.replace(QStringLiteral("Č"), QStringLiteral("^"));
    t.replace(QStringLiteral("š"), QStringLiteral("{"));
    t.replace(QStringLiteral("Š"), QStringLiteral("["));
    t.replace(QStringLiteral("ž"), QStringLiteral("`"));
    t.replace(QStringLiteral("Ž"), QStringLiteral("@"));
    return t.toLatin1();
}

struct Pupil
{
    QString surname, name;
    int sex = 0; // 0 boy, 1 girl
    QDate born;
    int entryYear = 0; // school year in which the pupil is in grade 1
    char oddelek = 'A';
    std::array<double, TestCount + 1> talent{}; // lasting standing in each test, in sd
    int leavesAfter = 99;                       // last grade at this school
    int joinsAt = 1;                            // first grade at this school
};

class Generator
{
public:
    Generator(const Model& model, unsigned seed) : m_model(model), m_random(seed) {}

    QByteArray yearFile(const School& school, int year, std::vector<Pupil>& pupils)
    {
        QByteArray out;
        // pupils listed by grade and class, as a school's register would
        std::vector<const Pupil*> present;
        for (const Pupil& p : pupils) {
            const int grade = year - p.entryYear + 1;
            if (grade >= std::max(1, p.joinsAt) && grade <= std::min(9, p.leavesAfter))
                present.push_back(&p);
        }
        std::stable_sort(present.begin(), present.end(), [&](const Pupil* a, const Pupil* b) {
            return std::tuple(a->entryYear * -1, a->oddelek, a->surname, a->name) <
                   std::tuple(b->entryYear * -1, b->oddelek, b->surname, b->name);
        });
        for (const Pupil* p : present)
            out += line(school, year, *p) + "\r\n";
        return out;
    }

    std::vector<Pupil> pupils(int firstYear, int lastYear)
    {
        std::vector<Pupil> all;
        std::uniform_int_distribution<int> classSize(16, 21);
        for (int entry = firstYear - 8; entry <= lastYear; ++entry) {
            for (char oddelek : {'A', 'B'}) {
                const int n = classSize(m_random);
                for (int i = 0; i < n; ++i)
                    all.push_back(pupil(entry, oddelek));
            }
        }
        return all;
    }

private:
    Pupil pupil(int entryYear, char oddelek)
    {
        Pupil p;
        p.sex = std::bernoulli_distribution(0.5)(m_random) ? 1 : 0;
        const QStringList& names = p.sex ? GirlNames : BoyNames;
        do {
            p.surname = pick(Surnames);
            p.name = pick(names);
        } while (p.surname.size() + 1 + p.name.size() > 20);
        p.entryYear = entryYear;
        p.oddelek = oddelek;
        // most are born in the calendar year that makes them 7 in grade 1's year
        const int birthYear = entryYear - 7 + (std::bernoulli_distribution(0.08)(m_random) ? -1 : 0);
        p.born = QDate(birthYear, 1, 1).addDays(std::uniform_int_distribution<int>(0, 364)(m_random));
        std::normal_distribution<double> standard;
        const double general = standard(m_random);
        for (int t = 1; t <= TestCount; ++t)
            p.talent[t] = 0.55 * general + 0.6 * standard(m_random);
        if (std::bernoulli_distribution(0.04)(m_random))
            p.leavesAfter = std::uniform_int_distribution<int>(1, 8)(m_random);
        if (std::bernoulli_distribution(0.04)(m_random))
            p.joinsAt = std::uniform_int_distribution<int>(2, 9)(m_random);
        return p;
    }

    const QString& pick(const QStringList& list)
    {
        return list[std::uniform_int_distribution<int>(0, int(list.size()) - 1)(m_random)];
    }

    QByteArray result(const Pupil& p, int test, int age)
    {
        const auto it = m_model.find({p.sex + 1, std::clamp(age, 7, 20), test});
        if (it == m_model.end())
            return QByteArray(TestWidths[test], ' ');
        const auto [mean, sd] = it->second;
        // a better pupil runs faster and has less skinfold
        const double sign = scoreFallsWithValue(test) ? -1.0 : 1.0;
        std::normal_distribution<double> noise(0.0, 0.55);
        const double value = mean + sd * (sign * p.talent[test] + noise(m_random));
        const int max = int(std::pow(10, TestWidths[test])) - 1;
        const int whole = std::clamp(int(std::lround(value)), 0, max);
        return QByteArray::number(whole).rightJustified(TestWidths[test], ' ');
    }

    QByteArray line(const School& school, int year, const Pupil& p)
    {
        const int grade = year - p.entryYear + 1;
        const int age = year - p.born.year();
        const bool absentFromRun = std::bernoulli_distribution(0.05)(m_random);
        QByteArray results;
        for (int t = 1; t <= TestCount; ++t) {
            const bool missing = std::bernoulli_distribution(0.02)(m_random) || (t == 11 && absentFromRun);
            results += missing ? QByteArray(TestWidths[t], ' ') : result(p, t, age);
        }
        const QByteArray emso = QByteArray::number(p.born.day()).rightJustified(2, '0') +
                                QByteArray::number(p.born.month()).rightJustified(2, '0') +
                                QByteArray::number(p.born.year() % 1000).rightJustified(3, '0') + "50" +
                                (p.sex ? "5" : "0");
        const QByteArray serial = QByteArray::number(std::uniform_int_distribution<int>(100, 999)(m_random));
        const QByteArray nameBlock =
            (sevenBit(p.surname) + ' ' + sevenBit(p.name)).leftJustified(20, ' ', true);
        return QByteArray("0") + QByteArray::number(school.code).rightJustified(4, '0') + "9" +
               QByteArray::number(grade) + p.oddelek + emso + serial + nameBlock + results +
               QByteArray::number(year % 100).rightJustified(2, '0');
    }

    const Model& m_model;
    std::mt19937 m_random;
};

bool addMember(zip_t* archive, const QString& name, const QByteArray& content, zip_uint16_t method,
               const QByteArray& password)
{
    // libzip reads the buffer when the archive is closed
    void* copy = std::malloc(std::max<qsizetype>(content.size(), 1));
    std::memcpy(copy, content.constData(), content.size());
    zip_source_t* source = zip_source_buffer(archive, copy, content.size(), 1);
    if (!source)
        return false;
    const zip_int64_t index = zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_OVERWRITE);
    if (index < 0) {
        zip_source_free(source);
        return false;
    }
    return zip_file_set_encryption(archive, zip_uint64_t(index), method, password.constData()) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(
            stderr,
            "usage: gibomer-demo <norm-model.csv> <archive.zip> [password] [first-year] [last-year] [seed]\n"
            "Writes a made-up school's exchange archive, encrypted with AES-256.\n");
        return 2;
    }
    const Model model = readModel(args[1]);
    const QString output = args[2];
    const QByteArray password = args.value(3, QStringLiteral("telovadba")).toUtf8();
    const int firstYear = args.value(4, QStringLiteral("2019")).toInt();
    const int lastYear = args.value(5, QStringLiteral("2024")).toInt();
    const unsigned seed = args.value(6, QStringLiteral("2024")).toUInt();
    if (firstYear < 1951 || lastYear > 2050 || firstYear > lastYear) {
        std::fprintf(stderr, "years must lie within 1951..2050\n");
        return 2;
    }

    const School school;
    Generator generator(model, seed);
    std::vector<Pupil> pupils = generator.pupils(firstYear, lastYear);

    QFile::remove(output);
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(output).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(output));
        return 1;
    }
    const QByteArray sola = toWindows1250(
        QStringList{QString::number(school.code), school.name, school.address, school.post, school.town}.join(
            QStringLiteral("\r\n")) +
        QStringLiteral("\r\n"));
    bool ok = addMember(archive, QStringLiteral("sola.txt"), sola, ZIP_EM_AES_256, password);
    int records = 0;
    for (int year = firstYear; year <= lastYear && ok; ++year) {
        const QByteArray content = generator.yearFile(school, year, pupils);
        records += int(content.count('\n'));
        const QString name =
            QStringLiteral("S%1%2").arg(school.code).arg(year % 100, 2, 10, QLatin1Char('0'));
        ok = addMember(archive, name, content, ZIP_EM_AES_256, password);
    }
    if (!ok || zip_close(archive) != 0) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(output), zip_strerror(archive));
        zip_discard(archive);
        return 1;
    }
    std::printf("%s: %d pupils' yearly records of %d school years, password \"%s\"\n", qPrintable(output),
                records, lastYear - firstYear + 1, password.constData());
    return 0;
}

// Times the four kinds of analysis (statements and chart model, without
// painting) on a generated school of about 30,000 and 300,000 results rows.
#include "analysis/AnalysisBuilder.h"
#include "analysis/AnalysisFixture.h"
#include "core/Prompter.h"
#include "support/TestFolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <ctime>

using namespace gibomer;

namespace {

class PrintingPrompter : public Prompter
{
public:
    void message(const QString& text) override { std::printf("message: %s\n", qPrintable(text)); }
    bool confirm(const QString&) override { return false; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return {}; }
    QStringList openFiles(const QString&, const QString&, const QString&) override { return {}; }
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<int> choosePupil(const QList<PupilCandidate>&) override { return {}; }
};

// The best of a few runs: wall-clock and processor time in milliseconds (on a
// shared machine the processor time is the steadier figure).
struct Timing
{
    double wall = 1e18, cpu = 1e18;
};

Timing timeMs(const std::function<void()>& work, int repeats = 5)
{
    Timing best;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        const std::clock_t cpu = std::clock();
        work();
        best.cpu = std::min(best.cpu, double(std::clock() - cpu) * 1000.0 / CLOCKS_PER_SEC);
        best.wall = std::min(best.wall, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

void run(int classes, int pupils)
{
    test::TestFolder folder;
    PrintingPrompter prompter;
    auto dm = folder.openDataModule(prompter);
    const int first = 2002, years = 20, last = first + years - 1;
    QElapsedTimer fill;
    fill.start();
    const int rows = test::fillGeneratedSchool(*dm, first, years, classes, pupils);
    std::printf("\n%d results rows (generated in %.0f ms)\n", rows, fill.nsecsElapsed() / 1e6);

    AnalysisSelection s = defaultSelection(QDate(last, 5, 1));
    s.letoOdU = s.letoOdR = s.letoOdG = s.letoOdC = first;
    s.letoDoU = s.letoDoR = s.letoDoG = s.letoDoC = last;

    AnalysisSelection pupil = s;
    pupil.kind = AnalysisKind::Pupil;
    pupil.priimekU = QStringLiteral("PRIIMEK%1").arg(classes * pupils * 12 + 3);
    const Timing search = timeMs([&] { FindPupils(*dm, pupil); });
    takeChosenPupil(pupil, dm->A_PUCENCI());

    AnalysisSelection grade = s;
    grade.kind = AnalysisKind::ClassGrade;
    grade.razredR = 5;
    grade.oddelekR = QStringLiteral("A");

    AnalysisSelection generation = s;
    generation.kind = AnalysisKind::Generation;
    generation.genG = last;
    generation.razredG = 9;
    generation.letoOdG = last - 8;

    AnalysisSelection school = s;
    school.kind = AnalysisKind::WholeSchool;

    std::printf("  %-28s %8s %8s\n", "", "wall", "cpu");
    std::printf("  %-28s %5.1f ms %5.1f ms\n", "pupil search (surname)", search.wall, search.cpu);
    const std::pair<const char*, AnalysisSelection*> kinds[] = {{"pupil", &pupil},
                                                                {"grade 5, class A", &grade},
                                                                {"generation (9 years)", &generation},
                                                                {"whole school (20 years)", &school}};
    for (const auto& [name, selection] : kinds) {
        int series = 0;
        const Timing t = timeMs([&] { series = int(BuildAnalysis(*dm, *selection).chart.series.size()); });
        std::printf("  %-28s %5.1f ms %5.1f ms  (%d years)\n", name, t.wall, t.cpu, series);
        if (qEnvironmentVariableIsSet("GIBOMER_BENCH_SQL"))
            std::printf("%s\n", qPrintable(dm->A_PVRE().sql()));
    }
    // A copy of the database to study the statements with the sqlite3 tool.
    const QString keep = qEnvironmentVariable("GIBOMER_BENCH_KEEP");
    if (!keep.isEmpty())
        QFile::copy(folder.folder().databaseFile(), keep + QString::number(rows) + QStringLiteral(".db"));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    run(6, 28);  // 20 years x 9 grades x 6 classes x 28 pupils = 30,240 rows
    run(20, 84); // 302,400 rows
    return 0;
}

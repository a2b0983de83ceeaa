// A student's statistics file "成績記録<n>.dat": loaded by the drill for
// each of the four levels, shown as the start panel's lists, the history
// line and the fact map, and saved back as the end of a session saves it.
#include <cstdio>
#include <cstdlib>

#include "drill/drillsession.h"
#include "drill/factmap.h"
#include "drill/problemstat.h"
#include "fuzzschool.h"

namespace {

constexpr int Student = 7;

[[noreturn]] void broken(const char *what, int level)
{
    std::fprintf(stderr, "%s at level %d\n", what, level);
    std::abort();
}

QByteArray levelBytes(const QString &path, int level)
{
    LevelStats stats{};
    QString error;
    if (!ProblemStatFile::readLevel(path, level, stats, &error))
        broken("the saved level cannot be read", level);
    QByteArray bytes;
    for (const ProblemStat &stat : stats)
        bytes += stat.toBytes();
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzSchool &school = FuzzSchool::instance();
    school.forgetRun();
    AppState &state = school.state();
    const QString path = school.statisticsPath(Student);
    FuzzSchool::write(path, data, size);
    state.StudentNumber = Student;

    for (int level = 1; level <= state.LevelCount; ++level) {
        const QByteArray before = levelBytes(path, level);
        DrillSession session(state, school.platform(), level);
        session.loadLevel();
        (void)session.problemLists();

        const qint32 target = state.LevelStandards[std::size_t(level)].TargetTime;
        const DrillProblemTable facts = FactMap::storedFacts(state.DataFolder, Student, level);
        for (int i = 1; i <= MaxProblemCount; ++i) {
            (void)FactMap::markOf(FactMap::standingOf(facts[std::size_t(i)], target));
            (void)FactMap::describe(level, facts[std::size_t(i)], target);
        }

        // Each problem drawn once, with the history line under it; the
        // draws are scripted so that each one hits an unused problem.
        QList<double> draws;
        for (int i = 0; i < MaxProblemCount; ++i)
            draws.append((i + 0.5) / MaxProblemCount);
        school.doubles().random.script(draws);
        qint64 tick = 0;
        for (int draw = 0; draw < MaxProblemCount; ++draw)
            (void)session.nextProblem(tick += 1000);

        // Saved as loaded, the level's counters must come back as they were.
        DrillProblemTable problems{};
        LevelStatistics statistics(state.DataFolder, Student, level, school.platform().dialogs);
        statistics.load(problems);
        if (statistics.save(problems) && levelBytes(path, level) != before)
            broken("counters saved as loaded came back changed", level);
    }
    return 0;
}

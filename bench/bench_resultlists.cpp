#include <benchmark/benchmark.h>

#include <QDate>

#include <random>
#include <vector>

#include "app/oledate.h"
#include "menu/rankings.h"
#include "menu/resultlogs.h"

using namespace ResultLists;

namespace {

constexpr int Students = 2000;
constexpr int Records = 20000;
constexpr int Levels = 4;
const QDate Today(2026, 12, 9);

std::vector<RankingStudent> classOf2000()
{
    std::mt19937 engine(7);
    std::uniform_int_distribution<qint32> time(60, 400);
    std::uniform_int_distribution<qint32> points(0, 300);
    std::vector<RankingStudent> students;
    for (int i = 1; i <= Students; ++i) {
        const bool hasRecord = i % 5 != 0;
        students.push_back({qint16(i), QStringLiteral("生徒%1").arg(i), 1 + i % 9,
                            hasRecord ? time(engine) : TimeScore::NoTime, points(engine) / 10, points(engine)});
    }
    return students;
}

std::vector<LogRecord> sessions()
{
    std::mt19937 engine(11);
    std::uniform_int_distribution<qint32> student(1, Students);
    std::uniform_int_distribution<qint32> level(1, Levels);
    std::uniform_int_distribution<qint32> time(60, 400);
    std::vector<LogRecord> records;
    // Spread over about 60 days, newest last, as the file keeps them.
    for (int i = 0; i < Records; ++i) {
        const double date = OleDate::fromDate(Today) - 60 + (60.0 * i) / Records;
        records.push_back({std::trunc(date), 0.4, student(engine), level(engine), time(engine)});
    }
    return records;
}

LogContext contextFor(const std::vector<RankingStudent> &students)
{
    LogContext context;
    context.levelCount = Levels;
    context.today = Today;
    context.gradeFilter = QStringLiteral("全学年");
    context.currentStudent = 1;
    context.student = [&students](qint32 number) {
        if (number < 1 || number > Students)
            return LogStudent{};
        const RankingStudent &s = students[std::size_t(number - 1)];
        return LogStudent{s.name, s.gradeNumber};
    };
    context.points = [](qint32 timeScore, int) { return timeScore < 100 ? 10 : 4; };
    return context;
}

void BM_FourRankings(benchmark::State &state)
{
    const std::vector<RankingStudent> students = classOf2000();
    const auto kind = RankingKind(state.range(0));
    for (auto _ : state) {
        for (int level = 1; level <= Levels; ++level)
            benchmark::DoNotOptimize(levelRanking(students, kind, QStringLiteral("全学年"), 1));
    }
}
BENCHMARK(BM_FourRankings)
    ->Arg(int(RankingKind::BestTime))
    ->Arg(int(RankingKind::TotalPoints))
    ->Arg(int(RankingKind::TodayPoints))
    ->Unit(benchmark::kMillisecond);

void BM_PeriodLog(benchmark::State &state)
{
    const std::vector<RankingStudent> students = classOf2000();
    const std::vector<LogRecord> records = sessions();
    const LogContext context = contextFor(students);
    for (auto _ : state)
        benchmark::DoNotOptimize(periodLog(records, context, int(state.range(0)), LogView::Time));
}
BENCHMARK(BM_PeriodLog)->Arg(3)->Arg(5)->Unit(benchmark::kMillisecond);

void BM_TodayLog(benchmark::State &state)
{
    const std::vector<RankingStudent> students = classOf2000();
    const std::vector<LogRecord> records = sessions();
    const LogContext context = contextFor(students);
    for (auto _ : state)
        benchmark::DoNotOptimize(todayLog(records, context));
}
BENCHMARK(BM_TodayLog)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

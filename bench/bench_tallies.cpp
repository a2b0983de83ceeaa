#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/appstate.h"
#include "benchplatform.h"
#include "app/oledate.h"
#include "store/resultsfile.h"
#include "store/tallies.h"

namespace {

constexpr int Records = 20000;
constexpr int Students = 2000;

// A school's file: 20000 sessions of 2000 students over the last 60 days.
struct Fixture
{
    Fixture()
    {
        state->DataFolder = dir.path() + u'/';
        const int targets[] = {120, 150, 130, 170};
        for (int level = 1; level <= 4; ++level) {
            LevelStandard &row = state->LevelStandards[level];
            row.TargetTime = targets[level - 1];
            row.PointMultiplier = 1.0f;
            row.ClearCount = 5;
            row.ClearPoints = 40;
            row.JudgeDays = QStringLiteral("14");
            row.OveruseDays = QStringLiteral("1");
        }
        const double today = OleDate::fromDate(clock.today());
        QByteArray bytes(Records * ResultRecordLength, '\0');
        quint32 seed = 12345;
        for (int i = 0; i < Records; ++i) {
            seed = seed * 1103515245u + 12345u;
            const int level = int(seed >> 8) % 4 + 1;
            const qint32 time = (seed >> 4) % 50 == 0 ? 99999 : 60 + int(seed >> 12) % 240;
            const ResultRecord r = ResultRecord::make(today - 60 + i * 60.0 / Records, 0.4,
                                                      qint16(i % Students + 1), qint16(level), time,
                                                      QStringLiteral("00123"));
            r.encode(reinterpret_cast<unsigned char *>(bytes.data()) + i * ResultRecordLength);
        }
        QFile file(ResultsFile::pathIn(state->DataFolder));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
    }

    QTemporaryDir dir;
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    BenchPlatform bench;
    SystemClock &clock = bench.clock;
    Platform &platform = bench.platform;
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_ComputeTallies(benchmark::State &st)
{
    Fixture &f = fixture();
    for (auto _ : st) {
        if (!ComputeTallies(*f.state, f.platform))
            std::abort();
        benchmark::DoNotOptimize(f.state->ResultTallies.at(1, 1));
    }
    if (f.state->ResultTable.count != Records)
        st.SkipWithError("not every record was loaded");
}

// The load on its own, to see how the time splits.
void BM_LoadResultsOnly(benchmark::State &st)
{
    Fixture &f = fixture();
    for (auto _ : st) {
        if (!LoadResults(*f.state, f.platform))
            std::abort();
        benchmark::DoNotOptimize(f.state->ResultTable.count);
    }
}
BENCHMARK(BM_LoadResultsOnly)->Unit(benchmark::kMicrosecond);
// The floor: the same file read into memory and the same tables cleared.
void BM_Floor_ReadFileAndClearTables(benchmark::State &st)
{
    Fixture &f = fixture();
    std::vector<char> buffer(std::size_t(Records) * ResultRecordLength);
    for (auto _ : st) {
        QFile file(ResultsFile::pathIn(f.state->DataFolder));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)
            || file.read(buffer.data(), qint64(buffer.size())) != qint64(buffer.size()))
            std::abort();
        f.state->ResultTallies.clearAll();
        f.state->PersonalBest.fill(NoTime);
        benchmark::DoNotOptimize(buffer.data());
        benchmark::DoNotOptimize(f.state->ResultTallies.at(1, 1));
    }
}

} // namespace

BENCHMARK(BM_Floor_ReadFileAndClearTables)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComputeTallies)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();

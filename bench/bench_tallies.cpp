#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/appstate.h"
#include "support/benchplatform.h"
#include "support/benchschool.h"
#include "app/oledate.h"
#include "store/resultsfile.h"
#include "store/tallies.h"

namespace {

using BenchSchool::Records;

// A school's file: 20000 sessions of 2000 students over the last 60 days.
using Fixture = BenchSchool::Fixture;

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

void readWholeFile(const Fixture &f, std::vector<char> &buffer)
{
    QFile file(ResultsFile::pathIn(f.state->DataFolder));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)
        || file.read(buffer.data(), qint64(buffer.size())) != qint64(buffer.size()))
        std::abort();
}

// The floor: the same file read into memory and the same tables cleared.
void BM_Floor_ReadFileAndClearTables(benchmark::State &st)
{
    Fixture &f = fixture();
    std::vector<char> buffer(std::size_t(Records) * ResultRecordLength);
    for (auto _ : st) {
        readWholeFile(f, buffer);
        f.state->ResultTallies.resetAll();
        f.state->PersonalBest.resetAll();
        benchmark::DoNotOptimize(buffer.data());
        benchmark::DoNotOptimize(f.state->ResultTallies.at(1, 1));
    }
}

// The read alone: the part of either that no computation can avoid.
void BM_ReadFileOnly(benchmark::State &st)
{
    Fixture &f = fixture();
    std::vector<char> buffer(std::size_t(Records) * ResultRecordLength);
    for (auto _ : st) {
        readWholeFile(f, buffer);
        benchmark::DoNotOptimize(buffer.data());
    }
}

} // namespace

BENCHMARK(BM_ReadFileOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Floor_ReadFileAndClearTables)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComputeTallies)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();

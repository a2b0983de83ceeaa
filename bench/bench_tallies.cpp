// ComputeTallies (with its LoadResults) against its floor, the read and
// decoding of the newest 20000 records that no computation can avoid, over
// results files of 1 000 to 1 000 000 records of a 2000-student school.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "app/appstate.h"
#include "store/tallies.h"
#include "store/resultsfile.h"
#include "support/benchschool.h"

namespace {

using BenchSchool::Fixture;

Fixture &school(const benchmark::State &st)
{
    return BenchSchool::schoolOf(int(st.range(0)), BenchSchool::Students);
}

void BM_ComputeTallies(benchmark::State &st)
{
    Fixture &f = school(st);
    for (auto _ : st) {
        if (!ComputeTallies(*f.state, f.platform))
            std::abort();
        benchmark::DoNotOptimize(f.state->ResultTallies.at(1, 1));
    }
    if (f.state->ResultTable.count != std::min(f.records, ResultWindow))
        st.SkipWithError("not every record of the window was loaded");
}

void BM_Floor_ReadAndDecodeNewest(benchmark::State &st)
{
    Fixture &f = school(st);
    std::vector<unsigned char> bytes;
    std::vector<ResultEntry> entries;
    for (auto _ : st) {
        BenchSchool::readAndDecodeNewest(f.state->DataFolder, bytes, entries);
        benchmark::DoNotOptimize(entries.data());
    }
}

// The load without the counting, to show how the time splits.
void BM_LoadResultsOnly(benchmark::State &st)
{
    Fixture &f = school(st);
    for (auto _ : st) {
        if (!LoadResults(*f.state, f.platform))
            std::abort();
    }
}

void recordSizes(benchmark::internal::Benchmark *b)
{
    for (long records : BenchSchool::RecordCounts)
        b->Arg(records);
    b->ArgName("records")->Unit(benchmark::kMicrosecond);
}

} // namespace

BENCHMARK(BM_Floor_ReadAndDecodeNewest)->Apply(recordSizes);
BENCHMARK(BM_LoadResultsOnly)->Apply(recordSizes);
BENCHMARK(BM_ComputeTallies)->Apply(recordSizes);
BENCHMARK_MAIN();

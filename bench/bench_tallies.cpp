// ComputeTallies (with its LoadResults) against its floor, the read and
// decoding of the newest 20000 records that no computation can avoid, over
// results files of 1 000 to 1 000 000 records of a 2000-student school:
// as a screen meets the file again unchanged, right after a session added
// a record (against the floor of that moment), and counted from scratch,
// as the first count of a run does.
#include <benchmark/benchmark.h>

#include <QFile>

#include <cstdlib>
#include <vector>

#include "state/appstate.h"
#include "app/oledate.h"
#include "store/resultrecord.h"
#include "store/tallies.h"
#include "store/resultsfile.h"
#include "support/benchschool.h"

namespace {

using BenchSchool::Fixture;

Fixture &school(const benchmark::State &st)
{
    return BenchSchool::schoolOf(int(st.range(0)), BenchSchool::Students);
}

// One session's record at the end of the file, as another screen left it.
void appendOneSession(Fixture &f, qint32 number)
{
    QFile file(ResultsFile::pathIn(f.state->DataFolder));
    if (!file.open(QIODevice::Append))
        std::abort();
    unsigned char bytes[ResultRecordLength];
    ResultRecord::make(OleDate::fromDate(f.clock.today()), 0.5, qint16(number % f.students + 1), 2, 95,
                       QStringLiteral("00123"))
        .encode(bytes);
    file.write(reinterpret_cast<const char *>(bytes), ResultRecordLength);
}

// The floor of the same moment: a file just written to is slower to read.
void BM_Floor_AfterASession(benchmark::State &st)
{
    Fixture &f = school(st);
    std::vector<unsigned char> bytes;
    std::vector<ResultEntry> entries;
    qint32 sessions = 0;
    for (auto _ : st) {
        st.PauseTiming();
        appendOneSession(f, ++sessions);
        st.ResumeTiming();
        BenchSchool::readAndDecodeNewest(f.state->DataFolder, bytes, entries);
        benchmark::DoNotOptimize(entries.data());
    }
}

void BM_ComputeTalliesAfterASession(benchmark::State &st)
{
    Fixture &f = school(st);
    qint32 sessions = 0;
    for (auto _ : st) {
        st.PauseTiming();
        appendOneSession(f, ++sessions);
        st.ResumeTiming();
        if (!ComputeTallies(*f.state, f.platform))
            std::abort();
    }
}

void BM_ComputeTalliesFromScratch(benchmark::State &st)
{
    Fixture &f = school(st);
    for (auto _ : st) {
        f.state->ResultTable.countedRecords = -1;
        if (!ComputeTallies(*f.state, f.platform))
            std::abort();
    }
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
BENCHMARK(BM_ComputeTalliesFromScratch)->Apply(recordSizes);
// Last, since they make each file grow by a record an iteration.
BENCHMARK(BM_Floor_AfterASession)->Apply(recordSizes);
BENCHMARK(BM_ComputeTalliesAfterASession)->Apply(recordSizes);
BENCHMARK_MAIN();

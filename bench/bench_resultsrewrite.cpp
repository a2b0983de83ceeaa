// A teacher's delete of one record in results files of 1 000 to 1 000 000
// records, against the floor of what any delete that keeps a whole backup
// must do: read the file once and write one synced copy of it.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QSaveFile>

#include "store/resultsfile.h"
#include "store/resultsrewrite.h"
#include "support/benchschool.h"

namespace {

BenchSchool::Fixture &school(const benchmark::State &st)
{
    return BenchSchool::schoolOf(int(st.range(0)), BenchSchool::Students);
}

void BM_Floor_Delete(benchmark::State &st)
{
    auto &f = school(st);
    const QString path = ResultsFile::pathIn(f.state->DataFolder);
    for (auto _ : st) {
        QFile file(path);
        QSaveFile copy(ResultsRewrite::backupPathIn(f.state->DataFolder));
        if (!file.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly))
            st.SkipWithError("cannot open");
        const QByteArray bytes = file.readAll();
        if (copy.write(bytes) != bytes.size() || !copy.commit())
            st.SkipWithError("cannot write the copy");
        QFile::remove(copy.fileName());
    }
}

// The first record, so that every other record moves; the record is put back
// at the end, outside the measured time, to keep the size.
void BM_DeleteFirstRecord(benchmark::State &st)
{
    auto &f = school(st);
    ResultsFile file;
    for (auto _ : st) {
        st.PauseTiming();
        ResultRecord first;
        if (file.open(ResultsFile::pathIn(f.state->DataFolder), ResultsFile::Access::ReadOnly).failed()
            || file.readRecord(1, first).failed())
            st.SkipWithError("cannot read record 1");
        file.close();
        st.ResumeTiming();
        if (ResultsRewrite::deleteRecord(*f.state, f.platform, 1, first).outcome != ResultsRewrite::Outcome::Done)
            st.SkipWithError("the delete failed");
        st.PauseTiming();
        AppendResult(*f.state, f.platform, first.studentNumber, first.level, first.timeScore);
        st.ResumeTiming();
    }
}

void recordSizes(benchmark::internal::Benchmark *b)
{
    for (long records : BenchSchool::RecordCounts)
        b->Args({records});
    b->ArgNames({"records"})->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_Floor_Delete)->Apply(recordSizes);
BENCHMARK(BM_DeleteFirstRecord)->Apply(recordSizes);

int main(int argc, char **argv)
{
    return BenchSchool::runWithWidgets(argc, argv);
}

// The teacher's list of every record, from the button to the painted list,
// over results files of 1 000 to 1 000 000 records, against the floor of
// reading the whole results file once.
#include <benchmark/benchmark.h>

#include <QListView>

#include "support/benchscreens.h"
#include "support/controls.h"
#include "teacher/ui/resultsmanager.h"
#include "teacher/ui/resultsmanagercontrols.h"

namespace {

void BM_Floor_ResultsList(benchmark::State &st)
{
    BenchSchool::measureWholeFileRead(st, screenSchool(st));
}

// The screen built afresh, the roster and the whole file read, the list
// filled and painted with the newest records in view.
void BM_ResultsListShown(benchmark::State &st)
{
    ScreenSchool &f = screenSchool(st);
    for (auto _ : st) {
        f.host.openResultsManager();
        paintPending();
    }
    auto *screen = qobject_cast<ResultsManager *>(f.host.currentScreen());
    if (!screen || control<QListView>(screen, ResultsManagerControls::List)->model()->rowCount() != f.records)
        st.SkipWithError("the list does not show every record");
}

void recordSizes(benchmark::internal::Benchmark *b)
{
    for (long records : BenchSchool::RecordCounts)
        b->Args({records, BenchSchool::Students});
    b->ArgNames({"records", "students"})->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_Floor_ResultsList)->Apply(recordSizes);
BENCHMARK(BM_ResultsListShown)->Apply(recordSizes);

int main(int argc, char **argv)
{
    return BenchSchool::runWithWidgets(argc, argv);
}

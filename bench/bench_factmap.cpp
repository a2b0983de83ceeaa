// The fact map of the drill's start panel filled and painted, against its
// floor: judging the 100 facts from the statistics, which no picture of
// them can skip.
#include <benchmark/benchmark.h>

#include "drill/factmap.h"
#include "drill/ui/factmapview.h"
#include "support/benchschool.h"

namespace {

DrillProblemTable triedFacts()
{
    DrillProblemTable problems;
    for (int i = 1; i <= MaxProblemCount; ++i) {
        problems[std::size_t(i)].Code = i - 1;
        problems[std::size_t(i)].CorrectCount = float(i % 7);
        problems[std::size_t(i)].WrongCount = float(i % 3);
        problems[std::size_t(i)].TotalTime = i * 0.4;
    }
    return problems;
}

void BM_Floor_FactMap(benchmark::State &st)
{
    const DrillProblemTable problems = triedFacts();
    for (auto _ : st) {
        for (int i = 1; i <= MaxProblemCount; ++i)
            benchmark::DoNotOptimize(FactMap::standingOf(problems[std::size_t(i)], 120));
    }
}

void BM_FactMapShown(benchmark::State &st)
{
    const DrillProblemTable problems = triedFacts();
    FactMapView view;
    view.resize(260, 420);
    view.show();
    for (auto _ : st) {
        view.showFacts(3, problems, 120);
        // Painted into an image: an offscreen window is never exposed.
        benchmark::DoNotOptimize(view.grab());
    }
}

} // namespace

BENCHMARK(BM_Floor_FactMap)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FactMapShown)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return BenchSchool::runWithWidgets(argc, argv);
}

// The results graph from the button to three painted bands, against its
// floor: the whole results file read and decoded once, which both passes
// of the graph need. Over results files of 1 000 to 1 000 000 records.
#include <benchmark/benchmark.h>

#include <QPushButton>
#include <QRadioButton>

#include <vector>

#include "menu/ui/graphpane.h"
#include "menu/ui/levelmenu.h"
#include "menu/ui/menucontrols.h"
#include "support/benchscreens.h"
#include "support/controls.h"

namespace {

// The own-history view of the busiest kind of student, its graph button showing.
LevelMenu *openOwnHistory(ScreenSchool &f)
{
    f.state->StudentNumber = 7;
    f.state->StudentName = f.state->roster.name(7);
    f.host.openLevelMenu();
    auto *menu = qobject_cast<LevelMenu *>(f.host.currentScreen());
    if (menu)
        element<QRadioButton>(menu, MenuControls::ViewButtons, 2)->click();
    paintPending();
    return menu;
}

void BM_GraphShown(benchmark::State &st)
{
    ScreenSchool &f = screenSchool(st);
    LevelMenu *menu = openOwnHistory(f);
    if (!menu) {
        st.SkipWithError("no level menu");
        return;
    }
    auto *button = control<QPushButton>(menu, MenuControls::GraphButton);
    for (auto _ : st) {
        button->click();
        paintPending();
    }
    const auto *surface = control<GraphSurface>(menu, MenuControls::GraphSurface);
    if (surface->bands().size() != 3 || surface->bands()[0].band.classCount == 0)
        st.SkipWithError("the graph lost its bands");
}

void BM_Floor_Graph(benchmark::State &st)
{
    BenchSchool::measureWholeFileRead(st, screenSchool(st));
}

void recordSizes(benchmark::internal::Benchmark *b)
{
    for (long records : BenchSchool::RecordCounts)
        b->Args({records, BenchSchool::Students});
    b->ArgNames({"records", "students"})->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_Floor_Graph)->Apply(recordSizes);
BENCHMARK(BM_GraphShown)->Apply(recordSizes);

int main(int argc, char **argv)
{
    return BenchSchool::runWithWidgets(argc, argv);
}

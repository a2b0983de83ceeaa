// The name screen from the request to the painted list, against its floor:
// the roster and the newest 20000 records read and decoded.
#include <benchmark/benchmark.h>

#include <QListWidget>

#include <cstdlib>
#include <vector>

#include "roster/rosterfile.h"
#include "roster/ui/namecontrols.h"
#include "roster/ui/namescreen.h"
#include "support/controls.h"
#include "support/benchscreens.h"

namespace {

void BM_NameScreenShown(benchmark::State &st)
{
    ScreenSchool &f = screenSchool(st);
    for (auto _ : st) {
        f.host.openNameScreen();
        paintPending();
    }
    auto *screen = qobject_cast<NameScreen *>(f.host.currentScreen());
    if (!screen || control<QListWidget>(screen, NameControls::NameList)->count() < f.students)
        st.SkipWithError("the name list does not hold the roster");
}

void BM_Floor_NameScreen(benchmark::State &st)
{
    ScreenSchool &f = screenSchool(st);
    std::vector<unsigned char> bytes;
    std::vector<ResultEntry> entries;
    for (auto _ : st) {
        if (RosterFile::load(*f.state, f.clock.today()).failed())
            std::abort();
        BenchSchool::readAndDecodeNewest(f.state->DataFolder, bytes, entries);
        benchmark::DoNotOptimize(entries.data());
    }
}

} // namespace

BENCHMARK(BM_Floor_NameScreen)->Apply(screenSizes);
BENCHMARK(BM_NameScreenShown)->Apply(screenSizes);

int main(int argc, char **argv)
{
    return BenchSchool::runWithWidgets(argc, argv);
}

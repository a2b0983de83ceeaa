#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>

#include "app/appstate.h"
#include "app/oledate.h"
#include "app/ui/screenhost.h"
#include "menu/ui/seisekitime1.h"
#include "roster/rosterfile.h"
#include "store/resultsfile.h"
#include "support/benchplatform.h"
#include "support/benchschool.h"

namespace {

using BenchSchool::Records;
using BenchSchool::Students;

struct Fixture : BenchSchool::Fixture
{
    ScreenHost host{*state, platform, dir.path() + u'/'};
};

Fixture &fixture()
{
    // Left to the end of the process: its window must not outlive the application.
    static Fixture *f = new Fixture;
    return *f;
}

// Opening the menu as the name screen does: build, refresh with the tallies
// and the total-points ranking of the four levels.
void BM_MenuRefresh(benchmark::State &st)
{
    Fixture &f = fixture();
    for (auto _ : st) {
        f.host.openLevelMenu();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    auto *menu = qobject_cast<seisekitime1 *>(f.host.currentScreen());
    if (!menu || menu->List5[1]->count() < Students / 2)
        st.SkipWithError("the rankings do not hold the roster");
}

// The period log of "all so far" over the newest 20000 records.
void BM_PeriodLog(benchmark::State &st)
{
    Fixture &f = fixture();
    f.host.openLevelMenu();
    auto *menu = qobject_cast<seisekitime1 *>(f.host.currentScreen());
    menu->Option1[3]->click();
    menu->Combo2->setCurrentIndex(4);
    for (auto _ : st)
        menu->Combo2_Click();
    int lines = 0;
    for (int k = 1; k <= 4; ++k)
        lines += menu->List5[k]->count();
    if (lines < Records * 9 / 10)
        st.SkipWithError("the period log lost records");
}

} // namespace

BENCHMARK(BM_MenuRefresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeriodLog)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Fixture &f = fixture();
    const RosterFile::ReadResult roster = RosterFile::load(*f.state, f.clock.today());
    if (roster.failed())
        return 1;
    f.state->StudentNumber = 7;
    f.state->StudentName = f.state->Roster.name(7);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

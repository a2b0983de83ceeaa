// The level menu from the request to the painted columns (tallies, four
// total-points rankings), against its floor: the newest 20000 records read
// and decoded. Also the longest list of the menu, the period log.
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>

#include <vector>

#include "menu/ui/levelmenu.h"
#include "menu/ui/menucontrols.h"
#include "support/benchscreens.h"
#include "support/controls.h"

namespace {

LevelMenu *openMenu(ScreenSchool &f)
{
    f.state->StudentNumber = 7;
    f.state->StudentName = f.state->roster.name(7);
    f.host.openLevelMenu();
    paintPending();
    return qobject_cast<LevelMenu *>(f.host.currentScreen());
}

void BM_MenuShown(benchmark::State &st)
{
    ScreenSchool &f = screenSchool(st);
    LevelMenu *menu = nullptr;
    for (auto _ : st)
        menu = openMenu(f);
    if (!menu || element<QListWidget>(menu, MenuControls::Results, 1)->count() < f.students / 2)
        st.SkipWithError("the rankings do not hold the roster");
}

void BM_Floor_Menu(benchmark::State &st)
{
    ScreenSchool &f = screenSchool(st);
    std::vector<unsigned char> bytes;
    std::vector<ResultEntry> entries;
    for (auto _ : st) {
        BenchSchool::readAndDecodeNewest(f.state->DataFolder, bytes, entries);
        benchmark::DoNotOptimize(entries.data());
    }
}

// "オール表示" of "all so far" over the newest 20000 records.
void BM_PeriodLogShown(benchmark::State &st)
{
    ScreenSchool &f = screenSchool(st);
    LevelMenu *menu = openMenu(f);
    element<QRadioButton>(menu, MenuControls::ViewButtons, 0)->click();
    element<QRadioButton>(menu, MenuControls::ListButtons, 3)->click();
    QComboBox *periods = control<QComboBox>(menu, MenuControls::PeriodChoice);
    periods->setCurrentIndex(4);
    for (auto _ : st) {
        emit periods->activated(4);
        paintPending();
    }
    int lines = 0;
    for (QListWidget *list : menu->findChildren<QListWidget *>())
        lines += list->count();
    if (lines < std::min(f.records, ResultWindow) * 9 / 10)
        st.SkipWithError("the period log lost records");
}

} // namespace

BENCHMARK(BM_Floor_Menu)->Apply(screenSizes);
BENCHMARK(BM_MenuShown)->Apply(screenSizes);
BENCHMARK(BM_PeriodLogShown)->Args({20000, 2000})->ArgNames({"records", "students"})->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return BenchSchool::runWithWidgets(argc, argv);
}

#include "support/benchscreens.h"

#include <QApplication>
#include <QScreen>

#include "roster/rosterfile.h"

ScreenSchool::ScreenSchool(int records, int students)
    : Fixture(records, students)
    , host(*state, platform, dir.path() + u'/')
{
    state->ContentTitle = QStringLiteral("カズドリ");
    if (RosterFile::load(*state, clock.today()).failed())
        std::abort();
    host.setGeometry(0, 0, 1366, 768);
    host.show();
}

ScreenSchool &screenSchool(const benchmark::State &st)
{
    return BenchSchool::schoolOf<ScreenSchool>(int(st.range(0)), int(st.range(1)));
}

void paintPending()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void screenSizes(benchmark::internal::Benchmark *b)
{
    for (long records : BenchSchool::RecordCounts)
        b->Args({records, BenchSchool::Students});
    for (long students : BenchSchool::StudentCounts) {
        if (students != BenchSchool::Students)
            b->Args({100000, students});
    }
    b->ArgNames({"records", "students"})->Unit(benchmark::kMillisecond);
}

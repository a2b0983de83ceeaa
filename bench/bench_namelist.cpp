#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/appstate.h"
#include "support/benchplatform.h"
#include "support/benchschool.h"
#include "app/oledate.h"
#include "platform/cp932.h"
#include "roster/namelist.h"
#include "store/resultrecord.h"
#include "store/resultsfile.h"

namespace {

using BenchSchool::Records;
using BenchSchool::Students;

using Fixture = BenchSchool::Fixture;

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// The whole rebuild of the name list: tallies, roster and the sorted lines.
void BM_NameListRebuild(benchmark::State &st)
{
    Fixture &f = fixture();
    QList<NameList::Line> lines;
    RosterFile::ReadResult roster;
    for (auto _ : st) {
        if (!NameList::rebuild(*f.state, f.platform, 1, QStringLiteral("全学年"), lines, roster))
            std::abort();
        benchmark::DoNotOptimize(lines.data());
    }
    if (lines.size() != Students || f.state->ResultTable.count != Records)
        st.SkipWithError("not every student or record was read");
}

// The sorting and line building alone.
void BM_NameListBuildOnly(benchmark::State &st)
{
    Fixture &f = fixture();
    QList<NameList::Line> lines;
    RosterFile::ReadResult roster;
    NameList::rebuild(*f.state, f.platform, 1, QStringLiteral("全学年"), lines, roster);
    const QList<NameList::Student> students =
        NameList::offeredStudents(f.state->Roster, [](int) { return NameList::Sums{3, 40, 120, 2345}; });
    for (auto _ : st) {
        lines = NameList::build(students, 1, QStringLiteral("全学年"));
        benchmark::DoNotOptimize(lines.data());
    }
}

} // namespace

BENCHMARK(BM_NameListBuildOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NameListRebuild)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

// The level standard editor over results files of 1 000 to 1 000 000
// records: the distribution read and counted afresh, and a key in the grid
// with the file unchanged, against the floor of reading the whole results
// file once.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <memory>
#include <vector>

#include "app/levelstandard.h"
#include "support/benchscreens.h"
#include "support/controls.h"
#include "teacher/timedistribution.h"
#include "teacher/ui/standardeditor.h"
#include "teacher/ui/standardeditorcontrols.h"

namespace {

BenchSchool::Fixture &school(const benchmark::State &st)
{
    auto &f = BenchSchool::schoolOf(int(st.range(0)), BenchSchool::Students);
    const QString table = f.state->DataFolder + QString::fromUtf8(LevelStandardFile::FileName);
    if (!QFileInfo::exists(table)) {
        BenchSchool::setLevelStandards(*f.state);
        LevelStandardFile::write(table, LevelStandardFile::toRows(f.state->LevelStandards, 35), nullptr);
    }
    return f;
}

void BM_Floor_Editor(benchmark::State &st)
{
    BenchSchool::measureWholeFileRead(st, school(st));
}

// The whole file read in one block and counted, as after another copy
// wrote to it: the time of change moves on every round.
void BM_DistributionComputed(benchmark::State &st)
{
    auto &f = school(st);
    DistributionSource source(*f.state, f.platform);
    QFile results(source.path());
    if (!results.open(QIODevice::ReadOnly))
        st.SkipWithError("no results file");
    QDateTime stamp = QFileInfo(source.path()).lastModified();
    int counted = 0;
    for (auto _ : st) {
        stamp = stamp.addSecs(1);
        results.setFileTime(stamp, QFileDevice::FileModificationTime);
        if (source.refresh() != DistributionSource::Status::Read)
            st.SkipWithError("the file was not read again");
        const QStringList lines = source.distribution().allResultLines(1);
        benchmark::DoNotOptimize(lines.data());
        counted = 0;
        for (int level = 1; level <= 4; ++level)
            counted += source.distribution().resultCount(level);
    }
    if (counted < f.records * 9 / 10)
        st.SkipWithError("the distribution lost results");
}

// Down or Up in the grid, from the key to the painted lists.
void BM_GridKey(benchmark::State &st)
{
    auto &f = school(st);
    auto editor = std::make_unique<StandardEditor>(*f.state, f.platform);
    editor->resize(1366, 768);
    editor->show();
    editor->activate();
    paintPending();
    auto *cell = control<QLineEdit>(editor.get(), StandardEditorControls::CellEditor);
    bool down = true;
    for (auto _ : st) {
        QTest::keyClick(cell, down ? Qt::Key_Down : Qt::Key_Up);
        paintPending();
        down = !down;
    }
    if (control<QListWidget>(editor.get(), StandardEditorControls::AllResults)->count() != 102)
        st.SkipWithError("the distribution is not shown");
}

void recordSizes(benchmark::internal::Benchmark *b)
{
    for (long records : BenchSchool::RecordCounts)
        b->Args({records});
    b->ArgNames({"records"})->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_Floor_Editor)->Apply(recordSizes);
BENCHMARK(BM_DistributionComputed)->Apply(recordSizes);
BENCHMARK(BM_GridKey)->Apply(recordSizes);

int main(int argc, char **argv)
{
    return BenchSchool::runWithWidgets(argc, argv);
}

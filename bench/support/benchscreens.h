#pragma once

#include <benchmark/benchmark.h>

#include <QWidget>

#include "host/mainwindow.h"
#include "support/benchschool.h"

// A school with the program's window on it, for measuring screens as the
// user sees them: built, shown and painted.
struct ScreenSchool : BenchSchool::Fixture
{
    ScreenSchool(int records, int students);

    MainWindow host;
};

// The school of a benchmark's (records, students) arguments.
ScreenSchool &screenSchool(const benchmark::State &st);

// Lets the window paint what changed, as the event loop would next.
void paintPending();

// Results files of every size at 2000 students, and rosters of every size
// at 100 000 records.
void screenSizes(benchmark::internal::Benchmark *b);

#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

#include "app/appstate.h"
#include "support/benchplatform.h"

// A large school for measurements: 2000 students and a full window of
// 20000 sessions over the last 60 days, made the same way on every run.
namespace BenchSchool {

inline constexpr int Records = 20000;
inline constexpr int Students = 2000;

// The four levels of the demo school, with two-week judgement periods.
void setLevelStandards(AppState &state);
// Writes the results file into `dataFolder`, the newest sessions dated `today`.
void writeResults(const QString &dataFolder, double today);
// Writes a roster of all students, spread over every grade of `schoolYear`.
void writeRoster(const QString &rosterFolder, int schoolYear);

// The whole school in a temporary folder, with the real adapters.
struct Fixture
{
    Fixture();

    QTemporaryDir dir;
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    BenchPlatform bench;
    SystemClock &clock = bench.clock;
    Platform &platform = bench.platform;
};

} // namespace BenchSchool

#pragma once

#include <benchmark/benchmark.h>

#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <vector>

#include "state/appstate.h"
#include "menu/resultlogs.h"
#include "support/benchplatform.h"

// Schools for measurements, made the same way on every run: a results file
// of `records` sessions spread over the last 60 days, a roster of `students`
// students over every grade.
namespace BenchSchool {

inline constexpr int Records = 20000;
inline constexpr int Students = 2000;

// The sizes the curves are drawn over.
inline const std::vector<long> RecordCounts{1000, 20000, 100000, 1000000};
inline const std::vector<long> StudentCounts{500, 2000, 5000};

// The four levels of the demo school, with two-week judgement periods.
void setLevelStandards(AppState &state);
// Writes the results file into `dataFolder`, the newest sessions dated `today`.
void writeResults(const QString &dataFolder, double today, int records, int students);
// Writes a roster of `students`, spread over every grade of `schoolYear`.
void writeRoster(const QString &rosterFolder, int schoolYear, int students);

// The whole school in a temporary folder, with the real adapters.
struct Fixture
{
    explicit Fixture(int records = Records, int students = Students);

    int records;
    int students;
    QTemporaryDir dir;
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    BenchPlatform bench;
    SystemClock &clock = bench.clock;
    Platform &platform = bench.platform;
};

// One school per size, made on first use and kept to the end of the process
// (a window built on it must not outlive the application).
template <typename School = Fixture>
School &schoolOf(int records, int students)
{
    static std::vector<School *> made;
    for (School *school : made) {
        if (school->records == records && school->students == students)
            return *school;
    }
    made.push_back(new School(records, students));
    return *made.back();
}

// The unavoidable part of every screen that shows tallies: the newest
// window of the results file read and decoded into entries.
void readAndDecodeNewest(const QString &dataFolder, std::vector<unsigned char> &bytes,
                         std::vector<ResultEntry> &entries);

// The unavoidable part of the screens that look at every record (the graph,
// the editor's distribution): the whole results file read in one block and
// decoded. False when it cannot be read.
bool readWholeFile(Fixture &f, std::vector<ResultLists::LogRecord> &records, std::vector<unsigned char> &buffer);
// That read as a benchmark's timed loop.
void measureWholeFileRead(benchmark::State &st, Fixture &f);

// Runs the registered benchmarks in an application that can show widgets,
// without a display unless one is asked for.
int runWithWidgets(int argc, char **argv);

} // namespace BenchSchool

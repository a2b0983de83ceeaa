// The level standard table "タイム回数データ.txt": read as start-up reads it,
// written back as the editor writes it, and fed to the points and tallies
// that use it.
#include "app/levelstandard.h"
#include "fuzzschool.h"
#include "store/tallies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzSchool &school = FuzzSchool::instance();
    school.forgetRun();
    AppState &state = school.state();
    const QString path = school.layout().dataFolder + QString::fromUtf8(LevelStandardFile::FileName);
    FuzzSchool::write(path, data, size);

    // Rows after the file's last row keep their values: start each run from blank rows.
    state.LevelStandards = LevelStandardTable{};
    QString error;
    if (!LevelStandardFile::read(path, state.LevelStandards, &error))
        return 0;
    (void)LevelStandardFile::encode(LevelStandardFile::toRows(state.LevelStandards, MaxLevel));

    for (int level = 1; level <= MaxLevel; ++level) {
        for (qint32 time : {0, 1, 99, 120, 999, 1234, TimeScore::FinishedBelow, TimeScore::NoTime, -5}) {
            (void)SessionPoints(state, time, level, TimeDigits::Full);
            (void)SessionPoints(state, time, level, TimeDigits::FirstThree);
        }
    }
    // The demo's few weeks of results counted with these rules, from scratch.
    state.ResultTable.countedRecords = -1;
    if (!ComputeTallies(state, school.platform()))
        return 0;
    for (int level = 1; level <= state.LevelCount; ++level) {
        for (int student = 1; student <= 30; ++student) {
            (void)LevelCleared(state, level, student);
            (void)LevelOverused(state, level, student);
        }
    }
    return 0;
}

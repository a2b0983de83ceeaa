#include "result/recordsession.h"

#include "result/sessionoutcome.h"
#include "state/appstate.h"
#include "store/resultsfile.h"

namespace {

// All-time count and points, as the tallies stood before this session.
bool clearedBefore(const AppState &state, int level, int student)
{
    if (!TallyTables::contains(level, student))
        return false;
    const TallyCell &cell = state.ResultTallies.at(level, student);
    const LevelStandard &standard = state.LevelStandards[std::size_t(level)];
    return cell.totalCount >= standard.ClearCount && cell.totalPoints >= standard.ClearPoints;
}

} // namespace

bool RecordSession(AppState &state, Platform &platform, SessionOutcome &outcome)
{
    const int level = outcome.level;
    const qint32 time = outcome.resultTime;
    const int student = state.StudentNumber;
    RecordFlags &flags = outcome.recordFlags;
    flags.levelAlreadyCleared = clearedBefore(state, level, student);

    const bool inTables = BestTimeTable::contains(level, student);
    if (inTables && time < state.PersonalBest.at(level, student)) {
        flags.newPersonalBest = true;
        state.PersonalBest.write(level, student) = time;
    }
    if (!AppendResult(state, platform, state.StudentNumber, static_cast<qint16>(level), time))
        return false;
    if (inTables && time < state.ClassBest[std::size_t(level)]) {
        state.ClassBest[std::size_t(level)] = time;
        flags.newClassBest = true;
    }
    return true;
}

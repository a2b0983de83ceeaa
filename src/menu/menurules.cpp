#include "menu/menurules.h"

#include <algorithm>

#include "app/limits.h"
#include "roster/rostertable.h"
#include "state/appstate.h"
#include "store/tallies.h"

namespace MenuRules {

bool isTeacher(const AppState &state)
{
    return RosterTable::trimBlanks(state.StudentName) == QString::fromUtf8(TeacherEntryName);
}

bool maySkipPast(const AppState &state, int level)
{
    const std::size_t next = std::size_t(std::min(level + 1, MaxLevel));
    return state.LevelStandards[next].ClearPoints == LevelStandard::NoClearCondition || isTeacher(state)
           || LevelCleared(state, level, state.StudentNumber);
}

OveruseNotices overuseNotices(const AppState &state, int levelCount)
{
    const int student = state.StudentNumber;
    OveruseNotices notices;
    notices.goalCleared = LevelCleared(state, state.GoalLevel, student);
    notices.shown.resize(std::size_t(std::max(levelCount, 0)));
    for (int k = 1; k < levelCount; ++k) {
        if (!maySkipPast(state, k))
            continue;
        notices.shown[std::size_t(k)] = false;
        notices.shown[std::size_t(k - 1)] = LevelOverused(state, k, student) && !notices.goalCleared;
    }
    return notices;
}

} // namespace MenuRules

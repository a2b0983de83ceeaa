#include "result/todaycounts.h"

#include "state/appstate.h"
#include "app/textnumber.h"

int levelTodayCount(const AppState &state, int level)
{
    if (!TallyTables::contains(level, state.StudentNumber))
        return 0;
    // The count is kept in a float; it holds whole numbers.
    return static_cast<int>(TextNumber::roundHalfEven(state.ResultTallies.at(level, state.StudentNumber).todayCount));
}

int todayCountSum(const AppState &state, int lastLevel)
{
    int sum = 0;
    for (int level = 1; level <= lastLevel; ++level)
        sum += levelTodayCount(state, level);
    return sum;
}

#include "menu/storeinputs.h"

#include "app/appstate.h"
#include "store/resultrecord.h"
#include "store/tallies.h"

namespace ResultLists {

void SetLevelValues(std::vector<RankingStudent> &students, const AppState &state, int level)
{
    for (RankingStudent &student : students) {
        student.bestTime = NoRecordTime;
        student.todayPoints = 0;
        student.totalPoints = 0;
        if (!BestTimeTable::contains(level, student.number))
            continue;
        student.bestTime = state.PersonalBest.at(level, student.number);
        const TallyCell &cell = state.ResultTallies.at(level, student.number);
        student.todayPoints = cell.todayPoints;
        student.totalPoints = cell.totalPoints;
    }
}

qint32 LogPoints(const AppState &state, qint32 timeScore, int level)
{
    if (level < 1 || level > MaxLevel)
        return 0;
    return SessionPoints(timeScore, state.LevelStandards[std::size_t(level)].TargetTime, 1.0f, TimeDigits::FirstThree);
}

LogRecord LogRecordOf(const ResultRecord &record)
{
    return {record.date, record.timeOfDay, record.studentNumber, record.level, record.timeScore};
}

} // namespace ResultLists

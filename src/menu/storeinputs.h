#pragma once

#include <vector>

#include "menu/rankings.h"
#include "menu/resultlogs.h"

struct AppState;
struct ResultRecord;

// The result lists' view of the results store.
namespace ResultLists {

// Sets the best time and the points of `level` on every student of the
// ranking roster from the tables of the last ComputeTallies; a number or
// level outside the tables keeps "no record" and no points.
void SetLevelValues(std::vector<RankingStudent> &students, const AppState &state, int level);

// The logs' points: the tallies' rule without the level's multiplier.
qint32 LogPoints(const AppState &state, qint32 timeScore, int level);

LogRecord LogRecordOf(const ResultRecord &record);

} // namespace ResultLists

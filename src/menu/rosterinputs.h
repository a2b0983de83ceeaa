#pragma once

#include <vector>

#include "menu/rankings.h"
#include "menu/resultlogs.h"

class RosterTable;

// The result lists' view of the roster as last read.
namespace ResultLists {

// The offered students in roster order with name and grade; their level
// values are left at "no record" for the caller to fill per level.
std::vector<RankingStudent> rankingRoster(const RosterTable &roster);

// Name and grade of any student number; a number the roster does not hold
// has no name and grade 0, so only "全学年" lets it through.
LogStudent rosterStudent(const RosterTable &roster, qint32 studentNumber);

} // namespace ResultLists

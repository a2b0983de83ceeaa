#include "menu/rosterinputs.h"

#include "roster/grades.h"
#include "roster/rostertable.h"

namespace ResultLists {

std::vector<RankingStudent> rankingRoster(const RosterTable &roster)
{
    std::vector<RankingStudent> students;
    students.reserve(std::size_t(roster.offeredNumbers().size()));
    for (const qint16 number : roster.offeredNumbers()) {
        const LogStudent student = rosterStudent(roster, number);
        RankingStudent row;
        row.number = number;
        row.name = student.name;
        row.gradeNumber = student.gradeNumber;
        students.push_back(row);
    }
    return students;
}

LogStudent rosterStudent(const RosterTable &roster, qint32 studentNumber)
{
    if (!roster.contains(studentNumber))
        return {};
    return {roster.name(studentNumber), Roster::GradeNumber(roster.schoolYear(), roster.cohortYear(studentNumber))};
}

} // namespace ResultLists

// The roster "新名簿.txt": reread by the name screen's list rebuild, then
// the name lines, the rankings' roster, the graph's chooser and the
// teacher's pick list built from it.
#include <cstdio>
#include <cstdlib>

#include "fuzzschool.h"
#include "menu/rankings.h"
#include "menu/resultsgraph.h"
#include "menu/rosterinputs.h"
#include "menu/storeinputs.h"
#include "roster/gradefilter.h"
#include "roster/namelist.h"
#include "teacher/resultslist.h"

namespace {

[[noreturn]] void broken(const char *what, const QString &text)
{
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(text));
    std::abort();
}

// The number a clicked line or chooser entry gives back must be the student it was built for.
void checkLines(const QList<NameList::Line> &lines)
{
    for (const NameList::Line &line : lines) {
        if (NameList::numberOfKey(line.key) != line.number)
            broken("key names another student", line.key);
        (void)NameList::clickedName(line.text);
        (void)NameList::doubleClickedName(line.text);
    }
}

void checkChooser(const RosterTable &roster)
{
    for (const RosterEntry &entry : roster.entries()) {
        if (!entry.offered())
            continue;
        const QString line =
            ResultsGraph::chooserLine(roster.gradeName(entry.Number), roster.trimmedName(entry.Number), entry.Number);
        if (ResultsGraph::studentOfChooserLine(line) != entry.Number)
            broken("chooser line names another student", line);
        const QString choice = ResultsList::studentChoice(entry.Number, roster.trimmedName(entry.Number));
        if (ResultsList::chosenStudent(choice, roster, 0) != entry.Number)
            broken("pick list names another student", choice);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzSchool &school = FuzzSchool::instance();
    school.forgetRun();
    AppState &state = school.state();
    FuzzSchool::write(state.RosterFolder + QString::fromUtf8(RosterFile::FileName), data, size);

    QList<NameList::Line> lines;
    RosterFile::ReadResult read;
    if (!NameList::rebuild(state, school.platform(), NameList::DefaultMode, QString::fromUtf8(GradeFilter::AllGrades),
                           lines, read))
        return 0;
    (void)read.message();
    (void)read.notice();
    checkLines(lines);

    // The other display modes and one grade, as the name screen's boxes choose them.
    const auto sums = [&state](int number) { return NameList::sumsOf(state.ResultTallies, number); };
    const QList<NameList::Student> students = NameList::offeredStudents(state.roster, sums);
    checkLines(NameList::build(students, 3, GradeFilter::choices().value(3)));

    std::vector<ResultLists::RankingStudent> ranked = ResultLists::rankingRoster(state.roster);
    ResultLists::setLevelValues(ranked, state, 1);
    (void)ResultLists::levelRanking(ranked, ResultLists::RankingKind::BestTime, GradeFilter::choices().value(1),
                                    state.roster.offeredNumber(1));
    for (qint32 number : {-1, 0, 1, 2, MaxStudent, MaxStudent + 1})
        (void)ResultLists::rosterStudent(state.roster, number);
    checkChooser(state.roster);
    return 0;
}

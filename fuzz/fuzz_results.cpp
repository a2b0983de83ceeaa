// The results file "成績累積データ.dat": loaded and counted as the level menu
// does (from scratch, and continued after the file grew), then every list
// the menu's view buttons ask for, the own history and the graph.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fuzzschool.h"
#include "menu/rankings.h"
#include "menu/resultlogs.h"
#include "menu/resultsgraph.h"
#include "menu/resultviews.h"
#include "menu/rosterinputs.h"
#include "menu/storeinputs.h"
#include "roster/gradefilter.h"
#include "store/resultsfile.h"
#include "store/resultsload.h"
#include "store/tallies.h"

using namespace ResultLists;

namespace {

[[noreturn]] void broken(const char *what, int level, int student)
{
    std::fprintf(stderr, "%s at level %d, student %d\n", what, level, student);
    std::abort();
}

struct Cell
{
    int level = 0;
    int student = 0;
};

// The cells of the records a load admits, which are the ones a count can touch.
std::vector<Cell> admittedCells(const std::uint8_t *data, std::size_t size)
{
    std::vector<Cell> cells;
    for (std::size_t at = 0; at + ResultRecordLength <= size; at += ResultRecordLength) {
        const ResultEntry e = ResultRecord::decodeEntry(data + at);
        if (ResultsLoad::admits(e))
            cells.push_back({e.level, e.studentNumber});
    }
    return cells;
}

bool sameTally(const TallyCell &a, const TallyCell &b)
{
    return a.todayCount == b.todayCount && a.todayPoints == b.todayPoints && a.periodPoints == b.periodPoints
           && a.overusePoints == b.overusePoints && a.totalPoints == b.totalPoints && a.periodCount == b.periodCount
           && a.overuseCount == b.overuseCount && a.totalCount == b.totalCount;
}

// The first half of the file counted, then the whole file continued from
// there, must give what counting the whole file from scratch gives.
void checkContinuedCount(FuzzSchool &school, const std::uint8_t *data, std::size_t size)
{
    AppState &state = school.state();
    Platform &platform = school.platform();
    const std::size_t records = size / ResultRecordLength;
    if (records < 2)
        return;
    FuzzSchool::write(school.resultsPath(), data, records / 2 * ResultRecordLength);
    state.ResultTable.countedRecords = -1;
    if (!ComputeTallies(state, platform))
        return;
    FuzzSchool::write(school.resultsPath(), data, size);
    const int continuedBefore = state.ResultTallies.continuedCounts;
    if (!ComputeTallies(state, platform) || state.ResultTallies.continuedCounts == continuedBefore)
        return;

    const std::vector<Cell> cells = admittedCells(data, size);
    std::vector<TallyCell> tallies;
    std::vector<qint32> bests;
    for (const Cell &c : cells) {
        tallies.push_back(state.ResultTallies.at(c.level, c.student));
        bests.push_back(state.PersonalBest.at(c.level, c.student));
    }
    const ClassBestTimes classBest = state.ClassBest;
    const qint32 count = state.ResultTable.count;

    state.ResultTable.countedRecords = -1;
    if (!ComputeTallies(state, platform))
        broken("the full count failed where the continued one did not", 0, 0);
    if (count != state.ResultTable.count)
        broken("continued count loaded another number of records", 0, 0);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (!sameTally(tallies[i], state.ResultTallies.at(cells[i].level, cells[i].student)))
            broken("continued tallies differ", cells[i].level, cells[i].student);
        if (bests[i] != state.PersonalBest.at(cells[i].level, cells[i].student))
            broken("continued best time differs", cells[i].level, cells[i].student);
    }
    if (classBest != state.ClassBest)
        broken("continued class best differs", 0, 0);
}

// The student at the menu: the one of the newest record, as after a session.
qint16 newestStudent(const std::uint8_t *data, std::size_t size)
{
    const std::size_t records = size / ResultRecordLength;
    if (records == 0)
        return 1;
    const qint16 student = ResultRecord::decodeEntry(data + (records - 1) * ResultRecordLength).studentNumber;
    return student >= 1 && student <= MaxStudent ? student : qint16(1);
}

void showRankings(AppState &state, ListKind list, const QString &filter)
{
    std::vector<RankingStudent> roster = rankingRoster(state.roster);
    for (int level = 1; level <= state.LevelCount; ++level) {
        setLevelValues(roster, state, level);
        (void)levelRanking(roster, rankingKindOf(list), filter, state.StudentNumber);
    }
}

bool showLogs(AppState &state, Platform &platform, ViewMode view, ListKind list, const QString &filter)
{
    std::vector<LogRecord> records;
    std::vector<unsigned char> buffer;
    const qint32 window = list == ListKind::TodayLog ? TodayLogRecords : PeriodLogRecords;
    if (!readLogRecords(state, platform, window, records, buffer).ok)
        return false;
    const LogContext context = logContextFor(state, state.LevelCount, platform.clock.today(), filter);
    LevelLines spoken;
    if (list == ListKind::TodayLog) {
        (void)todayLog(records, context, &spoken);
        return true;
    }
    for (int period = 0; period <= 6; ++period)
        (void)periodLog(records, context, period, periodLogView(view), &spoken);
    (void)ownHistoryLines(records, context, state.StudentNumber, &spoken);
    return true;
}

bool showGraph(AppState &state, Platform &platform, const QString &filter)
{
    std::vector<LogRecord> records;
    std::vector<unsigned char> buffer;
    if (!readLogRecords(state, platform, std::numeric_limits<qint32>::max(), records, buffer).ok)
        return false;
    std::vector<RankingStudent> roster = rankingRoster(state.roster);
    for (int level = 1; level <= state.LevelCount; ++level) {
        setLevelValues(roster, state, level);
        const ResultsGraph::RankFigures ranks =
            ResultsGraph::levelRankFigures(roster, RankingKind::TodayPoints, filter, state.StudentNumber);
        const ResultsGraph::BandQuery query{level, state.LevelCount, state.StudentNumber, platform.clock.today(), true};
        const ResultsGraph::Band band = ResultsGraph::computeBand(records, query);
        (void)ResultsGraph::figuresLines(band, ranks);
        (void)ResultsGraph::trailDates(band.trail);
        (void)ResultsGraph::middleTrailLabels(band.trail.size());
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzSchool &school = FuzzSchool::instance();
    school.forgetRun();
    AppState &state = school.state();
    Platform &platform = school.platform();

    checkContinuedCount(school, data, size);
    FuzzSchool::write(school.resultsPath(), data, size);
    if (!LoadResults(state, platform))
        return 0;
    state.ResultTable.countedRecords = -1;
    if (!ComputeTallies(state, platform))
        return 0;

    state.StudentNumber = newestStudent(data, size);
    for (const QString &filter : {QString::fromUtf8(GradeFilter::AllGrades), GradeFilter::choices().value(2)}) {
        for (ViewMode view : {ViewMode::Time, ViewMode::Points}) {
            for (int button = 0; button <= 4; ++button) {
                const std::optional<ListKind> list = listFor(view, button);
                if (!list)
                    continue;
                (void)listTitle(*list);
                if (*list == ListKind::TodayLog || *list == ListKind::PeriodLog) {
                    if (!showLogs(state, platform, view, *list, filter))
                        return 0;
                } else {
                    showRankings(state, *list, filter);
                }
            }
        }
        if (!showGraph(state, platform, filter))
            return 0;
    }
    return 0;
}

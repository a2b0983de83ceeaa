#include "menu/ui/menulists.h"

#include <limits>
#include <utility>

#include <QAccessible>
#include <QApplication>
#include <QWidget>

#include "state/appstate.h"
#include "app/spokentext.h"
#include "app/ui/pendinginput.h"
#include "menu/rosterinputs.h"
#include "menu/storeinputs.h"
#include "menu/ui/levelcolumn.h"
#include "menu/ui/menuheader.h"
#include "menu/ui/viewpanel.h"
#include "menu/ui/waitcover.h"
#include "platform/clock.h"
#include "platform/platform.h"

using namespace ResultLists;

namespace {

// Spoken texts cost a tenth of a fill and nobody hears them without a
// screen reader; lists filled before one starts read their own lines.
LevelLines *spokenWanted(LevelLines &spoken)
{
    return QAccessible::isActive() ? &spoken : nullptr;
}

} // namespace

MenuLists::MenuLists(AppState &state, Platform &platform, QWidget *screen, MenuHeader *header, ViewPanel *panel,
                     WaitCover *cover)
    : QObject(screen)
    , m_state(state)
    , m_platform(platform)
    , m_screen(screen)
    , m_header(header)
    , m_panel(panel)
    , m_cover(cover)
{
}

void MenuLists::setColumns(std::vector<LevelColumn *> columns)
{
    m_columns = std::move(columns);
}

// The first list button is checked on a fresh build, so checking it fills
// the lists; the view switch then only sets the look.
void MenuLists::showDefaultView()
{
    m_cover->setProgressRange(int(m_columns.size()));
    m_viewMode = int(ViewMode::Points);
    m_pointsKind = RankingKind::TotalPoints;
    m_lookOnly = true;
    m_panel->checkList(1);
    chooseView(1);
    m_panel->checkView(1);
    m_header->setBackEnabled(true);
    m_lookOnly = false;
}

void MenuLists::chooseView(int index)
{
    m_panel->setGraphShown(false);
    emit ownHistoryShown(false);
    m_header->setBackEnabled(false);
    setListsShown(false);
    m_cover->cover();
    if (m_lookOnly)
        return;
    if (index == 2) {
        m_panel->setPeriodShown(false);
        ++m_fillsUnderWay;
        showOwnHistory();
        takeKeysAgain();
        return;
    }
    const ViewMode view = index == 0 ? ViewMode::Time : ViewMode::Points;
    m_panel->setListCaptions(captionsFor(view));
    m_panel->setThirdListEnabled(true);
    if (view == ViewMode::Points)
        m_panel->setPeriodShown(false);
    m_viewMode = int(view);
    for (int j = 1; j <= 3; ++j) {
        if (!m_panel->isListChecked(j))
            continue;
        chooseList(j);
        return;
    }
}

void MenuLists::chooseList(int index)
{
    const std::optional<ListKind> list = listFor(viewModeOf(m_viewMode), index);
    if (!list)
        return;
    beginFill();
    switch (*list) {
    case ListKind::BestTimes:
        showBestTimes();
        break;
    case ListKind::TodayLog:
        showTodayLog();
        break;
    case ListKind::PeriodLog:
        showPeriodLog();
        break;
    case ListKind::TotalPointsRanking:
    case ListKind::TodayPointsRanking:
        m_pointsKind = rankingKindOf(*list);
        m_panel->setTitle(listTitle(*list));
        showRankings();
        break;
    case ListKind::OwnHistory:
        showOwnHistory();
        break;
    }
    endFill();
}

// The lists again in the time or points view; the first level's button takes the focus.
void MenuLists::chooseGrade()
{
    chooseView(m_panel->isViewChecked(0) ? 0 : 1);
    if (!m_columns.empty())
        m_columns.front()->setStartFocus();
}

// Only the period log has a period.
void MenuLists::choosePeriod(int period)
{
    if (!m_panel->isListChecked(3))
        return;
    m_period = period;
    chooseList(3);
}

void MenuLists::beginFill()
{
    ++m_fillsUnderWay;
    if (QWidget *focus = QApplication::focusWidget(); focus && m_screen->isAncestorOf(focus))
        m_focusBeforeFill = focus;
    m_header->setBackEnabled(false);
    setListsShown(false);
    m_cover->cover();
    m_panel->setPeriodShown(false);
    m_panel->setEnabled(false);
    m_cover->repaint();
}

void MenuLists::endFill()
{
    describeLists();
    m_panel->setEnabled(true);
    m_header->setBackEnabled(true);
    emit filled();
    for (LevelColumn *column : m_columns) {
        column->setResultsShown(true);
        column->fitToSummaries();
    }
    m_cover->hide();
    if (m_focusBeforeFill && m_focusBeforeFill->isEnabled() && m_focusBeforeFill->isVisible())
        m_focusBeforeFill->setFocus();
    m_focusBeforeFill = nullptr;
    // The first fill is part of opening the menu, and the screen left has
    // had the keys typed before it.
    if (m_lookOnly)
        --m_fillsUnderWay;
    else
        takeKeysAgain();
}

// Keys typed during the fill waited for its end; the menu drops them before
// it takes keys again.
void MenuLists::takeKeysAgain()
{
    PendingInput::afterDelivered(this, [this] { --m_fillsUnderWay; });
}

void MenuLists::clearLists()
{
    for (LevelColumn *column : m_columns)
        column->clearResults();
}

void MenuLists::clearHighlights()
{
    for (LevelColumn *column : m_columns)
        column->clearHighlight();
}

void MenuLists::setListsShown(bool shown)
{
    for (LevelColumn *column : m_columns)
        column->setResultsShown(shown);
}

// A screen reader names each list by its level and tells which view it shows.
void MenuLists::describeLists()
{
    const QString title = m_panel->title().isEmpty() ? SpokenText::join({m_panel->periodText()}) : m_panel->title();
    for (LevelColumn *column : m_columns)
        column->setResultsDescription(title);
}

void MenuLists::showBestTimes()
{
    m_panel->setTitle(listTitle(ListKind::BestTimes));
    clearLists();
    showRankings();
    clearHighlights();
    m_panel->setEnabled(true);
}

void MenuLists::showRankings()
{
    m_cover->setProgressRange(int(m_columns.size()));
    std::vector<RankingStudent> roster = rankingRoster(m_state.roster);
    for (LevelColumn *column : m_columns) {
        m_cover->setProgress(column->level());
        rankLevel(column, roster);
    }
}

void MenuLists::rankLevel(LevelColumn *column, std::vector<RankingStudent> &roster)
{
    setLevelValues(roster, m_state, column->level());
    RankingKind kind = RankingKind::BestTime;
    if (viewModeOf(m_viewMode) == ViewMode::Points)
        kind = m_pointsKind;
    const RankingList ranking =
        levelRanking(roster, kind, m_panel->gradeFilter(), m_state.StudentNumber, QAccessible::isActive());
    column->showResults(ranking.lines, ranking.spoken, ranking.scrollLine);
}

void MenuLists::showTodayLog()
{
    m_panel->setTitle(listTitle(ListKind::TodayLog));
    clearLists();
    std::vector<LogRecord> records;
    if (!readLog(TodayLogRecords, records))
        return;
    LevelLines spoken;
    const LevelLines lines = todayLog(records, logContext(), spokenWanted(spoken));
    setLines(lines, spoken);
    clearHighlights();
    m_panel->setEnabled(true);
}

void MenuLists::showPeriodLog()
{
    clearLists();
    std::vector<LogRecord> records;
    if (!readLog(PeriodLogRecords, records))
        return;
    m_panel->setTitle(listTitle(ListKind::PeriodLog));
    LevelLines spoken;
    const LevelLines lines =
        periodLog(records, logContext(), m_period, periodLogView(viewModeOf(m_viewMode)), spokenWanted(spoken));
    setLines(lines, spoken);
    clearHighlights();
    m_panel->setEnabled(true);
    m_panel->setPeriodShown(true);
}

// Not a fill of its own: it is shown at once, without the panel turned off.
void MenuLists::showOwnHistory()
{
    clearLists();
    std::vector<LogRecord> records;
    if (!readLog(PeriodLogRecords, records))
        return;
    m_panel->setTitle(listTitle(ListKind::OwnHistory));
    LevelLines spoken;
    const LevelLines lines = ownHistoryLines(records, logContext(), m_state.StudentNumber, spokenWanted(spoken));
    setLines(lines, spoken);
    describeLists();
    m_cover->hide();
    emit filled();
    setListsShown(true);
    m_panel->setEnabled(true);
    m_header->setBackEnabled(true);
    m_panel->setGraphShown(true);
    emit ownHistoryShown(true);
}

bool MenuLists::readWholeFile(std::vector<LogRecord> &records)
{
    return readLog(std::numeric_limits<qint32>::max(), records);
}

// False when the program is ending after a file error.
bool MenuLists::readLog(qint32 window, std::vector<LogRecord> &records)
{
    const LogRead read = readLogRecords(m_state, m_platform, window, records, m_readBuffer);
    if (read.progressMaximum > 0)
        m_cover->setProgressRange(read.progressMaximum);
    if (read.ok)
        m_cover->setProgress(read.progressValue);
    return read.ok;
}

LogContext MenuLists::logContext() const
{
    return logContextFor(m_state, int(m_columns.size()), m_platform.clock.today(), m_panel->gradeFilter());
}

void MenuLists::setLines(const LevelLines &lines, const LevelLines &spoken)
{
    for (LevelColumn *column : m_columns) {
        const std::size_t k = std::size_t(column->level());
        if (k < lines.size())
            column->addResults(lines[k], k < spoken.size() ? spoken[k] : QStringList());
    }
}

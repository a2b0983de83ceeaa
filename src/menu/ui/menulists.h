#pragma once

#include <QObject>
#include <QPointer>

#include <vector>

#include "menu/rankings.h"
#include "menu/resultlogs.h"
#include "menu/resultviews.h"

class LevelColumn;
class MenuHeader;
class QWidget;
class ViewPanel;
class WaitCover;
struct AppState;
struct Platform;

// The result lists of the level menu: follows the view panel's choices and
// fills every column's list with the rankings or logs they ask for.
class MenuLists final : public QObject
{
    Q_OBJECT

public:
    MenuLists(AppState &state, Platform &platform, QWidget *screen, MenuHeader *header, ViewPanel *panel,
              WaitCover *cover);

    void setColumns(std::vector<LevelColumn *> columns);
    // Points view, total ranking.
    void showDefaultView();

    // From a fill's start until the keys typed meanwhile are delivered: a
    // wait for the results file lets window events run, and a start key then
    // would leave the fill half done.
    bool filling() const { return m_fillsUnderWay > 0; }
    int viewMode() const { return m_viewMode; }
    int period() const { return m_period; }

    void chooseView(int index);
    void chooseList(int index);
    void chooseGrade();
    void choosePeriod(int period);

    // The whole results file, for the graph; false when the program is ending.
    bool readWholeFile(std::vector<ResultLists::LogRecord> &records);
    // The points ranking last chosen.
    ResultLists::RankingKind pointsKind() const { return m_pointsKind; }

signals:
    // The lists are filled again; the notices are shown anew from here.
    void filled();
    // The own-history view was shown (true) or left for another view (false).
    void ownHistoryShown(bool shown);

private:
    void beginFill();
    void endFill();
    void takeKeysAgain();
    void clearLists();
    void clearHighlights();
    void setListsShown(bool shown);
    void describeLists();
    void showBestTimes();
    void showRankings();
    // Ranks one level; the roster's level values are overwritten.
    void rankLevel(LevelColumn *column, std::vector<ResultLists::RankingStudent> &roster);
    void showTodayLog();
    void showPeriodLog();
    void showOwnHistory();
    bool readLog(qint32 window, std::vector<ResultLists::LogRecord> &records);
    ResultLists::LogContext logContext() const;
    void setLines(const ResultLists::LevelLines &lines, const ResultLists::LevelLines &spoken);

    AppState &m_state;
    Platform &m_platform;
    QWidget *m_screen = nullptr;
    MenuHeader *m_header = nullptr;
    ViewPanel *m_panel = nullptr;
    WaitCover *m_cover = nullptr;
    std::vector<LevelColumn *> m_columns;
    int m_viewMode = 0;
    ResultLists::RankingKind m_pointsKind = ResultLists::RankingKind::TotalPoints;
    int m_period = ResultLists::DefaultPeriod;
    // Set while the default view is chosen: a view switch then only sets the look.
    bool m_lookOnly = false;
    int m_fillsUnderWay = 0;
    // The fill disables the panel the user clicked in; the focus goes back there.
    QPointer<QWidget> m_focusBeforeFill;
    std::vector<unsigned char> m_readBuffer;
};

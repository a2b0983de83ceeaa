#pragma once

#include <QString>

#include <optional>

#include "menu/rankings.h"
#include "menu/resultlogs.h"

// Which list the menu's two rows of view buttons ask for, and the texts that go with it.
namespace ResultLists {

enum class ViewMode { Time = 1, Points = 2 };

enum class ListKind {
    BestTimes, // time ranking of every level
    TodayLog,
    PeriodLog,
    TotalPointsRanking,
    TodayPointsRanking,
    OwnHistory,
};

// The view mode as the window keeps it: anything but 2 counts as the time view.
ViewMode viewModeOf(int mode);

// The list of kind button j (1..3) in a view; nothing for another j.
std::optional<ListKind> listFor(ViewMode view, int kindButton);

// The line format of the period log in a view.
LogView periodLogView(ViewMode view);
RankingKind rankingKindOf(ListKind list); // the two points rankings; best times otherwise

// The title above the lists.
QString listTitle(ListKind list);

// Captions of the three kind buttons after a view switch; the third keeps
// its caption when there is none.
struct KindCaptions
{
    QString first;
    QString second;
    std::optional<QString> third;
};
KindCaptions captionsOnBuild();
KindCaptions captionsOnRefresh();
KindCaptions captionsFor(ViewMode view);

} // namespace ResultLists

#include "menu/resultviews.h"

namespace ResultLists {

ViewMode viewModeOf(int mode)
{
    return mode == int(ViewMode::Points) ? ViewMode::Points : ViewMode::Time;
}

std::optional<ListKind> listFor(ViewMode view, int kindButton)
{
    switch (kindButton) {
    case 1:
        return view == ViewMode::Time ? ListKind::BestTimes : ListKind::TotalPointsRanking;
    case 2:
        return view == ViewMode::Time ? ListKind::TodayLog : ListKind::TodayPointsRanking;
    case 3:
        return ListKind::PeriodLog;
    default:
        return std::nullopt;
    }
}

LogView periodLogView(ViewMode view)
{
    return view == ViewMode::Points ? LogView::Points : LogView::Time;
}

RankingKind rankingKindOf(ListKind list)
{
    if (list == ListKind::TotalPointsRanking)
        return RankingKind::TotalPoints;
    if (list == ListKind::TodayPointsRanking)
        return RankingKind::TodayPoints;
    return RankingKind::BestTime;
}

QString listTitle(ListKind list)
{
    switch (list) {
    case ListKind::BestTimes:
        return QStringLiteral("ベスト成績");
    case ListKind::TodayLog:
        return QStringLiteral("本日の成績");
    case ListKind::PeriodLog:
        return QString();
    case ListKind::TotalPointsRanking:
        return QStringLiteral("獲得ポイント（今まで順位）");
    case ListKind::TodayPointsRanking:
        return QStringLiteral("獲得ポイント（今日の順位）");
    case ListKind::OwnHistory:
        return QStringLiteral("個人別ﾀｲﾑ");
    }
    return QString();
}

KindCaptions captionsOnBuild()
{
    return {QStringLiteral("BEST表示"), QStringLiteral("本日のみ"), QStringLiteral("オール表示")};
}

KindCaptions captionsOnRefresh()
{
    return {QStringLiteral("累計順"), QStringLiteral("本日順"), std::nullopt};
}

KindCaptions captionsFor(ViewMode view)
{
    if (view == ViewMode::Points)
        return {QStringLiteral("合計累計"), QStringLiteral("合計本日"), QStringLiteral("すべて")};
    return {QStringLiteral("BEST表示"), QStringLiteral("本日のみ"), std::nullopt};
}

} // namespace ResultLists

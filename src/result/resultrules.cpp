#include "result/resultrules.h"

#include "app/timescore.h"
#include "store/decimalmultiplier.h"
#include "store/tallies.h"

namespace ResultRules {

Announcement announcement(const RecordFlags &flags, qint32 timeScore, qint32 minimumTime)
{
    if (timeScore >= TimeScore::FinishedBelow)
        return Announcement::None;
    if (flags.newClassBest)
        return Announcement::ClassBest;
    if (flags.newPersonalBest)
        return Announcement::PersonalBest;
    if (timeScore <= minimumTime)
        return Announcement::Pass;
    return Announcement::None;
}

QString announcementText(Announcement announcement)
{
    switch (announcement) {
    case Announcement::ClassBest:
        return QStringLiteral("！！！最高新記録！！！");
    case Announcement::PersonalBest:
        return QStringLiteral("新記録おめでとう");
    case Announcement::Pass:
    case Announcement::None:
        break;
    }
    return {};
}

QString resultLine(qint32 timeScore)
{
    if (timeScore < TimeScore::FinishedBelow)
        return QStringLiteral("今の成績：%1秒").arg(timeScore);
    if (timeScore < TimeScore::NoResultFrom)
        return QStringLiteral("ギブアップ");
    return QStringLiteral("記録なし");
}

QString pointsLine(qint32 timeScore, int basePoints, float multiplier)
{
    if (timeScore >= TimeScore::FinishedBelow)
        return QStringLiteral("次は最後までがんばろう！");
    const DecimalMultiplier exact(multiplier);
    return QStringLiteral("獲得ポイント：%1点×%2→%3点")
        .arg(basePoints)
        .arg(exact.text())
        .arg(exact.times(basePoints, MaxSessionPoints));
}

QString levelTodayText(int count)
{
    return QStringLiteral(" (このレベル　%1回目)").arg(count);
}

QString allTodayText(int count)
{
    return QStringLiteral("（%1回目)").arg(count);
}

bool goalPanelAllowed(const LevelStandardTable &standards)
{
    for (int level = 1; level < LevelRowCount; ++level) {
        if (standards[std::size_t(level)].ClearCount == LevelStandard::NoClearCondition)
            return false;
    }
    return true;
}

bool offersRepeat(bool overused, bool cleared, bool isGoalLevel, bool goalClearedAtStart)
{
    if (!(overused && cleared) || isGoalLevel)
        return true;
    return goalClearedAtStart;
}

} // namespace ResultRules

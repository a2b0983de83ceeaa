#include "menu/menutexts.h"

#include "app/levelstandard.h"
#include "app/textnumber.h"
#include "roster/rostertable.h"
#include "store/decimalmultiplier.h"
#include "store/resulttables.h"

using namespace Qt::StringLiterals;

namespace MenuTexts {

QString startCaption(int level)
{
    return u"ｽﾀｰﾄ(&%1)"_s.arg(level);
}

QString periodSummary(const LevelStandard &standard, const TallyCell &cell)
{
    return u"最近%1日=%2回 / %3点"_s.arg(QString::number(standard.judgeDaysValue()), QString::number(cell.periodCount),
                                         QString::number(cell.periodPoints));
}

QString targetSummary(const LevelStandard &standard)
{
    if (standard.ClearPoints == LevelStandard::NoClearCondition)
        return u"目標=%1秒 --------"_s.arg(standard.TargetTime);
    return u"目標=%1秒 %2回/%3点(×%4)"_s.arg(QString::number(standard.TargetTime), QString::number(standard.ClearCount),
                                             QString::number(standard.ClearPoints),
                                             DecimalMultiplier(standard.PointMultiplier).text());
}

QString totalCounts(const TallyCell &cell)
{
    if (cell.totalCount == 0)
        return u"------"_s;
    return u"%1回/%2点"_s.arg(QString::number(cell.totalCount), QString::number(cell.totalPoints));
}

QString todayCounts(const TallyCell &cell)
{
    if (cell.todayCount == 0)
        return u"-----"_s;
    return u"%1回/%2点"_s.arg(QString::number(double(cell.todayCount)), QString::number(cell.todayPoints));
}

QString todayTotal(double sessions)
{
    return u"本日総回数＝%1回"_s.arg(qint16(TextNumber::roundHalfEven(sessions)));
}

QString minutesSinceLogin(int minutes)
{
    return u"起動後%1分"_s.arg(minutes);
}

QString studentLine(const QString &grade, const QString &name)
{
    return u"%1 %2"_s.arg(grade, RosterTable::trimBlanks(name));
}

QString siteLine(const QString &siteTitle, int studentNumber)
{
    return u"%1:%2"_s.arg(siteTitle, QString::number(studentNumber));
}

QString overuseNotice()
{
    return u"やりすぎ禁止"_s;
}

} // namespace MenuTexts

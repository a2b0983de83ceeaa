#pragma once

#include <QString>

struct LevelStandard;
struct TallyCell;

// The texts of the level menu's labels and buttons.
namespace MenuTexts {

QString startCaption(int level);
// The level's standard: the judge period's sessions and points, and the
// target with what clears the level.
QString periodSummary(const LevelStandard &standard, const TallyCell &cell);
QString targetSummary(const LevelStandard &standard);
// Sessions and points so far and today; dashes before the first session.
QString totalCounts(const TallyCell &cell);
QString todayCounts(const TallyCell &cell);
// Today's sessions over every level.
QString todayTotal(double sessions);
QString minutesSinceLogin(int minutes);
QString studentLine(const QString &grade, const QString &name);
QString siteLine(const QString &siteTitle, int studentNumber);
QString overuseNotice();

} // namespace MenuTexts

#include "store/tallies.h"

#include <array>
#include <cmath>

#include "app/appstate.h"
#include "app/oledate.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "store/resultsfile.h"

namespace {

constexpr qint32 NoPointsFrom = 99998;

double basePoints(qint32 t, qint32 scoredT, qint32 target)
{
    if (t >= NoPointsFrom)
        return 0;
    if (t <= target) {
        // A zero target cannot be divided by; such a level gives nothing.
        if (target == 0)
            return 0;
        const double share = double(target - scoredT) / double(target);
        return std::floor(share * share * share * 50.0 + 5.0);
    }
    if (t < 2 * qint64(target))
        return 4;
    if (t < 10 * qint64(target))
        return 1;
    return 0;
}

// Everything the pass needs of one level, worked out once per computation.
struct LevelRule
{
    qint32 target = 0;
    double multiplier = 0;
    double periodAfter = 0;
    double overuseAfter = 0;
};

void countEntry(TallyCell &cell, const ResultEntry &e, const LevelRule &rule, double today)
{
    const bool finished = e.timeScore < UnfinishedTime;
    const qint32 p = SessionPoints(e.timeScore, rule.target, rule.multiplier, TimeDigits::FirstThree);
    if (finished)
        ++cell.totalCount;
    if (e.date > rule.periodAfter) {
        cell.periodCount += finished;
        cell.periodPoints += p;
    }
    if (e.date > rule.overuseAfter) {
        cell.overuseCount += finished;
        cell.overusePoints += p;
    }
    cell.totalPoints += p;
    if (std::floor(e.date) == today) {
        cell.todayCount += finished ? 1.0f : 0.0f;
        cell.todayPoints += p;
    }
}

} // namespace

namespace TalliesDetail {

qint32 firstThreeCharacters(qint32 value)
{
    // A minus sign takes one of the three characters.
    const qint64 limit = value < 0 ? 100 : 1000;
    qint64 v = value;
    while (v >= limit || -v >= limit)
        v /= 10;
    return static_cast<qint32>(v);
}

} // namespace TalliesDetail

qint32 SessionPoints(qint32 timeScore, qint32 targetTime, double pointMultiplier, TimeDigits digits)
{
    const qint32 scored = digits == TimeDigits::FirstThree ? TalliesDetail::firstThreeCharacters(timeScore)
                                                           : timeScore;
    const double points = std::floor(basePoints(timeScore, scored, targetTime) * pointMultiplier);
    if (!(points > 0))
        return 0;
    return points >= MaxSessionPoints ? MaxSessionPoints : static_cast<qint32>(points);
}

qint32 SessionPoints(const AppState &state, qint32 timeScore, int level, TimeDigits digits)
{
    if (level < 1 || level > MaxLevel)
        return 0;
    const LevelStandard &row = state.LevelStandards[static_cast<std::size_t>(level)];
    return SessionPoints(timeScore, row.TargetTime, row.PointMultiplier, digits);
}

bool ComputeTallies(AppState &state, Platform &platform)
{
    state.ResultTallies.fill(TallyCell{});
    if (!LoadResults(state, platform))
        return false;

    const double now = OleDate::fromDateTime(platform.clock.now());
    const double today = std::floor(now);
    std::array<LevelRule, MaxLevel + 1> rules;
    for (int level = 1; level <= MaxLevel; ++level) {
        const LevelStandard &row = state.LevelStandards[static_cast<std::size_t>(level)];
        rules[static_cast<std::size_t>(level)] = {row.TargetTime, row.PointMultiplier,
                                                  now - row.judgeDays(), now - row.overuseDays()};
    }

    const LoadedResults &table = state.ResultTable;
    for (qint32 i = 0; i < table.count; ++i) {
        const ResultEntry &e = table.entries[static_cast<std::size_t>(i)];
        if (!LevelStudentTable<TallyCell>::contains(e.level, e.studentNumber))
            continue;
        countEntry(state.ResultTallies.at(e.level, e.studentNumber), e,
                   rules[static_cast<std::size_t>(e.level)], today);
    }
    return true;
}

bool LevelCleared(const AppState &state, int level, int studentNumber)
{
    if (!TallyTables::contains(level, studentNumber))
        return false;
    const TallyCell &cell = state.ResultTallies.at(level, studentNumber);
    const LevelStandard &row = state.LevelStandards[static_cast<std::size_t>(level)];
    return cell.periodCount >= row.ClearCount && cell.periodPoints >= row.ClearPoints;
}

bool LevelOverused(const AppState &state, int level, int studentNumber)
{
    if (!TallyTables::contains(level, studentNumber))
        return false;
    const TallyCell &cell = state.ResultTallies.at(level, studentNumber);
    const LevelStandard &row = state.LevelStandards[static_cast<std::size_t>(level)];
    const double countLimit = row.overuseCount();
    const double pointsLimit = row.overusePoints();
    return (countLimit != 0 && cell.overuseCount >= countLimit)
           || (pointsLimit != 0 && cell.overusePoints >= pointsLimit);
}

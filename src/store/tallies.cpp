#include "store/tallies.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "app/appstate.h"
#include "app/oledate.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "store/decimalmultiplier.h"
#include "store/resultsload.h"

namespace {

constexpr qint32 NoPointsFrom = 99998;

// std::floor is a library call on the baseline x86-64 target and this runs
// for every record; the truncating conversion is one instruction.
Q_ALWAYS_INLINE double floorOf(double x)
{
    if (!(std::fabs(x) < 9.0e15))
        return std::floor(x);
    const double whole = static_cast<double>(static_cast<qint64>(x));
    return whole > x ? whole - 1 : whole;
}

Q_ALWAYS_INLINE double basePoints(qint32 t, qint32 scoredT, qint32 target)
{
    // A negative time cannot be a session: a corrupt record earns nothing.
    if (t >= NoPointsFrom || t < 0)
        return 0;
    if (t <= target) {
        // A zero target cannot be divided by; such a level gives nothing.
        if (target == 0)
            return 0;
        const double share = (double(target) - double(scoredT)) / double(target);
        return floorOf(share * share * share * 50.0 + 5.0);
    }
    if (t < 2 * qint64(target))
        return 4;
    if (t < 10 * qint64(target))
        return 1;
    return 0;
}

Q_ALWAYS_INLINE qint32 firstThree(qint32 value)
{
    if (value < 1000 && value > -100)
        return value;
    return TalliesDetail::firstThreeCharacters(value);
}

Q_ALWAYS_INLINE qint32 pointsOf(qint32 timeScore, qint32 scored, qint32 targetTime,
                                const DecimalMultiplier &multiplier)
{
    return multiplier.times(static_cast<qint64>(basePoints(timeScore, scored, targetTime)), MaxSessionPoints);
}

// Today as a range of day numbers, so that a date with a time part still
// counts as the day it falls on.
struct DayWindow
{
    double start = 0;
    double end = 0;
};

// Everything the pass needs of one level, worked out once per computation.
struct LevelRule
{
    qint32 target = 0;
    DecimalMultiplier multiplier{0.0f};
    double periodAfter = 0;
    double overuseAfter = 0;
};

// Sessions cluster on a few times per level: the formula runs once per
// (level, time) instead of once per record.
Q_ALWAYS_INLINE qint32 storedPoints(std::vector<qint32> &memo, const ResultEntry &e, const LevelRule &rule)
{
    const qint32 t = e.timeScore;
    if (t < 0 || t >= PointsMemoSpan)
        return pointsOf(t, firstThree(t), rule.target, rule.multiplier);
    qint32 &known = memo[static_cast<std::size_t>(e.level) * PointsMemoSpan + static_cast<std::size_t>(t)];
    if (known < 0)
        known = pointsOf(t, firstThree(t), rule.target, rule.multiplier);
    return known;
}

// Written without branches: which windows a record falls in is data, and
// mispredicted jumps would cost more than the few adds.
Q_ALWAYS_INLINE void countEntry(TallyCell &cell, const ResultEntry &e, const LevelRule &rule,
                                const DayWindow &day, qint32 p)
{
    const int finished = e.timeScore < UnfinishedTime;
    const int inPeriod = e.date > rule.periodAfter;
    const int inOveruse = e.date > rule.overuseAfter;
    const int isToday = (e.date >= day.start) & (e.date < day.end);
    cell.totalCount += qint16(finished);
    cell.totalPoints += p;
    cell.periodCount += qint16(finished & inPeriod);
    cell.periodPoints += p & -inPeriod;
    cell.overuseCount += qint16(finished & inOveruse);
    cell.overusePoints += p & -inOveruse;
    cell.todayCount += float(finished & isToday);
    cell.todayPoints += p & -isToday;
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

qint32 SessionPoints(qint32 timeScore, qint32 targetTime, float pointMultiplier, TimeDigits digits)
{
    const qint32 scored = digits == TimeDigits::FirstThree ? firstThree(timeScore) : timeScore;
    return pointsOf(timeScore, scored, targetTime, DecimalMultiplier(pointMultiplier));
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
    // Cleared after the read rather than before: the outcome is the same and
    // the cleared cells are still in the cache for the pass. Each record is
    // counted as the load stores it, in one pass.
    const qint32 records = ResultsLoad::readWindow(state, platform);
    TallyTables &tallies = state.ResultTallies;
    tallies.reset();
    if (records < 0)
        return false;

    const double now = OleDate::fromDateTime(platform.clock.now());
    const DayWindow today{std::floor(now), std::floor(now) + 1};
    std::array<LevelRule, MaxLevel + 1> rules;
    for (int level = 1; level <= MaxLevel; ++level) {
        const LevelStandard &row = state.LevelStandards[static_cast<std::size_t>(level)];
        rules[static_cast<std::size_t>(level)] = {row.TargetTime, DecimalMultiplier(row.PointMultiplier),
                                                  now - row.judgeDays(), now - row.overuseDays()};
    }
    // The memo of a level is reset when the level is first met, so unused
    // levels cost nothing.
    std::array<bool, MaxLevel + 1> memoReady{};

    const double impossibleFrom = ResultsLoad::impossibleFrom(platform.clock.now());
    const WrittenCells written = ResultsLoad::storeEntries(state, records, impossibleFrom, [&](const ResultEntry &e) {
        const auto level = static_cast<std::size_t>(e.level);
        if (!memoReady[level]) {
            const auto from = tallies.pointsMemo.begin() + std::ptrdiff_t(level) * PointsMemoSpan;
            std::fill(from, from + PointsMemoSpan, -1);
            memoReady[level] = true;
        }
        const LevelRule &rule = rules[level];
        countEntry(tallies.writeUnnoted(e.level, e.studentNumber), e, rule, today,
                   storedPoints(tallies.pointsMemo, e, rule));
    });
    tallies.note(written);
    ResultsLoad::finish(state);
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

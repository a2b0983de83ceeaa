#include "store/tallies.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <span>

#include "state/appstate.h"
#include "app/oledate.h"
#include "app/timescore.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "store/decimalmultiplier.h"
#include "store/resultsload.h"

namespace {

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
    if (t >= TimeScore::NoResultFrom || t < 0)
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

Q_ALWAYS_INLINE qint32 pointsOf(qint32 timeScore, qint32 scored, qint32 targetTime, const DecimalMultiplier &multiplier)
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
// mispredicted jumps would cost more than the few adds. Sign -1 takes a
// record that left the window back out.
template <int Sign = 1>
Q_ALWAYS_INLINE void countEntry(TallyCell &cell, const ResultEntry &e, const LevelRule &rule, const DayWindow &day,
                                qint32 p)
{
    const int finished = e.timeScore < TimeScore::FinishedBelow;
    const int inPeriod = e.date > rule.periodAfter;
    const int inOveruse = e.date > rule.overuseAfter;
    const int isToday = (e.date >= day.start) & (e.date < day.end);
    cell.totalCount += qint16(Sign * finished);
    cell.totalPoints += Sign * p;
    cell.periodCount += qint16(Sign * (finished & inPeriod));
    cell.periodPoints += Sign * (p & -inPeriod);
    cell.overuseCount += qint16(Sign * (finished & inOveruse));
    cell.overusePoints += Sign * (p & -inOveruse);
    cell.todayCount += float(Sign * (finished & isToday));
    cell.todayPoints += Sign * (p & -isToday);
}

using LevelRules = std::array<LevelRule, MaxLevel + 1>;
using CountBasis = decltype(TallyTables::countedBasis);

// A count continues from the last one only where at most this many records
// came or went; beyond that a full count is as quick.
constexpr qint64 ContinueAtMost = 4000;

bool wholeDay(double date)
{
    return floorOf(date) == date;
}

// Dates in the file are whole days, and for a whole day D, D > x exactly
// when D > ⌊x⌋: a period's bound matters only by its day. So the tallies of
// unchanged bytes stay right as long as these stay the same.
CountBasis basisOf(const AppState &state, const LevelRules &rules, const DayWindow &today, double impossibleFrom)
{
    CountBasis basis{};
    basis[0] = std::bit_cast<quint64>(today.start);
    basis[1] = std::bit_cast<quint64>(impossibleFrom);
    for (std::size_t level = 1; level <= MaxLevel; ++level) {
        const LevelStandard &row = state.LevelStandards[level];
        const std::size_t at = 2 + 4 * level;
        basis[at] = quint32(rules[level].target);
        basis[at + 1] = std::bit_cast<quint32>(row.PointMultiplier);
        basis[at + 2] = std::bit_cast<quint64>(std::floor(rules[level].periodAfter));
        basis[at + 3] = std::bit_cast<quint64>(std::floor(rules[level].overuseAfter));
    }
    return basis;
}

qint32 pointsOfEntry(const ResultEntry &e, const LevelRule &rule)
{
    return pointsOf(e.timeScore, firstThree(e.timeScore), rule.target, rule.multiplier);
}

// Record `index` of a window held in `buffer`.
const unsigned char *recordAt(const std::vector<unsigned char> &buffer, qint64 index)
{
    return buffer.data() + index * ResultRecordLength;
}

// Every best again from the loaded entries.
void redoBests(AppState &state, double impossibleFrom)
{
    const LoadedResults &table = state.ResultTable;
    state.PersonalBest.reset();
    WrittenCells all;
    for (qint32 i = 0; i < table.count; ++i) {
        const ResultEntry &e = table.entries[std::size_t(i)];
        if (!ResultsLoad::possible(e, impossibleFrom))
            continue;
        all.add(e.level, e.studentNumber);
        qint32 &best = state.PersonalBest.writeUnnoted(e.level, e.studentNumber);
        best = std::min(best, e.timeScore);
    }
    state.PersonalBest.note(all);
}

// The bests of these cells (level << 16 | student) again; the others stand.
void redoBests(AppState &state, double impossibleFrom, std::span<const qint32> cells)
{
    for (qint32 cell : cells)
        state.PersonalBest.writeUnnoted(cell >> 16, cell & 0xFFFF) = TimeScore::NoTime;
    const LoadedResults &table = state.ResultTable;
    for (qint32 i = 0; i < table.count; ++i) {
        const ResultEntry &e = table.entries[std::size_t(i)];
        const qint32 key = qint32(e.level) << 16 | e.studentNumber;
        if (std::find(cells.begin(), cells.end(), key) == cells.end() || !ResultsLoad::possible(e, impossibleFrom))
            continue;
        qint32 &best = state.PersonalBest.writeUnnoted(e.level, e.studentNumber);
        best = std::min(best, e.timeScore);
    }
}

// Brings the last count up to the window just read when the file has only
// grown since (records added at its end, the oldest leaving a full window),
// which is how the file changes between two screens. False, with nothing
// changed, when the window or anything the count depends on changed in any
// other way: then a full count follows.
bool continueCount(AppState &state, qint32 records, const CountBasis &basis, const LevelRules &rules,
                   const DayWindow &today, double impossibleFrom)
{
    LoadedResults &table = state.ResultTable;
    TallyTables &tallies = state.ResultTallies;
    if (table.countedRecords < 0 || !tallies.countedWholeDays || tallies.countedBasis != basis)
        return false;
    const qint64 oldFirst = table.countedFirst;
    const qint64 oldEnd = oldFirst + table.countedRecords;
    const qint64 newFirst = table.firstRecord;
    const qint64 newEnd = newFirst + records;
    if (newFirst < oldFirst || newFirst > oldEnd || newEnd < oldEnd)
        return false;
    const qint64 dropped = newFirst - oldFirst;
    const qint64 kept = oldEnd - newFirst;
    const qint64 added = newEnd - oldEnd;
    if (dropped + added > ContinueAtMost
        || std::memcmp(recordAt(table.readBuffer, 0), recordAt(table.countedBuffer, dropped),
                       std::size_t(kept) * ResultRecordLength)
               != 0)
        return false;
    for (qint64 i = kept; i < kept + added; ++i) {
        const ResultEntry e = ResultRecord::decodeEntry(recordAt(table.readBuffer, i));
        if (ResultsLoad::admits(e) && !wholeDay(e.date))
            return false;
    }

    qint32 droppedEntries = 0;
    // Cells whose best may have left with a dropped record, as level << 16 | student.
    std::array<qint32, 16> bestsToRedo;
    std::size_t redoCount = 0;
    bool redoAllBests = false;
    for (qint64 i = 0; i < dropped; ++i) {
        const ResultEntry e = ResultRecord::decodeEntry(recordAt(table.countedBuffer, i));
        if (!ResultsLoad::admits(e))
            continue;
        ++droppedEntries;
        if (!ResultsLoad::possible(e, impossibleFrom))
            continue;
        const LevelRule &rule = rules[std::size_t(e.level)];
        countEntry<-1>(tallies.writeUnnoted(e.level, e.studentNumber), e, rule, today, pointsOfEntry(e, rule));
        // A best can only be taken away by looking at the others again.
        if (e.timeScore <= state.PersonalBest.at(e.level, e.studentNumber)) {
            if (redoCount < bestsToRedo.size())
                bestsToRedo[redoCount++] = qint32(e.level) << 16 | e.studentNumber;
            else
                redoAllBests = true;
        }
    }
    std::move(table.entries.begin() + droppedEntries, table.entries.begin() + table.count, table.entries.begin());
    table.count -= droppedEntries;

    WrittenCells written;
    for (qint64 i = kept; i < kept + added; ++i) {
        const ResultEntry e = ResultRecord::decodeEntry(recordAt(table.readBuffer, i));
        if (!ResultsLoad::admits(e))
            continue;
        table.entries[std::size_t(table.count++)] = e;
        if (!ResultsLoad::possible(e, impossibleFrom))
            continue;
        written.add(e.level, e.studentNumber);
        qint32 &best = state.PersonalBest.writeUnnoted(e.level, e.studentNumber);
        best = std::min(best, e.timeScore);
        const LevelRule &rule = rules[std::size_t(e.level)];
        countEntry(tallies.writeUnnoted(e.level, e.studentNumber), e, rule, today, pointsOfEntry(e, rule));
    }
    tallies.note(written);
    state.PersonalBest.note(written);
    if (redoAllBests)
        redoBests(state, impossibleFrom);
    else if (redoCount > 0)
        redoBests(state, impossibleFrom, std::span(bestsToRedo.data(), redoCount));
    ResultsLoad::finish(state);
    return true;
}

// The window just counted becomes the one the next count starts from.
void rememberCount(AppState &state, qint32 records, const CountBasis &basis)
{
    LoadedResults &table = state.ResultTable;
    std::swap(table.readBuffer, table.countedBuffer);
    table.countedFirst = table.firstRecord;
    table.countedRecords = records;
    state.ResultTallies.countedBasis = basis;
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
    const qint32 records = ResultsLoad::readWindow(state, platform);
    TallyTables &tallies = state.ResultTallies;
    if (records < 0) {
        ResultsLoad::clearBests(state);
        tallies.reset();
        state.ResultTable.countedRecords = -1;
        return false;
    }

    const double now = OleDate::fromDateTime(platform.clock.now());
    const DayWindow today{std::floor(now), std::floor(now) + 1};
    LevelRules rules;
    for (int level = 1; level <= MaxLevel; ++level) {
        const LevelStandard &row = state.LevelStandards[static_cast<std::size_t>(level)];
        rules[static_cast<std::size_t>(level)] = {row.TargetTime, DecimalMultiplier(row.PointMultiplier),
                                                  now - row.judgeDaysValue(), now - row.overuseDaysValue()};
    }
    const double impossibleFrom = ResultsLoad::impossibleFrom(platform.clock.now());
    const CountBasis basis = basisOf(state, rules, today, impossibleFrom);
    if (continueCount(state, records, basis, rules, today, impossibleFrom)) {
        ++tallies.continuedCounts;
        rememberCount(state, records, basis);
        return true;
    }

    // Cleared after the read rather than before: the outcome is the same and
    // the cleared cells are still in the cache for the pass. Each record is
    // counted as the load stores it, in one pass.
    ResultsLoad::clearBests(state);
    tallies.reset();
    // The memo of a level is reset when the level is first met, so unused
    // levels cost nothing.
    std::array<bool, MaxLevel + 1> memoReady{};
    bool wholeDays = true;
    const WrittenCells written = ResultsLoad::storeEntries(state, records, impossibleFrom, [&](const ResultEntry &e) {
        // A possible date lies before the tolerated future, so it converts safely.
        wholeDays &= double(qint32(e.date)) == e.date;
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
    tallies.countedWholeDays = wholeDays;
    rememberCount(state, records, basis);
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
    const double countLimit = row.overuseCountValue();
    const double pointsLimit = row.overusePointsValue();
    return (countLimit != 0 && cell.overuseCount >= countLimit)
           || (pointsLimit != 0 && cell.overusePoints >= pointsLimit);
}

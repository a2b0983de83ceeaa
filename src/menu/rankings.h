#pragma once

#include <QString>
#include <QStringList>

#include <span>
#include <vector>

#include "app/timescore.h"

namespace ResultLists {

// One student of the offered roster list, in roster order, with the values
// of the level being ranked.
struct RankingStudent
{
    qint16 number = 0;
    QString name; // as in the roster; trailing blanks are dropped
    int gradeNumber = 0;
    qint32 bestTime = TimeScore::NoTime;
    qint32 todayPoints = 0;
    qint32 totalPoints = 0;
};

enum class RankingKind {
    BestTime,    // ascending best time
    TotalPoints, // total points, then today's, descending
    TodayPoints, // today's points, then total, descending; zero today is not listed
};

struct RankingList
{
    QStringList lines;
    // What a screen reader says for each line: the rank with "位", the mark
    // said as a word, the whole name, times with "秒", no padding.
    QStringList spoken;
    // The line just above the current student's (the last one if listed
    // more than once), which the list scrolls to; -1 for none.
    int scrollLine = -1;
};

struct RankedRow
{
    qint32 index = 0; // into the roster list
    qint32 rank = 0;  // shared by equal values
};

// Roster positions in ranking order with their ranks, over the whole roster.
std::vector<RankedRow> rankRows(std::span<const RankingStudent> roster, RankingKind kind);

// The ranking of one level. Ranks are shared by equal values and count
// every student of `roster`, also those that `gradeFilter` hides.
// `spoken` is filled only `withSpoken`: nobody hears it without a screen reader.
RankingList levelRanking(std::span<const RankingStudent> roster, RankingKind kind, const QString &gradeFilter,
                         qint16 currentStudent, bool withSpoken = true);

} // namespace ResultLists

#pragma once

#include <QString>
#include <QStringList>

#include "drill/drillproblem.h"

// Texts built from a problem's counters: the two weak-problem lists of the
// start panel and the history line under a problem.
namespace ProblemLists {

inline constexpr auto TimeHeading = "一問あたり所用時間順（今まで平均）";
inline constexpr auto TimeColumns = "　　問題　  　　所要時間 /正解数/　　間違い数";
inline constexpr auto RateHeading = "正解率順";
inline constexpr auto RateColumns = "　　問題　  　　　正解率 /正解数/　　間違い数";
inline constexpr auto MarksLegend = "（★=100 ●=10 ×=1 間違い数を表す）";
inline constexpr auto Encouragement = "よく間違う問題、時間のかかる問題を確認しよう！";

// A counter as a whole number; anything else a broken file may hold is
// written as it is instead of being rounded into a plausible count.
QString countText(double count);

// "★" per hundred, "●" per ten, "×" per one mistake.
QString mistakeMarks(double wrongCount);

// The average seconds per try written "###0.00": "4.00".
QString secondsText(double seconds);

// Working entries; their text order is the list order.
QString rateEntry(int level, const DrillProblem &problem);
QString timeEntry(int level, const DrillProblem &problem);

// The lines and, in the same order, what a screen reader says for them:
// the problem, the time or rate, then "正解N回" and "間違いN回" in place of
// the padded counts and marks.
struct Lists
{
    QStringList timeLines;
    QStringList rateLines;
    QStringList timeSpoken;
    QStringList rateSpoken;
};

// The visible lines for problems 1..problemCount that were tried before.
Lists build(int level, const DrillProblemTable &problems, int problemCount);

// The history line of a problem as the drill shows it under the problem.
struct History
{
    QString tries;
    QString mistakes;
    QString average;
};
History historyOf(const DrillProblem &problem);

} // namespace ProblemLists

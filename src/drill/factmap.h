#pragma once

#include <QString>
#include <QStringList>

#include "drill/drillproblem.h"
#include "drill/problemstat.h"

// The 100 facts of a level as a 10 × 10 map, laid out as a 100マス sheet:
// one operand down the side, the other along the top (for division the
// divisor down the side and the quotient along the top), each fact judged
// from the student's statistics.
namespace FactMap {

inline constexpr int Side = 10;

enum class Standing {
    NeverTried,
    OftenWrong,   // one try in five or more was wrong
    RightButSlow, // slower on average than half again the target pace
    RightAndFast,
};

// The code of the fact in row `row`, column `column` (both 0..9).
int codeAt(int row, int column);
// The operands written down the side (row) and along the top (column).
int rowOperand(int level, int row);
int columnOperand(int level, int column);

// `targetTime` is the level's target for all 100 facts, in seconds.
Standing standingOf(const DrillProblem &problem, qint32 targetTime);

// A mark that tells the standings apart without colour.
QString markOf(Standing standing);
QString nameOf(Standing standing);
// The legend under the map: every standing with its mark, one per entry.
QStringList legend();

// A student's facts of a level as the statistics file holds them, for
// looking only: a missing or unreadable file gives facts never tried, and
// nothing is created.
DrillProblemTable storedFacts(const QString &dataFolder, int studentNumber, int level);
// The facts a level's statistics hold.
DrillProblemTable factsOf(const LevelStats &stats);

// What a cell says when focused or read aloud: the fact, its counts, its
// average time and its standing.
QString describe(int level, const DrillProblem &problem, qint32 targetTime);

} // namespace FactMap

#pragma once

#include <QtGlobal>

struct AppState;
struct LevelStandard;
struct Platform;

// Which time the points formula is fed with: the result screen uses the
// full time; the tallies use the number formed by its first three digits.
enum class TimeDigits { Full, FirstThree };

// Points a session earns, never negative and never more than
// MaxSessionPoints, so that 20000 sessions cannot overflow a sum. The
// multiplier is applied as the decimal the teacher wrote (DecimalMultiplier).
qint32 SessionPoints(qint32 timeScore, qint32 targetTime, float pointMultiplier, TimeDigits digits = TimeDigits::Full);
// The same with the level's standard; 0 for a level outside 1..35.
qint32 SessionPoints(const AppState &state, qint32 timeScore, int level, TimeDigits digits = TimeDigits::Full);

inline constexpr qint32 MaxSessionPoints = 100000;

// Clears the eight tallies, reloads the results file and counts every loaded
// record. False when the program is ending after a file error.
bool ComputeTallies(AppState &state, Platform &platform);

// Judgements on the tallies of the last ComputeTallies; false outside the tables.
bool LevelCleared(const AppState &state, int level, int studentNumber);
bool LevelOverused(const AppState &state, int level, int studentNumber);

namespace TalliesDetail {
// 1234 -> 123, 99999 -> 999, -1234 -> -12: the first three characters of
// the decimal text read back as a number.
qint32 firstThreeCharacters(qint32 value);
} // namespace TalliesDetail

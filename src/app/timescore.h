#pragma once

#include <QtGlobal>

// A time score is a session's time in whole seconds as the results file
// keeps it. Its bands and the values that are no time:
namespace TimeScore {

// From here on the session was not finished and is never counted.
inline constexpr qint32 FinishedBelow = 5000;
// From here on the session has no result to show and earns no points.
// A best of exactly this is shown as a failure.
inline constexpr qint32 NoResultFrom = 99998;
// The time limit ran out. A best time without any session holds it too,
// as no session can lower a best below it.
inline constexpr qint32 NoTime = 99999;

} // namespace TimeScore

#include "drill/sessionclock.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "app/textnumber.h"
#include "app/timescore.h"

namespace {

constexpr qint32 TimeLimitFactor = 5;

} // namespace

qint32 SessionClock::elapsedSeconds(qint64 tick) const
{
    if (!m_running)
        return 0;
    return static_cast<qint32>(TextNumber::roundHalfEven(SessionTiming::secondsBetween(m_startTick, tick)));
}

namespace SessionTiming {

qint32 timeLimit(qint32 minimumTime)
{
    // A table value beyond reason must not overflow the limit, and a
    // session finished within it must still have a result.
    return static_cast<qint32>(std::clamp<qint64>(qint64(minimumTime) * TimeLimitFactor, 0, TimeScore::NoResultFrom));
}

int barWidth(double seconds, qint32 limit, int fullWidth)
{
    if (limit <= 0)
        return fullWidth;
    const double width = std::floor(seconds * fullWidth / limit);
    return static_cast<int>(std::clamp(width, 0.0, double(fullWidth)));
}

double secondsBetween(qint64 fromTick, qint64 toTick)
{
    return std::max<qint64>(0, toTick - fromTick) / 1000.0;
}

int minutesSinceLogin(qint64 nowTick, qint64 loginTick)
{
    constexpr qint64 MsPerMinute = 60000;
    return static_cast<int>(std::clamp<qint64>((nowTick - loginTick) / MsPerMinute, 0, INT_MAX));
}

} // namespace SessionTiming

#pragma once

#include <QtGlobal>

// Time keeping of one drill session. Times are taken from the millisecond
// tick counter rather than the time of day, so a session that runs over
// midnight keeps counting up instead of turning negative.
class SessionClock final
{
public:
    void start(qint64 tick)
    {
        m_startTick = tick;
        m_running = true;
    }
    bool running() const { return m_running; }
    // Seconds since start(), rounded half to even; never negative.
    qint32 elapsedSeconds(qint64 tick) const;

private:
    qint64 m_startTick = 0;
    bool m_running = false;
};

namespace SessionTiming {

inline constexpr int ClockIntervalMs = 1000;
inline constexpr int MinutesClockIntervalMs = 10000;

// The limit of a session: five times the level's lowest passing time.
qint32 timeLimit(qint32 minimumTime);
// Reaching the limit exactly already ends the session.
inline bool limitReached(qint32 elapsedSeconds, qint32 timeLimit)
{
    return elapsedSeconds >= timeLimit;
}

// Width of a bar standing for `seconds` on a time bar `fullWidth` wide that
// stands for `limit` seconds; held within the bar. A limit of 0 or less
// leaves nothing to scale, so any time fills the bar.
int barWidth(double seconds, qint32 limit, int fullWidth);

// Seconds between two ticks, for the time spent on a problem.
double secondsBetween(qint64 fromTick, qint64 toTick);

// Whole minutes between the login tick and now, from the monotonic tick
// counter, so midnight or a clock change does not turn them back.
int minutesSinceLogin(qint64 nowTick, qint64 loginTick);

} // namespace SessionTiming

#include "platform/clock.h"

double Clock::secondsSinceMidnight() const
{
    return now().time().msecsSinceStartOfDay() / 1000.0;
}

SystemClock::SystemClock()
{
    m_started.start();
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

qint64 SystemClock::tickCount() const
{
    return m_started.elapsed();
}

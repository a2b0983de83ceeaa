#pragma once

#include <QDateTime>
#include <QElapsedTimer>

// Date and time of day, so that tests can freeze and move time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // Milliseconds from an arbitrary start; only differences matter.
    virtual qint64 tickCount() const = 0;

    QDate today() const { return now().date(); }
    // Seconds since midnight, with the milliseconds as a fraction.
    double secondsSinceMidnight() const;
};

class SystemClock final : public Clock
{
public:
    SystemClock();
    QDateTime now() const override;
    qint64 tickCount() const override;

private:
    // Monotonic, so a clock change during a drill does not move its time.
    QElapsedTimer m_started;
};

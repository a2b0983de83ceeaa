#include "app/oledate.h"

#include <cmath>

namespace {

const QDate Epoch(1899, 12, 30);
constexpr double MsPerDay = 86400000.0;
// Far beyond any real date, and well inside what converts to a day count:
// a corrupt record's 1e300 or NaN gives no date rather than undefined behaviour.
constexpr double LargestDayNumber = 1.0e9;

bool convertible(double dayNumber)
{
    return std::fabs(dayNumber) < LargestDayNumber;
}

// The fraction of the day in milliseconds; a fraction that rounds up to a
// whole day is midnight of the next.
int fractionMs(double dayNumber)
{
    const double fraction = std::fabs(dayNumber - std::trunc(dayNumber));
    return static_cast<int>(std::lround(fraction * MsPerDay));
}

} // namespace

namespace OleDate {

double fromDate(QDate date)
{
    return static_cast<double>(Epoch.daysTo(date));
}

double fromDateTime(const QDateTime &dateTime)
{
    return fromDate(dateTime.date()) + dateTime.time().msecsSinceStartOfDay() / MsPerDay;
}

QDate toDate(double dayNumber)
{
    if (!convertible(dayNumber))
        return {};
    // Before the epoch the fraction still counts forward from midnight, so
    // the day is the integer part, not the floor.
    return Epoch.addDays(static_cast<qint64>(std::trunc(dayNumber)));
}

QDateTime toDateTime(double dayNumber)
{
    if (!convertible(dayNumber))
        return {};
    return QDateTime(toDate(dayNumber), QTime(0, 0)).addMSecs(fractionMs(dayNumber));
}

QTime toTimeOfDay(double dayNumber)
{
    if (!convertible(dayNumber))
        return {};
    return QTime(0, 0).addMSecs(fractionMs(dayNumber));
}

} // namespace OleDate

#pragma once

#include <QDateTime>

// Dates as day numbers counted from 1899-12-30, the time of day as the
// fraction: the form the results file stores them in.
namespace OleDate {

double fromDateTime(const QDateTime &dateTime);
double fromDate(QDate date);
// An invalid date or time for a day number no calendar reaches (NaN, 1e300).
QDate toDate(double dayNumber);
QDateTime toDateTime(double dayNumber);
// The clock time of the fraction alone, as toDateTime gives it on a day
// without a clock change; no time zone is looked up, so it suits a pass
// over many records.
QTime toTimeOfDay(double dayNumber);

} // namespace OleDate

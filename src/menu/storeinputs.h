#pragma once

#include <QDate>
#include <QString>

#include <vector>

#include "menu/rankings.h"
#include "menu/resultlogs.h"

struct AppState;
struct Platform;
struct ResultRecord;

// The result lists' view of the results store.
namespace ResultLists {

// Sets the best time and the points of `level` on every student of the
// ranking roster from the tables of the last ComputeTallies; a number or
// level outside the tables keeps "no record" and no points.
void setLevelValues(std::vector<RankingStudent> &students, const AppState &state, int level);

// The logs' points: the tallies' rule without the level's multiplier.
qint32 logPoints(const AppState &state, qint32 timeScore, int level);

LogRecord logRecordOf(const ResultRecord &record);

// What the logs need to know of the school and the student at the menu.
LogContext logContextFor(const AppState &state, int levelCount, QDate today, const QString &gradeFilter);

// How a log read went. The progress bar's range is known once the file has
// told its record count (a maximum of 0: it never did); the value when the
// records are in.
struct LogRead
{
    bool ok = false;
    int progressMaximum = 0;
    int progressValue = 0;
};

// Reads the newest `window` records of the results file into `records`, in
// file order; `buffer` is kept by the caller so that reads reuse it. When the
// file cannot be read the user is told and the program ends: `ok` is false.
LogRead readLogRecords(const AppState &state, Platform &platform, qint32 window, std::vector<LogRecord> &records,
                       std::vector<unsigned char> &buffer);

} // namespace ResultLists

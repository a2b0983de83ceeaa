#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <span>
#include <vector>

// The session logs of the level menu: today's sessions, the sessions of a
// period and one student's own history, one list per level.
namespace ResultLists {

// Only the newest records of the results file are scanned.
inline constexpr qint32 TodayLogRecords = 1000;
inline constexpr qint32 PeriodLogRecords = 20000;

// What the logs need of one results-file record.
struct LogRecord
{
    double date = 0;      // day number
    double timeOfDay = 0; // fraction of the day
    qint32 studentNumber = 0;
    qint32 level = 0;
    qint32 timeScore = 0;
};

struct LogStudent
{
    QString name;
    int gradeNumber = 0;
};

struct LogContext
{
    int levelCount = 0;
    QDate today;
    QString gradeFilter;
    qint32 currentStudent = 0;
    // Name and grade of a student number, whatever the number.
    std::function<LogStudent(qint32 studentNumber)> student;
    // Base points of a time score at a level, without the level's multiplier.
    std::function<qint32(qint32 timeScore, int level)> points;
};

// Lines per level: index k holds the lines of level k, index 0 stays empty.
using LevelLines = std::vector<QStringList>;

enum class LogView { Time, Points };

// The first record number (from 1) of the newest `window` of `recordCount`
// records. Record numbers are 32-bit: a file beyond 32767 records still
// reaches its newest records.
qint32 windowStart(qint32 recordCount, qint32 window);

// Items of the period box; item i selects period i + 1.
QStringList periodTexts();
inline constexpr int DefaultPeriod = 3;

// How many days back period 1..5 reaches from `today`: this week (Monday to
// today), since last week, a month, a year, all so far. Any other period
// counts as the default one.
int periodDaysBack(int period, QDate today);

// `records` are in file order and end with the newest record of the file;
// each log scans only its window of the newest of them. Given `spoken`, it
// gets what a screen reader says for each line, in the same places: no
// padding, the mark said as a word ("自分", "小3"), a failed session as "失敗".
LevelLines todayLog(std::span<const LogRecord> records, const LogContext &context, LevelLines *spoken = nullptr);
LevelLines periodLog(std::span<const LogRecord> records, const LogContext &context, int period, LogView view,
                     LevelLines *spoken = nullptr);
LevelLines ownHistoryLines(std::span<const LogRecord> records, const LogContext &context, qint32 studentNumber,
                           LevelLines *spoken = nullptr);

} // namespace ResultLists

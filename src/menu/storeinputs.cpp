#include "menu/storeinputs.h"

#include <algorithm>

#include "state/appstate.h"
#include "menu/rosterinputs.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/programend.h"
#include "store/resultrecord.h"
#include "store/resultsfile.h"
#include "store/tallies.h"

namespace ResultLists {

void setLevelValues(std::vector<RankingStudent> &students, const AppState &state, int level)
{
    for (RankingStudent &student : students) {
        student.bestTime = TimeScore::NoTime;
        student.todayPoints = 0;
        student.totalPoints = 0;
        if (!BestTimeTable::contains(level, student.number))
            continue;
        student.bestTime = state.PersonalBest.at(level, student.number);
        const TallyCell &cell = state.ResultTallies.at(level, student.number);
        student.todayPoints = cell.todayPoints;
        student.totalPoints = cell.totalPoints;
    }
}

qint32 logPoints(const AppState &state, qint32 timeScore, int level)
{
    if (level < 1 || level > MaxLevel)
        return 0;
    return SessionPoints(timeScore, state.LevelStandards[std::size_t(level)].TargetTime, 1.0f, TimeDigits::FirstThree);
}

LogRecord logRecordOf(const ResultRecord &record)
{
    return {record.date, record.timeOfDay, record.studentNumber, record.level, record.timeScore};
}

LogContext logContextFor(const AppState &state, int levelCount, QDate today, const QString &gradeFilter)
{
    LogContext context;
    context.levelCount = levelCount;
    context.today = today;
    context.gradeFilter = gradeFilter;
    context.currentStudent = state.StudentNumber;
    context.student = [&state](qint32 number) { return rosterStudent(state.roster, number); };
    context.points = [&state](qint32 timeScore, int level) { return logPoints(state, timeScore, level); };
    return context;
}

LogRead readLogRecords(const AppState &state, Platform &platform, qint32 window, std::vector<LogRecord> &records,
                       std::vector<unsigned char> &buffer)
{
    LogRead read;
    records.clear();
    ResultsFile file;
    FileFault fault = OpenResultsFile(state, platform, file, ResultsFile::Access::ReadOnly);
    qint32 count = 0;
    qint32 got = 0;
    if (!fault.failed())
        count = file.recordCount(&fault);
    if (!fault.failed()) {
        read.progressMaximum = int((double(count) + 1) * 1.1);
        const qint32 first = windowStart(count, window);
        const qint32 wanted = count - first + 1;
        buffer.resize(std::size_t(std::max(wanted, 0)) * ResultRecordLength);
        fault = readResultsWaiting(platform, file, first, wanted, buffer.data(), &got);
    }
    file.close();
    if (fault.failed()) {
        platform.dialogs.tell(
            QStringLiteral("注意"),
            QStringLiteral("成績ランダムファイル表示%1%2").arg(QString::number(fault.number), fault.description),
            DialogIcon::Critical);
        platform.programEnd.endProgram(1);
        return read;
    }
    records.reserve(std::size_t(got));
    for (qint32 i = 0; i < got; ++i)
        records.push_back(logRecordOf(ResultRecord::decode(buffer.data() + std::size_t(i) * ResultRecordLength)));
    read.ok = true;
    read.progressValue = std::min(got, read.progressMaximum);
    return read;
}

} // namespace ResultLists

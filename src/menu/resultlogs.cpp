#include "menu/resultlogs.h"

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_map>

#include "state/appstate.h"
#include "app/columns.h"
#include "app/oledate.h"
#include "app/spokentext.h"
#include "menu/gradefilter.h"

namespace {

using namespace ResultLists;

// From here on a time score is listed as a failed session.
constexpr qint32 ListedTimeLimit = 90000;
constexpr int DaysPerWeek = 7;

const std::array<const char16_t *, 5> Periods{u"　　　今週の全成績", u"　　先週からの全成績", u"　　１ヶ月間の全成績",
                                              u"　　１年間の全成績", u"　　今までの全成績"};
const std::array<int, 5> PeriodDays{0, DaysPerWeek, 30, 365, 3650};

std::span<const LogRecord> newest(std::span<const LogRecord> records, qint32 window)
{
    return records.last(std::min<std::size_t>(records.size(), std::size_t(window)));
}

LevelLines emptyLists(int levelCount)
{
    return LevelLines(std::size_t(std::clamp(levelCount, 0, MaxLevel)) + 1);
}

// The student part of a log line as shown ("mark, name, mark") and as said
// ("mark word, name").
struct Who
{
    QString shown;
    QString spoken;
};

// The student part of a log line, or nothing when the grade filter hides
// the student; each student is looked up once per log.
class StudentColumns final
{
public:
    explicit StudentColumns(const LogContext &context)
        : m_context(context)
    {
    }

    const std::optional<Who> &of(qint32 studentNumber)
    {
        const auto found = m_known.find(studentNumber);
        if (found != m_known.end())
            return found->second;
        return m_known.emplace(studentNumber, lookUp(studentNumber)).first->second;
    }

private:
    std::optional<Who> lookUp(qint32 studentNumber) const
    {
        const LogStudent student = m_context.student(studentNumber);
        if (!GradeFilterMatch(student.gradeNumber, m_context.gradeFilter))
            return std::nullopt;
        const bool current = studentNumber == m_context.currentStudent;
        const QString mark = current ? QStringLiteral("●") : GradeMark(student.gradeNumber);
        return Who{mark + nameColumnText(student.name) + mark,
                   SpokenText::join({spokenMark(student.gradeNumber, current), student.name})};
    }

    const LogContext &m_context;
    std::unordered_map<qint32, std::optional<Who>> m_known;
};

bool onMenu(const LogRecord &record, int levels)
{
    return record.level >= 1 && record.level < levels && record.studentNumber != 0;
}

// Records come in date order, so the last date's text is nearly always the next one's.
class DateText final
{
public:
    explicit DateText(QStringView format)
        : m_format(format)
    {
    }
    const QString &of(double date)
    {
        if (m_text.isNull() || date != m_date) {
            m_date = date;
            m_text = OleDate::toDate(date).toString(m_format);
        }
        return m_text;
    }

private:
    QStringView m_format;
    double m_date = 0;
    QString m_text;
};

QString timeText(qint32 timeScore)
{
    return Columns::padLeft(QString::number(timeScore) + u'秒', 5);
}

QString failedPrefix()
{
    return QStringLiteral("　　× ");
}

QString spokenTime(qint32 timeScore)
{
    return QString::number(timeScore) + u'秒';
}

// Adds a line's spoken text where the caller asked for them.
void addSpoken(LevelLines *spoken, qint32 level, std::initializer_list<QStringView> pieces)
{
    if (spoken)
        (*spoken)[std::size_t(level)].append(SpokenText::join(pieces));
}

QString clockText(double timeOfDay, QStringView format)
{
    return OleDate::toDateTime(timeOfDay).time().toString(format);
}

} // namespace

namespace ResultLists {

qint32 windowStart(qint32 recordCount, qint32 window)
{
    return std::max<qint32>(1, recordCount - window + 1);
}

QStringList periodTexts()
{
    QStringList texts;
    for (const char16_t *text : Periods)
        texts.append(QString::fromUtf16(text));
    return texts;
}

int periodDaysBack(int period, QDate today)
{
    if (period < 1 || period > int(PeriodDays.size()))
        period = DefaultPeriod;
    // Weeks run Monday to Sunday: Qt counts Monday as day 1.
    if (period <= 2)
        return today.dayOfWeek() + PeriodDays[std::size_t(period - 1)];
    return PeriodDays[std::size_t(period - 1)];
}

LevelLines todayLog(std::span<const LogRecord> records, const LogContext &context, LevelLines *spoken)
{
    LevelLines lists = emptyLists(context.levelCount);
    if (spoken)
        *spoken = lists;
    const int levels = int(lists.size());
    StudentColumns students(context);
    for (const LogRecord &record : newest(records, TodayLogRecords)) {
        if (OleDate::toDate(record.date) != context.today)
            continue;
        if (!onMenu(record, levels))
            continue;
        const std::optional<Who> &who = students.of(record.studentNumber);
        if (!who)
            continue;
        const QString hhmm = clockText(record.timeOfDay, u"hh:mm");
        QString line;
        if (record.timeScore < ListedTimeLimit) {
            const QString points = QString::number(context.points(record.timeScore, record.level));
            line = timeText(record.timeScore) + u' ' + hhmm + who->shown + points;
            addSpoken(spoken, record.level, {spokenTime(record.timeScore), hhmm, who->spoken, points});
        } else {
            line = failedPrefix() + hhmm + who->shown;
            addSpoken(spoken, record.level, {u"失敗", hhmm, who->spoken});
        }
        lists[std::size_t(record.level)].append(line);
    }
    return lists;
}

LevelLines periodLog(std::span<const LogRecord> records, const LogContext &context, int period, LogView view,
                     LevelLines *spoken)
{
    LevelLines lists = emptyLists(context.levelCount);
    if (spoken)
        *spoken = lists;
    const int levels = int(lists.size());
    const double after = OleDate::fromDate(context.today) - periodDaysBack(period, context.today);
    StudentColumns students(context);
    DateText dates(u"MM/dd");
    for (const LogRecord &record : newest(records, PeriodLogRecords)) {
        if (!(record.date > after))
            continue;
        if (!onMenu(record, levels))
            continue;
        const std::optional<Who> &who = students.of(record.studentNumber);
        if (!who)
            continue;
        const QString &date5 = dates.of(record.date);
        QString line;
        if (record.timeScore >= ListedTimeLimit) {
            line = failedPrefix() + date5 + who->shown;
            addSpoken(spoken, record.level, {u"失敗", date5, who->spoken});
        } else {
            const QString points = QString::number(context.points(record.timeScore, record.level));
            const QString time = spokenTime(record.timeScore);
            if (view == LogView::Time) {
                line = timeText(record.timeScore) + u' ' + date5 + who->shown + points;
                addSpoken(spoken, record.level, {time, date5, who->spoken, points});
            } else {
                line = Columns::padLeft(points, 5) + u' ' + date5 + who->shown + time;
                addSpoken(spoken, record.level, {points, date5, who->spoken, time});
            }
        }
        lists[std::size_t(record.level)].append(line);
    }
    return lists;
}

LevelLines ownHistoryLines(std::span<const LogRecord> records, const LogContext &context, qint32 studentNumber,
                           LevelLines *spoken)
{
    LevelLines lists = emptyLists(context.levelCount);
    if (spoken)
        *spoken = lists;
    const int levels = int(lists.size());
    if (studentNumber == 0 || !GradeFilterMatch(context.student(studentNumber).gradeNumber, context.gradeFilter))
        return lists;
    const double after = OleDate::fromDate(context.today) - PeriodDays.back();
    DateText dates(u"yyyy/MM/dd");
    for (const LogRecord &record : newest(records, PeriodLogRecords)) {
        if (record.studentNumber != studentNumber || record.level < 1 || record.level >= levels
            || !(record.date > after))
            continue;
        QString line = dates.of(record.date) + u' ' + clockText(record.timeOfDay, u"hh:mm:ss");
        if (record.timeScore < ListedTimeLimit)
            line += timeText(record.timeScore);
        addSpoken(spoken, record.level, {line});
        lists[std::size_t(record.level)].append(line);
    }
    return lists;
}

} // namespace ResultLists

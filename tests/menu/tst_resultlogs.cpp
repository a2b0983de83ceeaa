#include <QTest>

#include <cmath>
#include <vector>

#include "app/columns.h"
#include "app/oledate.h"
#include "menu/resultlogs.h"

using namespace Qt::StringLiterals;
using namespace ResultLists;

namespace {

const QDate Wednesday(2026, 12, 9);

LogRecord record(QDate date, QTime time, qint32 student, qint32 level, qint32 timeScore)
{
    return {OleDate::fromDate(date), time.msecsSinceStartOfDay() / 86400000.0, student, level, timeScore};
}

// Student 1 is a third-grader, student 2 (the current one) a fourth-grader;
// nobody else is on the roster.
LogContext context(QDate today, const QString &filter = u"全学年"_s)
{
    LogContext c;
    c.levelCount = 4;
    c.today = today;
    c.gradeFilter = filter;
    c.currentStudent = 2;
    c.student = [](qint32 number) {
        if (number == 1)
            return LogStudent{u"山田                "_s, 3};
        if (number == 2)
            return LogStudent{u"佐藤"_s, 4};
        return LogStudent{};
    };
    // Any rule will do, as long as each line shows what it gives.
    c.points = [](qint32 timeScore, int level) { return timeScore / 10 + level; };
    return c;
}

// One session a day on level 1 by student 1, from `days` days ago to today;
// the time score tells how many days ago.
std::vector<LogRecord> dailySessions(QDate today, int days)
{
    std::vector<LogRecord> records;
    for (int back = days; back >= 0; --back)
        records.push_back(record(today.addDays(-back), QTime(12, 0), 1, 1, back + 100));
    return records;
}

} // namespace

class TestResultLogs : public QObject
{
    Q_OBJECT

private slots:
    void todayLines_data();
    void todayLines();
    void todayScansOnlyNewest1000();
    void recordsBeyond16BitNumbers();
    void periodReach_data();
    void periodReach();
    void periodLines();
    void ownHistory();
    void corruptDatesAreListedWithoutADate();
};

void TestResultLogs::todayLines_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("level1");
    QTest::addColumn<QStringList>("level2");

    QTest::newRow("全学年") << u"全学年"_s
                            << QStringList{u"  80秒 09:05③山田　　　③9"_s, u"9999秒 10:01③山田　　　③9000"_s,
                                           u"　　× 10:02③山田　　　③"_s}
                            << QStringList{u"　　× 09:07●佐藤　　　●"_s, u" 123秒 23:59●佐藤　　　●14"_s};
    QTest::newRow("小３") << u"小３"_s
                          << QStringList{u"  80秒 09:05③山田　　　③9"_s, u"9999秒 10:01③山田　　　③9000"_s,
                                         u"　　× 10:02③山田　　　③"_s}
                          << QStringList{};
    QTest::newRow("中１") << u"中１"_s << QStringList{} << QStringList{};
}

void TestResultLogs::todayLines()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, level1);
    QFETCH(QStringList, level2);

    const std::vector<LogRecord> records{
        record(Wednesday.addDays(-1), QTime(9, 0), 1, 1, 70),
        record(Wednesday, QTime(9, 5, 59), 1, 1, 80),
        record(Wednesday, QTime(9, 7), 2, 2, 99999),
        record(Wednesday, QTime(9, 8), 0, 1, 60), // no student
        record(Wednesday, QTime(9, 9), 1, 5, 60), // beyond the four levels
        record(Wednesday, QTime(9, 9), 1, 0, 60),
        record(Wednesday, QTime(10, 1), 1, 1, 89999),
        record(Wednesday, QTime(10, 2), 1, 1, 90000),
        record(Wednesday, QTime(23, 59, 59), 2, 2, 123),
        record(Wednesday.addDays(1), QTime(0, 0), 1, 1, 75),
    };
    const LevelLines lists = todayLog(records, context(Wednesday, filter));
    QCOMPARE(lists.size(), std::size_t(5));
    QCOMPARE(lists[1], level1);
    QCOMPARE(lists[2], level2);
    QVERIFY(lists[0].isEmpty() && lists[3].isEmpty() && lists[4].isEmpty());
}

void TestResultLogs::todayScansOnlyNewest1000()
{
    std::vector<LogRecord> records;
    for (int i = 1; i <= 1200; ++i)
        records.push_back(record(Wednesday, QTime(8, 0), 1, 1 + i % 2, i));
    const LevelLines lists = todayLog(records, context(Wednesday));
    QCOMPARE(lists[1].size() + lists[2].size(), 1000);
    QCOMPARE(lists[2].first().left(5), u" 201秒"_s);
    QCOMPARE(lists[1].last().left(5), u"1200秒"_s);
}

void TestResultLogs::recordsBeyond16BitNumbers()
{
    QCOMPARE(windowStart(40000, TodayLogRecords), 39001);
    QCOMPARE(windowStart(40000, PeriodLogRecords), 20001);
    QCOMPARE(windowStart(999, TodayLogRecords), 1);
    QCOMPARE(windowStart(0, PeriodLogRecords), 1);

    // A file of 40000 records whose newest 300 are today's.
    std::vector<LogRecord> records(40000, record(Wednesday.addDays(-400), QTime(8, 0), 1, 1, 50));
    for (std::size_t i = records.size() - 300; i < records.size(); ++i)
        records[i] = record(Wednesday, QTime(8, 0), 2, 3, 60);
    QCOMPARE(todayLog(records, context(Wednesday))[3].size(), 300);
    QCOMPARE(periodLog(records, context(Wednesday), 1, LogView::Time)[3].size(), 300);
    QCOMPARE(ownHistoryLines(records, context(Wednesday), 2)[3].size(), 300);
}

void TestResultLogs::periodReach_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("period");
    QTest::addColumn<int>("days"); // listed days, today included

    const QDate monday(2026, 12, 7);
    const QDate sunday(2026, 12, 13);
    QTest::newRow("this week, Monday") << monday << 1 << 1;
    QTest::newRow("this week, Wednesday") << Wednesday << 1 << 3;
    QTest::newRow("this week, Sunday") << sunday << 1 << 7;
    QTest::newRow("since last week, Monday") << monday << 2 << 8;
    QTest::newRow("since last week, Sunday") << sunday << 2 << 14;
    QTest::newRow("one month") << Wednesday << 3 << 30;
    QTest::newRow("one year") << Wednesday << 4 << 365;
    QTest::newRow("all so far") << Wednesday << 5 << 3650;
    QTest::newRow("unknown period: one month") << Wednesday << 0 << 30;
}

void TestResultLogs::periodReach()
{
    QFETCH(QDate, today);
    QFETCH(int, period);
    QFETCH(int, days);

    QCOMPARE(periodDaysBack(period, today), days);
    const LevelLines lists = periodLog(dailySessions(today, 4000), context(today), period, LogView::Time);
    QCOMPARE(lists[1].size(), days);
    const QDate first = today.addDays(1 - days);
    QCOMPARE(lists[1].first().mid(6, 5), first.toString(u"MM/dd"));
    QCOMPARE(lists[1].first().left(5), Columns::padLeft(QString::number(days - 1 + 100) + u'秒', 5));
}

void TestResultLogs::periodLines()
{
    const std::vector<LogRecord> records{
        record(Wednesday.addDays(-2), QTime(9, 0), 1, 1, 80),
        record(Wednesday, QTime(9, 7), 2, 1, 99999),
        record(Wednesday, QTime(9, 8), 0, 1, 60),
        record(Wednesday, QTime(9, 9), 1, 5, 60),
        record(Wednesday, QTime(9, 10), 3, 4, 1234), // not on the roster: no grade mark
    };
    const LevelLines time = periodLog(records, context(Wednesday), 1, LogView::Time);
    QCOMPARE(time[1], (QStringList{u"  80秒 12/07③山田　　　③9"_s, u"　　× 12/09●佐藤　　　●"_s}));
    QCOMPARE(time[4], QStringList{u"1234秒 12/09　　　　　　　127"_s});

    LevelLines spoken;
    const LevelLines points = periodLog(records, context(Wednesday), 1, LogView::Points, &spoken);
    QCOMPARE(points[1], (QStringList{u"    9 12/07③山田　　　③80秒"_s, u"　　× 12/09●佐藤　　　●"_s}));
    QCOMPARE(points[4], QStringList{u"  127 12/09　　　　　　　1234秒"_s});
    QCOMPARE(spoken[1], (QStringList{u"9 12/07 小3 山田 80秒"_s, u"失敗 12/09 自分 佐藤"_s}));
    QCOMPARE(spoken[4], QStringList{u"127 12/09 1234秒"_s});

    QVERIFY(periodLog(records, context(Wednesday, u"中学生全体"_s), 5, LogView::Time)[1].isEmpty());
}

void TestResultLogs::ownHistory()
{
    const std::vector<LogRecord> records{
        record(Wednesday.addDays(-3650), QTime(9, 0), 2, 1, 70), // just outside ten years
        record(Wednesday.addDays(-3649), QTime(9, 1, 2), 2, 1, 75),
        record(Wednesday, QTime(9, 5, 30), 2, 1, 80),
        record(Wednesday, QTime(9, 6), 1, 1, 85),
        record(Wednesday, QTime(9, 7), 2, 2, 99999),
        record(Wednesday, QTime(9, 8), 2, 7, 60),
    };
    const LevelLines lists = ownHistoryLines(records, context(Wednesday), 2);
    const QString early = Wednesday.addDays(-3649).toString(u"yyyy/MM/dd");
    QCOMPARE(lists[1], (QStringList{early + u" 09:01:02  75秒"_s, u"2026/12/09 09:05:30  80秒"_s}));
    QCOMPARE(lists[2], QStringList{u"2026/12/09 09:07:00"_s});
    QCOMPARE(ownHistoryLines(records, context(Wednesday), 1)[1], QStringList{u"2026/12/09 09:06:00  85秒"_s});

    // The filter applies to the student whose history it is.
    const LevelLines hidden = ownHistoryLines(records, context(Wednesday, u"小３"_s), 2);
    QVERIFY(hidden[1].isEmpty() && hidden[2].isEmpty());
    QVERIFY(ownHistoryLines(records, context(Wednesday), 0)[1].isEmpty());
}

// A corrupt record still shows, but no calendar reaches its date.
void TestResultLogs::corruptDatesAreListedWithoutADate()
{
    const std::vector<LogRecord> records{{1e300, std::nan(""), 1, 1, 100}, {std::nan(""), 1e300, 1, 2, 100}};
    const LevelLines today = todayLog(records, context(Wednesday));
    QVERIFY(today[1].isEmpty() && today[2].isEmpty());
    const LevelLines period = periodLog(records, context(Wednesday), 5, LogView::Time);
    QCOMPARE(period[1], QStringList{u" 100秒 ③山田　　　③11"_s});
    QVERIFY(period[2].isEmpty());
    QCOMPARE(ownHistoryLines(records, context(Wednesday), 1)[1], QStringList{u"  100秒"_s});
}

QTEST_APPLESS_MAIN(TestResultLogs)
#include "tst_resultlogs.moc"

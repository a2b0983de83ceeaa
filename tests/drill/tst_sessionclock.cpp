#include <QTest>

#include "drill/countingblocks.h"
#include "drill/sessionclock.h"
#include "support/testplatform.h"

using namespace Qt::StringLiterals;

class TestSessionClock : public QObject
{
    Q_OBJECT

private slots:
    void elapsedRoundsHalfToEven_data();
    void elapsedRoundsHalfToEven();
    void sessionOverMidnightKeepsCounting();
    void limit_data();
    void limit();
    void barWidths_data();
    void barWidths();
    void minutesSinceLogin_data();
    void minutesSinceLogin();
    void countingBlocks_data();
    void countingBlocks();
    void otherLevelsKeepEarlierBlocks();
};

void TestSessionClock::elapsedRoundsHalfToEven_data()
{
    QTest::addColumn<qint64>("ms");
    QTest::addColumn<int>("seconds");
    QTest::newRow("0") << qint64(0) << 0;
    QTest::newRow("0.4") << qint64(400) << 0;
    QTest::newRow("0.5 down to even") << qint64(500) << 0;
    QTest::newRow("1.5 up to even") << qint64(1500) << 2;
    QTest::newRow("2.5 down to even") << qint64(2500) << 2;
    QTest::newRow("2.501") << qint64(2501) << 3;
    QTest::newRow("99.5") << qint64(99500) << 100;
}

void TestSessionClock::elapsedRoundsHalfToEven()
{
    QFETCH(qint64, ms);
    QFETCH(int, seconds);
    SessionClock clock;
    QCOMPARE(clock.elapsedSeconds(5000 + ms), 0); // not started
    clock.start(5000);
    QCOMPARE(clock.elapsedSeconds(5000 + ms), seconds);
}

void TestSessionClock::sessionOverMidnightKeepsCounting()
{
    FakeClock fake(QDateTime(QDate(2026, 12, 9), QTime(23, 50, 0)));
    const qint64 loginTick = fake.tickCount();
    fake.advanceSeconds(9 * 60 + 30);
    SessionClock clock;
    clock.start(fake.tickCount());
    fake.advanceSeconds(75);
    QCOMPARE(fake.now().time(), QTime(0, 0, 45));
    QCOMPARE(clock.elapsedSeconds(fake.tickCount()), 75);
    QCOMPARE(SessionTiming::minutesSinceLogin(fake.tickCount(), loginTick), 10);
}

void TestSessionClock::limit_data()
{
    QTest::addColumn<int>("minimumTime");
    QTest::addColumn<int>("elapsed");
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("reached");
    QTest::newRow("below") << 60 << 299 << 300 << false;
    QTest::newRow("equal ends") << 60 << 300 << 300 << true;
    QTest::newRow("above") << 60 << 301 << 300 << true;
    QTest::newRow("no lowest time: first tick ends") << 0 << 0 << 0 << true;
    QTest::newRow("absurd table value is capped") << 2000000000 << 99997 << 99998 << false;
}

void TestSessionClock::limit()
{
    QFETCH(int, minimumTime);
    QFETCH(int, elapsed);
    QFETCH(int, limit);
    QFETCH(bool, reached);
    QCOMPARE(SessionTiming::timeLimit(minimumTime), limit);
    QCOMPARE(SessionTiming::limitReached(elapsed, limit), reached);
}

void TestSessionClock::barWidths_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("width");
    QTest::newRow("start") << 0.0 << 300 << 0;
    QTest::newRow("target mark") << 45.0 << 300 << 150;
    QTest::newRow("full") << 300.0 << 300 << 1000;
    QTest::newRow("beyond the bar") << 400.0 << 300 << 1000;
    QTest::newRow("no limit") << 10.0 << 0 << 1000;
}

void TestSessionClock::barWidths()
{
    QFETCH(double, seconds);
    QFETCH(int, limit);
    QFETCH(int, width);
    QCOMPARE(SessionTiming::barWidth(seconds, limit, 1000), width);
}

void TestSessionClock::minutesSinceLogin_data()
{
    QTest::addColumn<qint64>("now");
    QTest::addColumn<qint64>("login");
    QTest::addColumn<int>("minutes");
    QTest::newRow("same moment") << qint64(36000000) << qint64(36000000) << 0;
    QTest::newRow("59.9 s") << qint64(36059900) << qint64(36000000) << 0;
    QTest::newRow("one minute") << qint64(36060000) << qint64(36000000) << 1;
    QTest::newRow("a tick before login is no minute") << qint64(1000) << qint64(5000) << 0;
}

void TestSessionClock::minutesSinceLogin()
{
    QFETCH(qint64, now);
    QFETCH(qint64, login);
    QFETCH(int, minutes);
    QCOMPARE(SessionTiming::minutesSinceLogin(now, login), minutes);
}

void TestSessionClock::countingBlocks_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("17 - 8") << 2 << 17 << 8 << 9 << 17;
    QTest::newRow("20 - 10") << 2 << 20 << 10 << 11 << 20;
    QTest::newRow("11 - 1") << 2 << 11 << 1 << 2 << 11;
    QTest::newRow("3 + 4") << 1 << 3 << 4 << 5 << 10;
    QTest::newRow("x 10 shows none") << 3 << 7 << 10 << 11 << 10;
    QTest::newRow("division") << 4 << 72 << 8 << 9 << 10;
}

void TestSessionClock::countingBlocks()
{
    QFETCH(int, level);
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(int, from);
    QFETCH(int, to);
    // Earlier subtraction blocks must not survive the next wrong answer.
    CountingBlocks::Visibility before{};
    if (level == 2)
        before.fill(true);
    const auto blocks = CountingBlocks::afterWrongAnswer(level, first, second, before);
    for (int n = 1; n <= CountingBlocks::Count; ++n)
        QCOMPARE(blocks[std::size_t(n)], n >= from && n <= to);
}

void TestSessionClock::otherLevelsKeepEarlierBlocks()
{
    auto blocks = CountingBlocks::afterWrongAnswer(1, 5, 3, {});
    blocks = CountingBlocks::afterWrongAnswer(1, 5, 8, blocks);
    for (int n = 1; n <= CountingBlocks::Count; ++n)
        QCOMPARE(blocks[std::size_t(n)], n >= 4 && n <= 10);
}

QTEST_APPLESS_MAIN(TestSessionClock)
#include "tst_sessionclock.moc"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <cstring>
#include <limits>
#include <random>

#include "state/appstate.h"
#include "app/oledate.h"
#include "store/resultsfile.h"
#include "store/tallies.h"
#include "support/resultfiles.h"
#include "support/testplatform.h"

namespace {

// Every field alike, the float to the bit; the cell's padding bytes are no
// part of its value and a copy need not keep them.
bool sameCell(const TallyCell &x, const TallyCell &y)
{
    return std::memcmp(&x.todayCount, &y.todayCount, sizeof x.todayCount) == 0 && x.todayPoints == y.todayPoints
           && x.periodPoints == y.periodPoints && x.overusePoints == y.overusePoints && x.totalPoints == y.totalPoints
           && x.periodCount == y.periodCount && x.overuseCount == y.overuseCount && x.totalCount == y.totalCount;
}

} // namespace

class TestTallies : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void points_data();
    void points();
    void firstThreeCharacters_data();
    void firstThreeCharacters();
    void threeCharacterRule();
    void levelOutsideTheTableScoresNothing();
    void judgementWindow_data();
    void judgementWindow();
    void overuse_data();
    void overuse();
    void timeOutCountsNothing();
    void todayCountsPerLevel();
    void levelCleared_data();
    void levelCleared();
    void impossibleRecordsCountNowhere();
    void recomputeStartsFromZero();
    void continuedCountEqualsAFullCount();
    void recomputeClearsFirstAndLastStudents();
    void sameTimeAtTwoLevels();
    void failedLoadLeavesNothingCounted();

private:
    void setLevel(int level, qint32 target, float multiplier, int judgeDays, int overuseDays)
    {
        LevelStandard &row = m_state->LevelStandards[std::size_t(level)];
        row.TargetTime = target;
        row.PointMultiplier = multiplier;
        row.JudgeDays = QString::number(judgeDays);
        row.OveruseDays = QString::number(overuseDays);
    }
    void writeRecords(const QList<ResultRecord> &records)
    {
        ResultFiles::write(ResultsFile::pathIn(m_state->DataFolder), ResultFiles::encode(records));
    }
    bool compute() { return ComputeTallies(*m_state, m_tp->platform); }
    const TallyCell &cell(int level, int student) const { return m_state->ResultTallies.at(level, student); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<TestPlatform> m_tp;
    // A Wednesday.
    const QDate m_today{2026, 12, 9};
};

void TestTallies::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_state = std::make_unique<AppState>();
    m_state->DataFolder = m_dir->path() + u'/';
    m_tp = std::make_unique<TestPlatform>();
    m_tp->clock.set(QDateTime(m_today, QTime(10, 0)));
    for (int level = 1; level <= MaxLevel; ++level)
        setLevel(level, 100, 1.0f, 7, 1);
}

void TestTallies::points_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<float>("multiplier");
    QTest::addColumn<int>("time");
    QTest::addColumn<int>("expected");

    const QList<QPair<int, int>> examples{{0, 55},  {50, 11}, {100, 5},  {101, 4},  {199, 4},
                                          {200, 1}, {999, 1}, {1000, 0}, {99999, 0}};
    for (const auto &[time, expected] : examples)
        QTest::addRow("target 100, %d s", time) << 100 << 1.0f << time << expected;
    QTest::newRow("60 s at x1.5") << 100 << 1.5f << 60 << 12;
    QTest::newRow("99998 is no session") << 200000 << 1.0f << 99998 << 0;
    QTest::newRow("99997 still counts") << 200000 << 1.0f << 99997 << 11;
    QTest::newRow("target 0, 0 s") << 0 << 1.0f << 0 << 0;
    QTest::newRow("target 0, 30 s") << 0 << 1.0f << 30 << 0;
    QTest::newRow("negative multiplier") << 100 << -2.0f << 50 << 0;
    // Multipliers that binary cannot hold: the product of the written decimal.
    QTest::newRow("5 x 1.4") << 100 << 1.4f << 100 << 7;
    QTest::newRow("55 x 1.4") << 100 << 1.4f << 0 << 77;
    QTest::newRow("30 x 1.3") << 100 << 1.3f << 20 << 39;
    QTest::newRow("30 x 0.9") << 100 << 0.9f << 20 << 27;
    QTest::newRow("30 x 2.3") << 100 << 2.3f << 20 << 69;
    QTest::newRow("odd base x 1.5 drops the half") << 100 << 1.5f << 100 << 7;
    QTest::newRow("tiny multiplier") << 100 << 1e-30f << 0 << 0;
    QTest::newRow("huge multiplier is capped") << 100 << 1e30f << 0 << MaxSessionPoints;
    QTest::newRow("negative time earns nothing") << 100 << 1.0f << -5 << 0;
    QTest::newRow("huge target, lowest time") << INT32_MAX << 1.0f << INT32_MIN << 0;
}

void TestTallies::points()
{
    QFETCH(int, target);
    QFETCH(float, multiplier);
    QFETCH(int, time);
    QFETCH(int, expected);

    QCOMPARE(SessionPoints(time, target, multiplier), expected);
    // Below 1000 the three-character rule changes nothing.
    if (time < 1000)
        QCOMPARE(SessionPoints(time, target, multiplier, TimeDigits::FirstThree), expected);
}

void TestTallies::firstThreeCharacters_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expected");

    QTest::newRow("0") << 0 << 0;
    QTest::newRow("999") << 999 << 999;
    QTest::newRow("1234") << 1234 << 123;
    QTest::newRow("99999") << 99999 << 999;
    QTest::newRow("-5") << -5 << -5;
    QTest::newRow("-1234") << -1234 << -12;
}

void TestTallies::firstThreeCharacters()
{
    QFETCH(int, value);
    QFETCH(int, expected);
    QCOMPARE(TalliesDetail::firstThreeCharacters(value), expected);
}

void TestTallies::threeCharacterRule()
{
    // Target 2000: 1234 is on time; step 1 is fed 123.
    // ((2000 - 123) / 2000)^3 * 50 + 5 = 46.3; with the full time 7.8.
    QCOMPARE(SessionPoints(1234, 2000, 1.0, TimeDigits::FirstThree), 46);
    QCOMPARE(SessionPoints(1234, 2000, 1.0, TimeDigits::Full), 7);
    // Target 1000: 1234 is late and compares as 1234, not as 123.
    QCOMPARE(SessionPoints(1234, 1000, 1.0, TimeDigits::FirstThree), 4);

    setLevel(2, 2000, 1.0f, 7, 1);
    // 1000..1023 s take the memoised path: 1010 is scored as 101, on time.
    setLevel(3, 3000, 1.4f, 7, 1);
    writeRecords({ResultFiles::record(m_today, 5, 2, 1234), ResultFiles::record(m_today, 5, 3, 1010),
                  ResultFiles::record(m_today, 6, 3, 1010)});
    QVERIFY(compute());
    QCOMPARE(cell(2, 5).totalPoints, 46);
    // ⌊(2899 / 3000)³ × 50 + 5⌋ = 50, × 1.4 as written = 70 (the binary
    // 1.4 would give 69), for the student who fills the memo and the one
    // who reads it.
    QCOMPARE(cell(3, 5).totalPoints, 70);
    QCOMPARE(cell(3, 6).totalPoints, 70);
}

void TestTallies::levelOutsideTheTableScoresNothing()
{
    QCOMPARE(SessionPoints(*m_state, 50, 0), 0);
    QCOMPARE(SessionPoints(*m_state, 50, 36), 0);
    QCOMPARE(SessionPoints(*m_state, 50, 1), 11);
    QVERIFY(!LevelCleared(*m_state, 36, 1));
    QVERIFY(!LevelOverused(*m_state, 1, 5001));
}

void TestTallies::judgementWindow_data()
{
    QTest::addColumn<int>("judgeDays");
    QTest::addColumn<int>("daysAgo");
    QTest::addColumn<bool>("inPeriod");

    QTest::newRow("7 days: today") << 7 << 0 << true;
    QTest::newRow("7 days: Thursday last week") << 7 << 6 << true;
    QTest::newRow("7 days: Wednesday last week") << 7 << 7 << false;
    QTest::newRow("1 day: today") << 1 << 0 << true;
    QTest::newRow("1 day: yesterday") << 1 << 1 << false;
    QTest::newRow("0 days: today") << 0 << 0 << false;
}

void TestTallies::judgementWindow()
{
    QFETCH(int, judgeDays);
    QFETCH(int, daysAgo);
    QFETCH(bool, inPeriod);

    setLevel(3, 100, 1.0f, judgeDays, judgeDays);
    writeRecords({ResultFiles::record(m_today.addDays(-daysAgo), 8, 3, 50)});
    QVERIFY(compute());
    const TallyCell &c = cell(3, 8);
    QCOMPARE(c.periodCount, qint16(inPeriod ? 1 : 0));
    QCOMPARE(c.periodPoints, inPeriod ? 11 : 0);
    QCOMPARE(c.overuseCount, c.periodCount);
    QCOMPARE(c.overusePoints, c.periodPoints);
    QCOMPARE(c.totalCount, qint16(1));
    QCOMPARE(c.totalPoints, 11);
}

void TestTallies::overuse_data()
{
    QTest::addColumn<int>("countLimit");
    QTest::addColumn<int>("pointsLimit");
    QTest::addColumn<int>("sessions");
    QTest::addColumn<bool>("overused");

    // Every session scores 55 points.
    QTest::newRow("points 300: 5 sessions, 275") << 0 << 300 << 5 << false;
    QTest::newRow("points 300: 6 sessions, 330") << 0 << 300 << 6 << true;
    QTest::newRow("points 275: 5 sessions, exactly 275") << 0 << 275 << 5 << true;
    QTest::newRow("count 3: 2 sessions") << 3 << 0 << 2 << false;
    QTest::newRow("count 3: 3 sessions") << 3 << 0 << 3 << true;
    QTest::newRow("both off") << 0 << 0 << 20 << false;
}

void TestTallies::overuse()
{
    QFETCH(int, countLimit);
    QFETCH(int, pointsLimit);
    QFETCH(int, sessions);
    QFETCH(bool, overused);

    LevelStandard &row = m_state->LevelStandards[6];
    row.OveruseCount = QString::number(countLimit);
    row.OverusePoints = QString::number(pointsLimit);
    QList<ResultRecord> list;
    for (int i = 0; i < sessions; ++i)
        list.append(ResultFiles::record(m_today, 21, 6, 0));
    // Days outside the overuse period do not count towards it.
    for (int i = 0; i < 10; ++i)
        list.append(ResultFiles::record(m_today.addDays(-3), 21, 6, 0));
    writeRecords(list);

    QVERIFY(compute());
    QCOMPARE(LevelOverused(*m_state, 6, 21), overused);
    QCOMPARE(cell(6, 21).overusePoints, 55 * sessions);
}

void TestTallies::timeOutCountsNothing()
{
    writeRecords({ResultFiles::record(m_today, 4, 1, 99999), ResultFiles::record(m_today, 4, 1, 5000)});
    QVERIFY(compute());
    QCOMPARE(m_state->ResultTable.count, 2);
    const TallyCell &c = cell(1, 4);
    QCOMPARE(c.todayCount, 0.0f);
    QCOMPARE(c.periodCount, qint16(0));
    QCOMPARE(c.overuseCount, qint16(0));
    QCOMPARE(c.totalCount, qint16(0));
    QCOMPARE(c.todayPoints + c.periodPoints + c.overusePoints + c.totalPoints, 0);
}

void TestTallies::todayCountsPerLevel()
{
    QList<ResultRecord> list;
    for (int i = 0; i < 3; ++i)
        list.append(ResultFiles::record(m_today, 17, 4, 90 + i));
    list.append(ResultFiles::record(m_today.addDays(-1), 17, 4, 80));
    list.append(ResultFiles::record(m_today, 18, 4, 80));
    writeRecords(list);

    QVERIFY(compute());
    QCOMPARE(cell(4, 17).todayCount, 3.0f);
    QCOMPARE(cell(4, 17).totalCount, qint16(4));
    // 90, 91, 92 s at target 100: 5 points each.
    QCOMPARE(cell(4, 17).todayPoints, 15);
    for (int level = 1; level <= MaxLevel; ++level) {
        if (level != 4)
            QCOMPARE(cell(level, 17).todayCount, 0.0f);
    }
    QCOMPARE(cell(4, 18).todayCount, 1.0f);
}

void TestTallies::levelCleared_data()
{
    QTest::addColumn<int>("sessions");
    QTest::addColumn<int>("time");
    QTest::addColumn<bool>("cleared");

    // Needs 3 sessions and 15 points: 50 s gives 11, 100 s gives 5.
    QTest::newRow("3 sessions, 33 points") << 3 << 50 << true;
    QTest::newRow("3 sessions, exactly 15 points") << 3 << 100 << true;
    QTest::newRow("2 sessions, 22 points") << 2 << 50 << false;
    QTest::newRow("5 sessions, 5 points") << 5 << 500 << false;
}

void TestTallies::levelCleared()
{
    QFETCH(int, sessions);
    QFETCH(int, time);
    QFETCH(bool, cleared);

    m_state->LevelStandards[2].ClearCount = 3;
    m_state->LevelStandards[2].ClearPoints = 15;
    QList<ResultRecord> list;
    for (int i = 0; i < sessions; ++i)
        list.append(ResultFiles::record(m_today.addDays(-i), 30, 2, time));
    // Outside the 7-day period: never helps.
    for (int i = 0; i < 5; ++i)
        list.append(ResultFiles::record(m_today.addDays(-20), 30, 2, 0));
    writeRecords(list);

    QVERIFY(compute());
    QCOMPARE(LevelCleared(*m_state, 2, 30), cleared);
}

// Records no session can write stay loaded (the lists show them) but make
// no best time, no points and no count; a day ahead is still tolerated.
void TestTallies::impossibleRecordsCountNowhere()
{
    ResultRecord nanDate = ResultFiles::record(m_today, 9, 1, 40);
    nanDate.date = std::numeric_limits<double>::quiet_NaN();
    ResultRecord hugeDate = ResultFiles::record(m_today, 9, 1, 40);
    hugeDate.date = 1e300;
    writeRecords({ResultFiles::record(m_today, 5, 1, -5), ResultFiles::record(m_today, 6, 1, INT32_MIN),
                  ResultFiles::record(m_today.addDays(2), 7, 1, 30),
                  ResultFiles::record(m_today.addDays(400), 7, 1, 30), nanDate, hugeDate,
                  ResultFiles::record(m_today.addDays(1), 8, 1, 60)});
    QVERIFY(compute());

    QCOMPARE(m_state->ResultTable.count, 6);
    for (int student : {5, 6, 7, 9}) {
        QCOMPARE(m_state->PersonalBest.at(1, student), TimeScore::NoTime);
        const TallyCell &c = cell(1, student);
        QCOMPARE(c.totalCount, qint16(0));
        QCOMPARE(c.totalPoints, 0);
        QCOMPARE(c.periodCount, qint16(0));
        QCOMPARE(c.overuseCount, qint16(0));
        QCOMPARE(c.todayCount, 0.0f);
    }
    QCOMPARE(m_state->ClassBest[1], 60);
    QCOMPARE(m_state->PersonalBest.at(1, 8), 60);
    QCOMPARE(cell(1, 8).periodCount, qint16(1));
    QCOMPARE(cell(1, 8).todayCount, 0.0f);
    QVERIFY(!OleDate::toDate(1e300).isValid());
    QVERIFY(!OleDate::toDateTime(std::numeric_limits<double>::quiet_NaN()).isValid());
}

// A count that continues from the last one must give what a full count
// gives, whatever happened to the file or the clock in between.
void TestTallies::continuedCountEqualsAFullCount()
{
    constexpr int Students = 300;
    std::mt19937 random(20261209);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    auto session = [&](double dayOffset = 0) {
        const qint32 times[] = {-5, 45, 80, 120, 150, 260, 1010, 5000, 99999};
        ResultRecord r = ResultFiles::record(m_tp->clock.today().addDays(-pick(0, 40)), qint16(pick(1, Students)),
                                             qint16(pick(0, 36)), times[pick(0, 8)]);
        if (pick(0, 60) == 0)
            r.date += 3 + pick(0, 60); // a PC whose clock is wrong
        r.date += dayOffset;
        return r;
    };
    setLevel(3, 100, 1.4f, 14, 2);
    QList<ResultRecord> file;
    for (int i = 0; i < ResultWindow - 20; ++i)
        file.append(session());

    for (int step = 0; step < 40; ++step) {
        switch (step == 0 ? 0 : pick(0, 11)) {
        case 6:
            file[pick(0, int(file.size()) - 1)].timeScore = pick(30, 300);
            break;
        case 7:
            file.removeAt(pick(0, int(file.size()) - 1));
            break;
        case 8:
            m_tp->clock.advanceSeconds(pick(0, 1) ? 86400 : 3 * 3600);
            break;
        case 9:
            m_state->LevelStandards[3].JudgeDays = QString::number(pick(1, 30));
            break;
        case 10:
            file.append(session(0.5));
            break;
        case 11:
            break;
        default:
            for (int n = pick(1, 30); n > 0; --n)
                file.append(session());
        }
        writeRecords(file);
        QVERIFY(compute());

        AppState full;
        full.DataFolder = m_state->DataFolder;
        full.LevelStandards = m_state->LevelStandards;
        QVERIFY(ComputeTallies(full, m_tp->platform));
        const LoadedResults &a = m_state->ResultTable;
        QCOMPARE(a.count, full.ResultTable.count);
        for (qint32 i = 0; i < a.count; ++i) {
            const ResultEntry &x = a.entries[std::size_t(i)];
            const ResultEntry &y = full.ResultTable.entries[std::size_t(i)];
            QVERIFY(x.date == y.date && x.timeScore == y.timeScore && x.studentNumber == y.studentNumber
                    && x.level == y.level);
        }
        QCOMPARE(m_state->ClassBest, full.ClassBest);
        for (int level = 1; level <= MaxLevel; ++level) {
            for (int student = 1; student <= Students; ++student) {
                QCOMPARE(m_state->PersonalBest.at(level, student), full.PersonalBest.at(level, student));
                const TallyCell &x = cell(level, student);
                const TallyCell &y = full.ResultTallies.at(level, student);
                QVERIFY2(sameCell(x, y),
                         qPrintable(QStringLiteral("step %1, level %2, student %3").arg(step).arg(level).arg(student)));
            }
        }
    }
    // Most steps only add records; those must not have started over.
    QVERIFY2(m_state->ResultTallies.continuedCounts >= 10,
             qPrintable(QString::number(m_state->ResultTallies.continuedCounts)));
}

void TestTallies::recomputeStartsFromZero()
{
    writeRecords({ResultFiles::record(m_today, 9, 9, 50)});
    QVERIFY(compute());
    QCOMPARE(cell(9, 9).totalCount, qint16(1));
    writeRecords({});
    QVERIFY(compute());
    QCOMPARE(cell(9, 9).totalCount, qint16(0));
    QCOMPARE(cell(9, 9).todayPoints, 0);
}

void TestTallies::recomputeClearsFirstAndLastStudents()
{
    writeRecords({ResultFiles::record(m_today, 1, 9, 50), ResultFiles::record(m_today, 5000, 9, 50),
                  ResultFiles::record(m_today, 2500, 9, 50), ResultFiles::record(m_today, 5000, 35, 50)});
    QVERIFY(compute());
    QCOMPARE(cell(9, 1).totalCount, qint16(1));
    QCOMPARE(cell(9, 5000).totalCount, qint16(1));
    QCOMPARE(cell(35, 5000).totalCount, qint16(1));
    writeRecords({ResultFiles::record(m_today, 2500, 9, 50)});
    QVERIFY(compute());
    QCOMPARE(cell(9, 1).totalCount, qint16(0));
    QCOMPARE(cell(9, 1).totalPoints, 0);
    QCOMPARE(cell(9, 5000).totalCount, qint16(0));
    QCOMPARE(cell(9, 5000).todayCount, 0.0f);
    QCOMPARE(cell(35, 5000).totalCount, qint16(0));
    QCOMPARE(cell(9, 2500).totalCount, qint16(1));
}

void TestTallies::sameTimeAtTwoLevels()
{
    // 50 s: 11 points against 100 s, 26 against 200 s ((150/200)^3 * 50 + 5).
    setLevel(2, 200, 1.0f, 7, 1);
    writeRecords({ResultFiles::record(m_today, 1, 1, 50), ResultFiles::record(m_today, 1, 2, 50)});
    QVERIFY(compute());
    QCOMPARE(cell(1, 1).totalPoints, 11);
    QCOMPARE(cell(2, 1).totalPoints, 26);

    // A changed standard is used by the next computation.
    setLevel(1, 50, 2.0f, 7, 1);
    QVERIFY(compute());
    QCOMPARE(cell(1, 1).totalPoints, 10);
}

void TestTallies::failedLoadLeavesNothingCounted()
{
    writeRecords({ResultFiles::record(m_today, 9, 9, 50)});
    QVERIFY(compute());
    QCOMPARE(cell(9, 9).totalCount, qint16(1));

    // A folder where the file should be: the load fails and the program ends.
    const QString path = ResultsFile::pathIn(m_state->DataFolder);
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkpath(path));
    QVERIFY(!compute());
    QVERIFY(m_tp->programEnd.ended);
    QCOMPARE(cell(9, 9).totalCount, qint16(0));
    QCOMPARE(m_state->ResultTable.count, 0);
    QCOMPARE(m_state->PersonalBest.at(9, 9), TimeScore::NoTime);
}

QTEST_GUILESS_MAIN(TestTallies)
#include "tst_tallies.moc"

#include <QTest>

#include <memory>
#include <vector>

#include "menu/gradefilter.h"
#include "menu/rankings.h"
#include "menu/rosterinputs.h"
#include "menu/storeinputs.h"
#include "state/appstate.h"
#include "roster/rostertable.h"

using namespace Qt::StringLiterals;
using namespace ResultLists;

namespace {

// Roster order matters: it breaks ties.
std::vector<RankingStudent> timeClass()
{
    return {
        {1, u"山田                "_s, 3, 90, 0, 0},
        {2, u"佐藤"_s, 3, 80, 0, 0},
        {3, u"鈴木"_s, 4, 90, 0, 0},
        {4, u"田中"_s, 3, TimeScore::NoTime, 0, 0},
        {5, u"高橋"_s, 5, 100, 0, 0},
        {6, u"伊藤"_s, 0, TimeScore::NoResultFrom, 0, 0},
    };
}

std::vector<RankingStudent> pointsClass()
{
    return {
        {1, u"青木"_s, 3, TimeScore::NoTime, 10, 50}, {2, u"石井"_s, 3, TimeScore::NoTime, 0, 80},
        {3, u"上野"_s, 7, TimeScore::NoTime, 10, 70}, {4, u"遠藤"_s, 3, TimeScore::NoTime, 5, 50},
        {5, u"大野"_s, 3, TimeScore::NoTime, 0, 0},   {6, u"加藤"_s, 3, TimeScore::NoTime, 5, 50},
    };
}

} // namespace

class TestRankings : public QObject
{
    Q_OBJECT

private slots:
    void ranking_data();
    void ranking();
    void ranksOfAHundredAndMoreStayWhole();
    void spokenLines();
    void emptyRoster();
    void fromRosterTable();
    void fromStoreTables();
};

void TestRankings::ranking_data()
{
    QTest::addColumn<bool>("timeRoster");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("current");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("scrollLine");

    const int best = int(RankingKind::BestTime);
    const int total = int(RankingKind::TotalPoints);
    const int today = int(RankingKind::TodayPoints);

    QTest::newRow("best times: shared rank, failed, no record last")
        << true << best << u"全学年"_s << 0
        << QStringList{u" 1③佐藤　　　    80 　"_s, u" 2③山田　　　    90 　"_s,  u" 2④鈴木　　　    90 　"_s,
                       u" 4⑤高橋　　　   100 　"_s, u" 5　伊藤　　　*失敗* 　"_s, u"--③田中　　　------ 　"_s}
        << -1;
    QTest::newRow("小３ keeps whole-class ranks")
        << true << best << u"小３"_s << 0
        << QStringList{u" 1③佐藤　　　    80 　"_s, u" 2③山田　　　    90 　"_s, u"--③田中　　　------ 　"_s} << -1;
    QTest::newRow("小４: the only line keeps rank 2")
        << true << best << u"小４"_s << 0 << QStringList{u" 2④鈴木　　　    90 　"_s} << -1;
    QTest::newRow("current student marked, list scrolls above")
        << true << best << u"全学年"_s << 3
        << QStringList{u" 1③佐藤　　　    80 　"_s, u" 2③山田　　　    90 　"_s,  u" 2●鈴木　　　    90 ●"_s,
                       u" 4⑤高橋　　　   100 　"_s, u" 5　伊藤　　　*失敗* 　"_s, u"--③田中　　　------ 　"_s}
        << 1;
    QTest::newRow("current student on the first line: no scroll")
        << true << best << u"小３"_s << 2
        << QStringList{u" 1●佐藤　　　    80 ●"_s, u" 2③山田　　　    90 　"_s, u"--③田中　　　------ 　"_s} << -1;
    QTest::newRow("current student hidden by the filter")
        << true << best << u"小３"_s << 3
        << QStringList{u" 1③佐藤　　　    80 　"_s, u" 2③山田　　　    90 　"_s, u"--③田中　　　------ 　"_s} << -1;
    QTest::newRow("unknown filter lists nobody") << true << best << u"全員"_s << 0 << QStringList{} << -1;

    QTest::newRow("total points: ties share the rank, today's points order them")
        << false << total << u"全学年"_s << 0
        << QStringList{u" 1③石井　　　  0/   80"_s, u" 2Ⅰ上野　　　 10/   70"_s, u" 3③青木　　　 10/   50"_s,
                       u" 3③遠藤　　　  5/   50"_s, u" 3③加藤　　　  5/   50"_s, u" 6③大野　　　  0/    0"_s}
        << -1;
    QTest::newRow("today's points: zero hidden, ties ordered by total")
        << false << today << u"全学年"_s << 4
        << QStringList{u" 1Ⅰ上野　　　 10/   70"_s, u" 1③青木　　　 10/   50"_s, u" 3●遠藤　　　  5/   50"_s,
                       u" 3③加藤　　　  5/   50"_s}
        << 1;
    QTest::newRow("today's points, 小学生全体")
        << false << today << u"小学生全体"_s << 0
        << QStringList{u" 1③青木　　　 10/   50"_s, u" 3③遠藤　　　  5/   50"_s, u" 3③加藤　　　  5/   50"_s} << -1;
}

void TestRankings::ranking()
{
    QFETCH(bool, timeRoster);
    QFETCH(int, kind);
    QFETCH(QString, filter);
    QFETCH(int, current);
    QFETCH(QStringList, lines);
    QFETCH(int, scrollLine);

    const std::vector<RankingStudent> roster = timeRoster ? timeClass() : pointsClass();
    const RankingList list = levelRanking(roster, RankingKind(kind), filter, qint16(current));
    QCOMPARE(list.lines, lines);
    QCOMPARE(list.scrollLine, scrollLine);
}

// What a screen reader says: no padding, marks as words, one text per line.
void TestRankings::spokenLines()
{
    QCOMPARE(levelRanking(timeClass(), RankingKind::BestTime, u"全学年"_s, 3).spoken,
             (QStringList{u"1位 小3 佐藤 80秒"_s, u"2位 小3 山田 90秒"_s, u"2位 自分 鈴木 90秒"_s,
                          u"4位 小5 高橋 100秒"_s, u"5位 伊藤 失敗"_s, u"小3 田中 記録なし"_s}));
    QCOMPARE(levelRanking(pointsClass(), RankingKind::TodayPoints, u"全学年"_s, 4).spoken,
             (QStringList{u"1位 中1 上野 10 70"_s, u"1位 小3 青木 10 50"_s, u"3位 自分 遠藤 5 50"_s,
                          u"3位 小3 加藤 5 50"_s}));
}

void TestRankings::ranksOfAHundredAndMoreStayWhole()
{
    std::vector<RankingStudent> roster;
    for (qint16 n = 1; n <= 120; ++n)
        roster.push_back({n, u"生徒"_s, 3, 100 + n, 0, 0});
    const RankingList list = levelRanking(roster, RankingKind::BestTime, u"全学年"_s, 0);
    QCOMPARE(list.lines.size(), 120);
    QCOMPARE(list.lines[8], u" 9③生徒　　　   109 　"_s);
    QCOMPARE(list.lines[98], u"99③生徒　　　   199 　"_s);
    QCOMPARE(list.lines[99], u"100③生徒　　　   200 　"_s);
    QCOMPARE(list.lines[119], u"120③生徒　　　   220 　"_s);
}

void TestRankings::emptyRoster()
{
    const RankingList list = levelRanking({}, RankingKind::TodayPoints, u"全学年"_s, 1);
    QVERIFY(list.lines.isEmpty());
    QCOMPARE(list.scrollLine, -1);
}

void TestRankings::fromRosterTable()
{
    RosterTable roster;
    roster.clear(2026);
    auto add = [&](qint16 number, qint16 cohort, const QString &name, qint16 status) {
        RosterEntry entry;
        entry.Number = number;
        entry.CohortYear = cohort;
        entry.Name = name;
        entry.Status = RosterStatus(status);
        roster.add(entry, 0);
    };
    add(7, 2017, u"三年生"_s, 0);
    add(3, 2015, u"五年生"_s, 1); // not offered
    add(5, 2012, u"中二"_s, 0);

    const std::vector<RankingStudent> students = rankingRoster(roster);
    QCOMPARE(students.size(), std::size_t(2));
    QCOMPARE(students[0].number, qint16(7));
    QCOMPARE(students[0].gradeNumber, 3);
    QCOMPARE(students[1].number, qint16(5));
    QCOMPARE(students[1].gradeNumber, 8);
    QCOMPARE(students[1].bestTime, TimeScore::NoTime);
    QCOMPARE(levelRanking(students, RankingKind::BestTime, u"全学年"_s, 5).lines,
             (QStringList{u"--③三年生　　------ 　"_s, u"--●中二　　　------ ●"_s}));

    // The logs also name students the list does not offer, and nobody for an unknown number.
    QCOMPARE(rosterStudent(roster, 3).gradeNumber, 5);
    QCOMPARE(nameColumnText(rosterStudent(roster, 3).name), u"五年生　　"_s);
    for (qint32 unknown : {0, 4, -1, 5001, 40000}) {
        const LogStudent nobody = rosterStudent(roster, unknown);
        QVERIFY(nobody.name.isEmpty());
        QCOMPARE(nobody.gradeNumber, 0);
    }
}

void TestRankings::fromStoreTables()
{
    auto state = std::make_unique<AppState>();
    state->PersonalBest.write(2, 7) = 80;
    state->ResultTallies.write(2, 7).todayPoints = 5;
    state->ResultTallies.write(2, 7).totalPoints = 40;
    state->ResultTallies.write(3, 5).totalPoints = 99; // another level

    std::vector<RankingStudent> students{{7, u"七"_s, 3, 1, 1, 1}, {5, u"五"_s, 3, 1, 1, 1}, {0, u"零"_s, 3, 1, 1, 1}};
    setLevelValues(students, *state, 2);
    QCOMPARE(students[0].bestTime, 80);
    QCOMPARE(students[0].todayPoints, 5);
    QCOMPARE(students[0].totalPoints, 40);
    for (std::size_t i : {1u, 2u}) {
        QCOMPARE(students[i].bestTime, TimeScore::NoTime);
        QCOMPARE(students[i].totalPoints, 0);
    }

    // The logs show base points: the multiplier is left out, the first three digits count.
    state->LevelStandards[1].TargetTime = 100;
    state->LevelStandards[1].PointMultiplier = 1.5;
    QCOMPARE(logPoints(*state, 60, 1), 8);
    QCOMPARE(logPoints(*state, 150, 1), 4);
    QCOMPARE(logPoints(*state, 99999, 1), 0);
    QCOMPARE(logPoints(*state, 60, 36), 0);
}

QTEST_APPLESS_MAIN(TestRankings)
#include "tst_rankings.moc"

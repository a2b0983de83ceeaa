#include <QTest>

#include <vector>

#include "app/oledate.h"
#include "menu/resultsgraph.h"

using namespace Qt::StringLiterals;
using namespace ResultsGraph;
using ResultLists::LogRecord;

namespace {

const QDate Today(2026, 12, 9);

LogRecord session(int daysAgo, qint32 student, qint32 level, qint32 time)
{
    return {OleDate::fromDate(Today.addDays(-daysAgo)), 0.5, student, level, time};
}

// Student 7 at level 2 plays 45, 38, 52, 36 and then times out; around
// those sessions another student, another level and a session too old.
std::vector<LogRecord> workedExample()
{
    return {session(4000, 7, 2, 10), session(40, 7, 2, 45), session(30, 8, 2, 30),  session(20, 7, 2, 38),
            session(15, 7, 1, 20),   session(10, 7, 2, 52), session(400, 7, 2, 36), session(1, 7, 2, 99999)};
}

BandQuery query(bool plotted = true)
{
    return {2, 4, 7, Today, plotted};
}

} // namespace

class TestResultsGraph : public QObject
{
    Q_OBJECT

private slots:
    void bandOfTheWorkedExample();
    void gradeFilterHidesThePlotButNotTheFigures();
    void scaleTopStopsAtAThousand();
    void ranksAreTakenByNumber();
    void chooserLineGivesTheStudent();
};

void TestResultsGraph::bandOfTheWorkedExample()
{
    const Band band = computeBand(workedExample(), query());
    QCOMPARE(band.ownCount, 4);
    QCOMPARE(band.ownMaximum, 52);
    QCOMPARE(band.scaleTop, 60);
    QCOMPARE(band.classCount, 5);
    QCOMPARE(band.classBest, 30);

    QCOMPARE(band.points.size(), std::size_t(5));
    const std::vector<bool> red{true, true, false, true, false};
    for (std::size_t i = 0; i < red.size(); ++i)
        QCOMPARE(band.points[i].personalBest, red[i]);
    QCOMPARE(band.points[0].x, 0.2 + 0.7 * 1 / 4);
    QCOMPARE(band.points[3].x, 0.9);
    // The time-out lies far above the scale, at the x of the last counted session.
    QCOMPARE(band.points[4].x, 0.9);
    QVERIFY(band.points[4].offset < 0);

    QCOMPARE(band.trail.size(), std::size_t(3));
    QCOMPARE(band.trail.back().time, 36);
    QCOMPARE(trailDates(band.trail), (QStringList{u"2026/10/30"_s, u"11/19"_s, u"2025/11/04"_s}));
    // Under the end of the axis: the student's last session at the level.
    QVERIFY(band.hasLastSession);
    QCOMPARE(band.lastSessionDate, OleDate::fromDate(Today.addDays(-1)));

    const RankFigures ranks{u"  2"_s, u"  1"_s, 120, 300, 4};
    const QStringList lines = figuresLines(band, ranks);
    QCOMPARE(lines.size(), 10);
    QCOMPARE(lines[0], u"回数　　　　　　　  4回"_s);
    QCOMPARE(lines[2], u"　　順位　　　　    2位"_s);
    QCOMPARE(lines[3], u"　　最高　　　　   36秒 /   30秒"_s);
    QCOMPARE(lines[4], u"　　平均　　　　   42秒 /   40秒"_s);
    QCOMPARE(lines[7], u"　　獲得ポイント  120点"_s);
    QCOMPARE(lines[8], u"　　　　　　　　　　　　/   75点"_s);
}

void TestResultsGraph::gradeFilterHidesThePlotButNotTheFigures()
{
    const Band band = computeBand(workedExample(), query(false));
    QVERIFY(band.points.empty());
    QVERIFY(band.trail.empty());
    QVERIFY(!band.hasLastSession);
    const QStringList lines = figuresLines(band, RankFigures{});
    QCOMPARE(lines[0], u"回数　　　　　　　  4回"_s);
    QCOMPARE(lines[3], u"　　最高　　　　       /   30秒"_s);
    QVERIFY(!lines[4].isEmpty());
    QCOMPARE(lines.size(), 9);

    // Without a counted session of its own the band keeps its smallest scale.
    const Band none = computeBand(workedExample(), {3, 4, 7, Today, true});
    QCOMPARE(none.ownCount, 0);
    QCOMPARE(none.scaleTop, 10);
    QVERIFY(figuresLines(none, RankFigures{}).at(4).isEmpty());
}

void TestResultsGraph::scaleTopStopsAtAThousand()
{
    const std::vector<LogRecord> records{session(3, 7, 2, 1500), session(2, 7, 2, 1200), session(1, 7, 2, 100)};
    const Band band = computeBand(records, query());
    QCOMPARE(band.scaleTop, 1000);
    QVERIFY(band.points[0].offset < 0.1);
    QCOMPARE(middleTrailLabels(5), std::vector<std::size_t>{});
    QCOMPARE(middleTrailLabels(9), (std::vector<std::size_t>{2, 5}));
}

void TestResultsGraph::ranksAreTakenByNumber()
{
    using ResultLists::RankingStudent;
    const std::vector<RankingStudent> roster{
        {1, u"山田太郎"_s, 3, 50, 0, 90}, {2, u"山田"_s, 3, 60, 0, 40}, {3, u"石井"_s, 4, TimeScore::NoTime, 0, 0}};
    const RankFigures yamada = levelRankFigures(roster, ResultLists::RankingKind::TotalPoints, u"全学年"_s, 2);
    QCOMPARE(yamada.timeRank, u"  2"_s);
    QCOMPARE(yamada.pointsRank, u"  2"_s);
    QCOMPARE(yamada.points, 40);
    QCOMPARE(yamada.classPointsCount, 2);
    QCOMPARE(yamada.classPointsSum, 130);
    QCOMPARE(levelRankFigures(roster, ResultLists::RankingKind::TotalPoints, u"全学年"_s, 3).timeRank, u"---"_s);
}

void TestResultsGraph::chooserLineGivesTheStudent()
{
    const QString line = chooserLine(u"小３"_s, u"山田　花子"_s, 12);
    QCOMPARE(line, u"小３ /  山田　花子/12"_s);
    QCOMPARE(studentOfChooserLine(line), 12);
    QCOMPARE(studentOfChooserLine(u"名前だけ"_s), 0);
}

QTEST_GUILESS_MAIN(TestResultsGraph)
#include "tst_resultsgraph.moc"

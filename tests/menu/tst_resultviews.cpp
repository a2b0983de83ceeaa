#include <QTest>

#include "menu/resultviews.h"

using namespace Qt::StringLiterals;
using namespace ResultLists;

class TestResultViews : public QObject
{
    Q_OBJECT

private slots:
    void listOfButton_data();
    void listOfButton();
    void noListOutsideTheThreeButtons();
};

void TestResultViews::listOfButton_data()
{
    QTest::addColumn<int>("mode"); // as the window keeps it
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("list");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("ranking");

    const int best = int(RankingKind::BestTime);
    QTest::newRow("time, 1") << 1 << 1 << int(ListKind::BestTimes) << u"ベスト成績"_s << best;
    QTest::newRow("time, 2") << 1 << 2 << int(ListKind::TodayLog) << u"本日の成績"_s << best;
    QTest::newRow("time, 3") << 1 << 3 << int(ListKind::PeriodLog) << QString() << best;
    QTest::newRow("unset mode counts as time") << 0 << 1 << int(ListKind::BestTimes) << u"ベスト成績"_s << best;
    QTest::newRow("points, 1") << 2 << 1 << int(ListKind::TotalPointsRanking) << u"獲得ポイント（今まで順位）"_s
                               << int(RankingKind::TotalPoints);
    QTest::newRow("points, 2") << 2 << 2 << int(ListKind::TodayPointsRanking) << u"獲得ポイント（今日の順位）"_s
                               << int(RankingKind::TodayPoints);
    QTest::newRow("points, 3") << 2 << 3 << int(ListKind::PeriodLog) << QString() << best;
}

void TestResultViews::listOfButton()
{
    QFETCH(int, mode);
    QFETCH(int, button);
    QFETCH(int, list);
    QFETCH(QString, title);
    QFETCH(int, ranking);

    const std::optional<ListKind> kind = listFor(viewModeOf(mode), button);
    QVERIFY(kind.has_value());
    QCOMPARE(int(*kind), list);
    QCOMPARE(listTitle(*kind), title);
    QCOMPARE(int(rankingKindOf(*kind)), ranking);
    QCOMPARE(periodLogView(viewModeOf(mode)), mode == 2 ? LogView::Points : LogView::Time);
}

void TestResultViews::noListOutsideTheThreeButtons()
{
    for (int button : {-1, 0, 4})
        QVERIFY(!listFor(ViewMode::Points, button).has_value());
}

QTEST_APPLESS_MAIN(TestResultViews)
#include "tst_resultviews.moc"

#include <QTest>

#include "result/resultrules.h"
#include "store/decimalmultiplier.h"

using namespace Qt::StringLiterals;
using ResultRules::Announcement;

Q_DECLARE_METATYPE(ResultRules::Announcement)

class TestResultRules : public QObject
{
    Q_OBJECT

private slots:
    void announcements_data();
    void announcements();
    void lines_data();
    void lines();
    void multiplierIsShortest_data();
    void multiplierIsShortest();
    void todayCounts();
    void goalPanel();
    void repeatOffer_data();
    void repeatOffer();
};

void TestResultRules::announcements_data()
{
    QTest::addColumn<bool>("personal");
    QTest::addColumn<bool>("classBest");
    QTest::addColumn<int>("time");
    QTest::addColumn<Announcement>("expected");
    QTest::addColumn<QString>("text");

    QTest::newRow("both") << true << true << 70 << Announcement::ClassBest << u"！！！最高新記録！！！"_s;
    QTest::newRow("class alone") << false << true << 70 << Announcement::ClassBest << u"！！！最高新記録！！！"_s;
    QTest::newRow("personal alone") << true << false << 95 << Announcement::PersonalBest << u"新記録おめでとう"_s;
    QTest::newRow("at the lowest time") << false << false << 120 << Announcement::Pass << QString();
    QTest::newRow("above the lowest time") << false << false << 121 << Announcement::None << QString();
    QTest::newRow("given up") << true << true << 5000 << Announcement::None << QString();
    QTest::newRow("time-out") << false << false << 99999 << Announcement::None << QString();
}

void TestResultRules::announcements()
{
    QFETCH(bool, personal);
    QFETCH(bool, classBest);
    QFETCH(int, time);
    QFETCH(Announcement, expected);
    QFETCH(QString, text);
    const RecordFlags flags{personal, classBest, false};
    const Announcement got = ResultRules::announcement(flags, time, 120);
    QCOMPARE(got, expected);
    QCOMPARE(ResultRules::announcementText(got), text);
}

void TestResultRules::lines_data()
{
    QTest::addColumn<int>("time");
    QTest::addColumn<int>("base");
    QTest::addColumn<float>("multiplier");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("points");

    QTest::newRow("finished") << 95 << 43 << 1.5f << u"今の成績：95秒"_s << u"獲得ポイント：43点×1.5→64点"_s;
    QTest::newRow("0.8 rounds down") << 4999 << 10 << 0.8f << u"今の成績：4999秒"_s << u"獲得ポイント：10点×0.8→8点"_s;
    QTest::newRow("1.4 is taken as written")
        << 100 << 5 << 1.4f << u"今の成績：100秒"_s << u"獲得ポイント：5点×1.4→7点"_s;
    QTest::newRow("whole multiplier") << 0 << 55 << 1.0f << u"今の成績：0秒"_s << u"獲得ポイント：55点×1→55点"_s;
    QTest::newRow("give-up") << 5000 << 0 << 1.0f << u"ギブアップ"_s << u"次は最後までがんばろう！"_s;
    QTest::newRow("last give-up") << 99997 << 0 << 1.0f << u"ギブアップ"_s << u"次は最後までがんばろう！"_s;
    QTest::newRow("no result") << 99998 << 0 << 1.0f << u"記録なし"_s << u"次は最後までがんばろう！"_s;
    QTest::newRow("time-out") << 99999 << 0 << 1.0f << u"記録なし"_s << u"次は最後までがんばろう！"_s;
}

void TestResultRules::lines()
{
    QFETCH(int, time);
    QFETCH(int, base);
    QFETCH(float, multiplier);
    QFETCH(QString, result);
    QFETCH(QString, points);
    QCOMPARE(ResultRules::resultLine(time), result);
    QCOMPARE(ResultRules::pointsLine(time, base, multiplier), points);
}

void TestResultRules::multiplierIsShortest_data()
{
    QTest::addColumn<float>("multiplier");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << 1.0f << u"1"_s;
    QTest::newRow("1.5") << 1.5f << u"1.5"_s;
    QTest::newRow("0.8") << 0.8f << u"0.8"_s;
    QTest::newRow("1.2") << 1.2f << u"1.2"_s;
    QTest::newRow("0") << 0.0f << u"0"_s;
    QTest::newRow("12") << 12.0f << u"12"_s;
}

void TestResultRules::multiplierIsShortest()
{
    QFETCH(float, multiplier);
    QFETCH(QString, text);
    QCOMPARE(DecimalMultiplier(multiplier).text(), text);
}

void TestResultRules::todayCounts()
{
    QCOMPARE(ResultRules::levelTodayText(3), u" (このレベル　3回目)"_s);
    QCOMPARE(ResultRules::allTodayText(12), u"（12回目)"_s);
}

void TestResultRules::goalPanel()
{
    LevelStandardTable table{};
    for (int level = 1; level <= 4; ++level)
        table[std::size_t(level)].ClearCount = 10;
    QVERIFY(ResultRules::goalPanelAllowed(table));
    table[35].ClearCount = 9999;
    QVERIFY(!ResultRules::goalPanelAllowed(table));
    table[35].ClearCount = 10;
    // Row 0 is the header line, not a level.
    table[0].ClearCount = 9999;
    QVERIFY(ResultRules::goalPanelAllowed(table));
}

void TestResultRules::repeatOffer_data()
{
    QTest::addColumn<bool>("overused");
    QTest::addColumn<bool>("cleared");
    QTest::addColumn<bool>("goal");
    QTest::addColumn<bool>("goalClearedAtStart");
    QTest::addColumn<bool>("offered");

    QTest::newRow("fresh level") << false << false << false << false << true;
    QTest::newRow("overused only") << true << false << false << false << true;
    QTest::newRow("cleared only") << false << true << false << false << true;
    QTest::newRow("overused cleared goal") << true << true << true << false << true;
    QTest::newRow("overused cleared, goal not cleared") << true << true << false << false << false;
    QTest::newRow("overused cleared, goal cleared") << true << true << false << true << true;
}

void TestResultRules::repeatOffer()
{
    QFETCH(bool, overused);
    QFETCH(bool, cleared);
    QFETCH(bool, goal);
    QFETCH(bool, goalClearedAtStart);
    QFETCH(bool, offered);
    QCOMPARE(ResultRules::offersRepeat(overused, cleared, goal, goalClearedAtStart), offered);
}

QTEST_APPLESS_MAIN(TestResultRules)
#include "tst_resultrules.moc"

#include <QTest>

#include <QEventLoop>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "drill/ui/drillcontrols.h"
#include "drill/ui/drillscreen.h"
#include "menu/ui/levelmenu.h"
#include "result/recordsession.h"
#include "result/ui/resultcontrols.h"
#include "result/ui/resultscreen.h"
#include "support/resultfiles.h"
#include "support/controls.h"
#include "support/sessionfixture.h"
#include "support/windowsystemkeys.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qint16 Other = 8;
const QDate Today(2026, 12, 9);

// Level 1: cleared after 2 sessions, overused after 3. Level 4 is the goal,
// cleared after 3 sessions.
QStringList levelTable(bool clearCount9999 = false)
{
    return {u"100,150,0,2,1,3,0,14,7,,,"_s, u"100,150,0,5,1,0,0,14,7,,,"_s,
            clearCount9999 ? u"100,150,0,9999,1.5,0,0,14,7,,,"_s : u"100,150,0,5,1.5,0,0,14,7,,,"_s,
            u"100,150,0,3,1,0,0,14,7,,,"_s};
}

QList<ResultRecord> sessions(qint16 student, qint16 level, QList<qint32> times)
{
    QList<ResultRecord> records;
    for (qint32 t : times)
        records.append(ResultFiles::record(Today, student, level, t));
    return records;
}

// A session of `time` seconds at `level`, before it is recorded.
SessionOutcome unrecorded(int level, qint32 time)
{
    SessionOutcome outcome;
    outcome.level = level;
    outcome.resultTime = time;
    return outcome;
}

// Records a session of `time` seconds at `level` and opens its result screen.
ResultScreen *recordAndOpen(SessionFixture &f, int level, qint32 time)
{
    SessionOutcome outcome = unrecorded(level, time);
    if (!RecordSession(f.state, f.test.platform, outcome))
        return nullptr;
    f.host->openResult(outcome);
    return qobject_cast<ResultScreen *>(f.host->currentScreen());
}

} // namespace

class TestResultScreen : public QObject
{
    Q_OBJECT

private slots:
    void evaluation_data();
    void evaluation();
    void bestTimesAreLoweredInPlace();
    void buttonsWaitForTheCues();
    void keysTypedDuringTheCuesPressNothing();
    void pointsUseTheMultiplierAsWritten();
    void buttons();
};

void TestResultScreen::evaluation_data()
{
    QTest::addColumn<bool>("clearCount9999");
    QTest::addColumn<QList<ResultRecord>>("earlier");
    QTest::addColumn<bool>("goalClearedAtStart");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("time");
    QTest::addColumn<QString>("resultLine");
    QTest::addColumn<QString>("pointsLine");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("sounds");
    QTest::addColumn<bool>("goalPanel");
    QTest::addColumn<bool>("repeat");
    QTest::addColumn<QString>("todayCounts");

    // Target 100 s: 95 s earns ⌊(5/100)³ × 50 + 5⌋ = 5 base points.
    QTest::newRow("first session, class best 80")
        << false << sessions(Other, 2, {80}) << false << 2 << 95 << u"今の成績：95秒"_s << u"獲得ポイント：5点×1→5点"_s
        << u"新記録おめでとう"_s << QStringList{u"jikosaikou.wav"_s} << false << true
        << u" (このレベル　1回目)（1回目)"_s;
    QTest::newRow("beats the class best")
        << false << sessions(SessionFixture::Student, 3, {90}) + sessions(Other, 3, {80}) << false << 3 << 70
        << u"今の成績：70秒"_s << u"獲得ポイント：6点×1.5→9点"_s << u"！！！最高新記録！！！"_s
        << QStringList{u"最高1.wav"_s} << false << true << u" (このレベル　2回目)（2回目)"_s;
    QTest::newRow("within the lowest time, no record")
        << false << sessions(SessionFixture::Student, 2, {60}) << false << 2 << 150 << u"今の成績：150秒"_s
        << u"獲得ポイント：4点×1→4点"_s << QString() << QStringList{u"gambare.wav"_s} << false << true
        << u" (このレベル　2回目)（2回目)"_s;
    QTest::newRow("slower than the lowest time")
        << false << sessions(SessionFixture::Student, 2, {60}) << false << 2 << 151 << u"今の成績：151秒"_s
        << u"獲得ポイント：4点×1→4点"_s << QString() << QStringList() << false << true
        << u" (このレベル　2回目)（2回目)"_s;
    QTest::newRow("give-up") << false << QList<ResultRecord>() << false << 2 << 5000 << u"ギブアップ"_s
                             << u"次は最後までがんばろう！"_s << QString() << QStringList() << false << true
                             << u" (このレベル　0回目)（0回目)"_s;
    QTest::newRow("time-out") << false << QList<ResultRecord>() << false << 2 << 99999 << u"記録なし"_s
                              << u"次は最後までがんばろう！"_s << QString() << QStringList() << false << true
                              << u" (このレベル　0回目)（0回目)"_s;
    QTest::newRow("goal cleared for the first time")
        << false << sessions(SessionFixture::Student, 4, {120, 120}) << false << 4 << 130 << u"今の成績：130秒"_s
        << u"獲得ポイント：4点×1→4点"_s << QString() << QStringList{u"gambare.wav"_s, u"合格.wav"_s} << true << true
        << u" (このレベル　3回目)（3回目)"_s;
    QTest::newRow("goal cleared before") << false << sessions(SessionFixture::Student, 4, {120, 120, 120}) << true << 4
                                         << 130 << u"今の成績：130秒"_s << u"獲得ポイント：4点×1→4点"_s << QString()
                                         << QStringList{u"gambare.wav"_s} << true << true
                                         << u" (このレベル　4回目)（4回目)"_s;
    QTest::newRow("clear count 9999 somewhere")
        << true << sessions(SessionFixture::Student, 4, {120, 120}) << false << 4 << 130 << u"今の成績：130秒"_s
        << u"獲得ポイント：4点×1→4点"_s << QString() << QStringList{u"gambare.wav"_s, u"合格.wav"_s} << false << true
        << u" (このレベル　3回目)（3回目)"_s;
    QTest::newRow("overused cleared level, goal not cleared")
        << false << sessions(SessionFixture::Student, 1, {120, 120, 120}) << false << 1 << 130 << u"今の成績：130秒"_s
        << u"獲得ポイント：4点×1→4点"_s << QString() << QStringList{u"gambare.wav"_s} << false << false
        << u" (このレベル　4回目)（4回目)"_s;
    QTest::newRow("overused cleared level, goal cleared")
        << false << sessions(SessionFixture::Student, 1, {120, 120, 120}) << true << 1 << 130 << u"今の成績：130秒"_s
        << u"獲得ポイント：4点×1→4点"_s << QString() << QStringList{u"gambare.wav"_s} << false << true
        << u" (このレベル　4回目)（4回目)"_s;
}

void TestResultScreen::evaluation()
{
    QFETCH(bool, clearCount9999);
    QFETCH(QList<ResultRecord>, earlier);
    QFETCH(bool, goalClearedAtStart);
    QFETCH(int, level);
    QFETCH(int, time);
    QFETCH(QString, resultLine);
    QFETCH(QString, pointsLine);
    QFETCH(QString, message);
    QFETCH(QStringList, sounds);
    QFETCH(bool, goalPanel);
    QFETCH(bool, repeat);
    QFETCH(QString, todayCounts);

    SessionFixture f;
    f.setLevelTable(levelTable(clearCount9999));
    f.setResults(earlier);
    f.state.goalClearedAtStart = goalClearedAtStart;
    SessionOutcome outcome = unrecorded(level, time);
    QVERIFY(RecordSession(f.state, f.test.platform, outcome));
    f.host->setBusy(true);
    f.host->openResult(outcome);

    auto *result = qobject_cast<ResultScreen *>(f.host->currentScreen());
    QVERIFY(result);
    QCOMPARE(control<QLabel>(result, ResultControls::ResultTime)->text(), resultLine);
    QCOMPARE(control<QLabel>(result, ResultControls::PointsLine)->text(), pointsLine);
    QCOMPARE(control<QLabel>(result, ResultControls::Announcement)->isHidden(), message.isEmpty());
    if (!message.isEmpty())
        QCOMPARE(control<QLabel>(result, ResultControls::Announcement)->text(), message);
    QCOMPARE(f.playedNames(), sounds);
    QCOMPARE(!control<QFrame>(result, ResultControls::GoalPanel)->isHidden(), goalPanel);
    QCOMPARE(control<QLabel>(result, ResultControls::LevelTodayCount)->text()
                 + control<QLabel>(result, ResultControls::AllTodayCount)->text(),
             todayCounts);
    QVERIFY(!f.host->waitShown());
    // A session without mistakes has no list of them.
    QVERIFY(control<QListWidget>(result, ResultControls::MissedProblems)->isHidden());

    QVERIFY(control<QPushButton>(result, ResultControls::MenuButton)->isHidden()
            && control<QPushButton>(result, ResultControls::RepeatButton)->isHidden());
    QTRY_VERIFY(!control<QPushButton>(result, ResultControls::MenuButton)->isHidden());
    QVERIFY(control<QFrame>(result, ResultControls::GoalPanel)->isHidden());
    QCOMPARE(!control<QPushButton>(result, ResultControls::RepeatButton)->isHidden(), repeat);
    // A screen reader hears the result together with the focused button.
    const QString spoken = control<QPushButton>(result, ResultControls::MenuButton)->accessibleDescription();
    QVERIFY2(spoken.startsWith(resultLine) && spoken.contains(pointsLine) && spoken.endsWith(message),
             qPrintable(spoken));
    QCOMPARE(!control<QLabel>(result, ResultControls::NextLevelHint)->isHidden(), !repeat);
    if (!repeat)
        QCOMPARE(control<QLabel>(result, ResultControls::NextLevelHint)->text(), u"次のレベルへ進みましょう"_s);
    // The session itself was appended behind the earlier ones.
    QCOMPARE(f.results().size(), earlier.size() + 1);
    QCOMPARE(f.results().constLast().timeScore, time);
}

void TestResultScreen::bestTimesAreLoweredInPlace()
{
    SessionFixture f;
    f.setResults(sessions(SessionFixture::Student, 2, {90}) + sessions(Other, 2, {80}));
    SessionOutcome first = unrecorded(2, 85);
    QVERIFY(RecordSession(f.state, f.test.platform, first));
    QVERIFY(first.recordFlags.newPersonalBest);
    QVERIFY(!first.recordFlags.newClassBest);
    QCOMPARE(f.state.PersonalBest.at(2, SessionFixture::Student), 85);
    QCOMPARE(f.state.ClassBest[2], 80);

    // A second session compares with the stored 85 without a reload.
    SessionOutcome second = unrecorded(2, 86);
    QVERIFY(RecordSession(f.state, f.test.platform, second));
    QVERIFY(!second.recordFlags.newPersonalBest);
    SessionOutcome third = unrecorded(2, 79);
    QVERIFY(RecordSession(f.state, f.test.platform, third));
    QVERIFY(third.recordFlags.newClassBest);
    QCOMPARE(f.state.ClassBest[2], 79);
    QCOMPARE(f.results().size(), 5);
}

// A player that takes its time, letting timers run as the real one does.
class SlowPlayer final : public SoundPlayer
{
public:
    SoundResult playAndWait(const QString &path) override
    {
        if (screen)
            panelShown.append(!control<QFrame>(screen, ResultControls::GoalPanel)->isHidden()
                              && control<QPushButton>(screen, ResultControls::MenuButton)->isHidden());
        played.append(QFileInfo(path).fileName());
        QTest::qWait(600);
        return {};
    }
    ResultScreen *screen = nullptr;
    QStringList played;
    QList<bool> panelShown;
};

void TestResultScreen::buttonsWaitForTheCues()
{
    SessionFixture f;
    SlowPlayer player;
    f.test.platform.sound = &player;
    f.setLevelTable(levelTable());
    f.setResults(sessions(SessionFixture::Student, 4, {120, 120}));
    SessionOutcome outcome = unrecorded(4, 100);
    QVERIFY(RecordSession(f.state, f.test.platform, outcome));
    ResultScreen screen(f.state, f.test.platform, outcome);
    auto *result = &screen;
    player.screen = result;
    result->show();
    result->activate();
    // The record sound and the fanfare both play under the goal panel;
    // the buttons come only afterwards.
    QCOMPARE(player.played, (QStringList{u"最高1.wav"_s, u"合格.wav"_s}));
    QCOMPARE(player.panelShown, (QList<bool>{true, true}));
    QTRY_VERIFY(!control<QPushButton>(result, ResultControls::MenuButton)->isHidden());
    QVERIFY(control<QFrame>(result, ResultControls::GoalPanel)->isHidden());
}

// A cue longer than the button timer, played the way the real player does:
// in a nested loop that holds keys and clicks back. The student meanwhile
// presses Space and Return, which must not press the buttons that appear.
class ImpatientPlayer final : public SoundPlayer
{
public:
    SoundResult playAndWait(const QString &) override
    {
        QEventLoop loop;
        QTimer::singleShot(50, &loop, [this] {
            queueWindowSystemKey(window, Qt::Key_Space, u" "_s);
            queueWindowSystemKey(window, Qt::Key_Return, u"\r"_s);
        });
        QTimer::singleShot(700, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        return {};
    }
    QWidget *window = nullptr;
};

void TestResultScreen::keysTypedDuringTheCuesPressNothing()
{
    SessionFixture f;
    ImpatientPlayer player;
    player.window = f.host.get();
    f.test.platform.sound = &player;
    f.host->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.host.get()));
    ResultScreen *result = recordAndOpen(f, 2, 95);
    QVERIFY(result);
    QTRY_VERIFY(!control<QPushButton>(result, ResultControls::MenuButton)->isHidden());
    QTest::qWait(100);
    QVERIFY(f.host->currentScreen() == result);
    QVERIFY(control<QPushButton>(result, ResultControls::MenuButton)->hasFocus());

    // Afterwards Return presses the focused button.
    queueWindowSystemKey(f.host.get(), Qt::Key_Return, u"\r"_s);
    QTRY_VERIFY(qobject_cast<LevelMenu *>(f.host->currentScreen()));
}

void TestResultScreen::pointsUseTheMultiplierAsWritten()
{
    SessionFixture f;
    QStringList table = levelTable();
    table[1] = u"100,150,0,5,1.4,0,0,14,7,,,"_s;
    f.setLevelTable(table);
    ResultScreen *result = recordAndOpen(f, 2, 100);
    QVERIFY(result);
    QCOMPARE(control<QLabel>(result, ResultControls::PointsLine)->text(), u"獲得ポイント：5点×1.4→7点"_s);
    QCOMPARE(f.state.ResultTallies.at(2, SessionFixture::Student).todayPoints, 7);
}

void TestResultScreen::buttons()
{
    SessionFixture f;
    f.host->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.host.get()));
    auto *result = recordAndOpen(f, 3, 100);
    QVERIFY(result);
    QTRY_VERIFY(!control<QPushButton>(result, ResultControls::RepeatButton)->isHidden());

    // "もう一度", even clicked twice at once, opens one fresh drill of the same level.
    const qsizetype drillsBefore = f.test.random.seeds.size();
    queueWindowSystemClick(control<QPushButton>(result, ResultControls::RepeatButton), true);
    QTRY_VERIFY(qobject_cast<DrillScreen *>(f.host->currentScreen()));
    QTest::qWait(50);
    QCOMPARE(f.test.random.seeds.size(), drillsBefore + 1);
    auto *drill = qobject_cast<DrillScreen *>(f.host->currentScreen());
    QVERIFY(drill);
    QCOMPARE(f.state.CurrentLevel, 3);
    QVERIFY(!control<QFrame>(drill, DrillControls::StartPanel)->isHidden());
    // The session just recorded counts: this is the second today.
    QCOMPARE(control<QLabel>(drill, DrillControls::LevelCount)->text(), u"2"_s);
    QVERIFY(!f.host->waitShown());

    result = recordAndOpen(f, 3, 100);
    QTRY_VERIFY(!control<QPushButton>(result, ResultControls::MenuButton)->isHidden());
    QTest::mouseClick(control<QPushButton>(result, ResultControls::MenuButton), Qt::LeftButton);
    QTRY_VERIFY(qobject_cast<LevelMenu *>(f.host->currentScreen()));
}

QTEST_MAIN(TestResultScreen)
#include "tst_resultscreen.moc"

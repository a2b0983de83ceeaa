#include <QTest>

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <functional>

#include "app/oledate.h"
#include "drill/problemstat.h"
#include "platform/pause.h"
#include "platform/soundplayer.h"
#include "drill/ui/drillcontrols.h"
#include "drill/ui/drillscreen.h"
#include "host/hostcontrols.h"
#include "drill/ui/factmapcontrols.h"
#include "drill/ui/timebar.h"
#include "result/ui/resultcontrols.h"
#include "result/ui/resultscreen.h"
#include "store/resultsfile.h"
#include "store/tallies.h"
#include "support/controls.h"
#include "support/resultfiles.h"
#include "support/sessionfixture.h"
#include "support/windowsystemkeys.h"

using namespace Qt::StringLiterals;

namespace {

DrillScreen *startDrill(SessionFixture &f, int level)
{
    f.host->openDrill(level);
    return qobject_cast<DrillScreen *>(f.host->currentScreen());
}

struct DrillLabels
{
    DrillScreen *frm;
    QLabel *first;
    QLabel *second;
    QLabel *answerLabel;
    QLabel *correctLabel;
    QLabel *prompt;
};

// Level 2, its first draw problem 91: 11 - 10, and the labels keys change.
DrillLabels keyedDrill(SessionFixture &f)
{
    f.test.random.script({0.90});
    DrillScreen *frm = startDrill(f, 2);
    if (!frm)
        qFatal("the drill does not open");
    const auto label = [frm](const char *name) { return control<QLabel>(frm, name); };
    return {frm,
            label(DrillControls::First),
            label(DrillControls::Second),
            label(DrillControls::Answer),
            label(DrillControls::CorrectAnswer),
            label(DrillControls::Prompt)};
}

void answer(QWidget *target, const QString &text)
{
    QTest::keyClicks(target, text);
    QTest::keyClick(target, Qt::Key_Space);
}

QByteArray statisticsFile()
{
    QByteArray bytes;
    for (int r = 1; r <= ProblemStatFile::CreatedRecordCount; ++r)
        bytes += ProblemStat{float(r % 7), 1.0f, double(r)}.toBytes();
    return bytes;
}

ProblemStat recordOf(const QByteArray &file, int record)
{
    return ProblemStat::fromBytes(QByteArrayView(file).sliced((record - 1) * ProblemStat::Size, ProblemStat::Size));
}

QLabel *block(const DrillScreen *frm, int n)
{
    return element<QLabel>(frm, DrillControls::Blocks, n);
}

// Plays through the fixture's recording player; `duringCue` runs once while
// the next cue plays, as the clock and the keys go on meanwhile.
class CuePlayer final : public SoundPlayer
{
public:
    explicit CuePlayer(SoundPlayer &recorder)
        : m_recorder(recorder)
    {
    }
    SoundResult playAndWait(const QString &path) override
    {
        if (duringCue)
            std::exchange(duringCue, nullptr)();
        return m_recorder.playAndWait(path);
    }
    std::function<void()> duringCue;

private:
    SoundPlayer &m_recorder;
};

// Level 2 of a drill started at 23:58:30, over known statistics.
struct NightSession : SessionFixture
{
    NightSession()
    {
        test.clock.set(QDateTime(QDate(2026, 12, 9), QTime(23, 58, 30)));
        school.writeBytes(statisticsPath().mid(school.layout().root.size()), before);
        frm = startDrill(*this, 2);
    }
    const QByteArray before = statisticsFile();
    QPointer<DrillScreen> frm;
    QSet<int> wrongCodes;
    QStringList missed;
};

// Plays the session by keys alone to its end, three answers wrong, checking
// each answer as it goes.
void playToTheEnd(NightSession &f)
{
    DrillScreen *frm = f.frm;
    QVERIFY(frm);
    auto *remaining = control<QLabel>(frm, DrillControls::Remaining);
    auto *answerLabel = control<QLabel>(frm, DrillControls::Answer);
    auto *correctLabel = control<QLabel>(frm, DrillControls::CorrectAnswer);
    auto *prompt = control<QLabel>(frm, DrillControls::Prompt);
    QCOMPARE(remaining->text(), u"100"_s);
    // No mouse needed: Space starts, and is not taken as an answer.
    QTest::keyClick(frm, Qt::Key_Space);
    QVERIFY(control<QFrame>(frm, DrillControls::StartPanel)->isHidden());
    QVERIFY(correctLabel->isHidden());

    int correct = 0;
    int steps = 0;
    while (correct < 100) {
        QVERIFY2(++steps < 120, "the session does not end");
        f.test.clock.advanceMs(1100);
        frm->updateClock();
        const int expected = answerOnScreen(*frm);
        // Keys reach the screen whichever of its widgets gets them.
        QWidget *target =
            steps % 2 ? static_cast<QWidget *>(answerLabel) : control<TimeBar>(frm, DrillControls::TimeBar);
        if (steps % 30 == 7 && steps < 90) {
            const int first = control<QLabel>(frm, DrillControls::First)->text().toInt();
            const int second = control<QLabel>(frm, DrillControls::Second)->text().toInt();
            answer(target, QString::number(expected + 1));
            QVERIFY(!correctLabel->isHidden());
            QCOMPARE(correctLabel->text(), QString::number(expected));
            QTRY_VERIFY(!prompt->isHidden());
            QVERIFY(!control<QLabel>(frm, DrillControls::RedEquals)->isHidden());
            for (int n = 1; n <= 20; ++n)
                QCOMPARE(!block(frm, n)->isHidden(), n > second && n <= first);
            const ProblemDrawing &drawing = frm->session().drawing();
            f.wrongCodes.insert(drawing.problems()[std::size_t(drawing.currentProblem())].Code);
            f.missed.append(u"%1－%2＝%3"_s.arg(first).arg(second).arg(expected));
            QTest::keyClicks(target, u"++"_s);
            QVERIFY(prompt->isHidden());
            QVERIFY(correctLabel->isHidden());
            continue;
        }
        QTest::keyClicks(target, QString::number(expected));
        if (correct == 0)
            QCOMPARE(answerLabel->text(), QString::number(expected));
        QTest::keyClick(target, Qt::Key_Space);
        ++correct;
        if (correct < 100)
            QCOMPARE(remaining->text(), QString::number(100 - correct));
    }
}

} // namespace

class TestDrillScreen : public QObject
{
    Q_OBJECT

private slots:
    void mapShowsTheLevelsStatistics();
    void timeCountsOnPastMidnight();
    void everyAnswerIsStoredInTheStatistics();
    void resultShowsTheBestRecordAndTheMissedFacts();
    void timeOut();
    void answerIsTypedOnceTheDrillStarts();
    void keysCountForNothingWhileNoAnswerIsAwaited();
    void screenShowsTheStudentAndTheLevel();
    void backReturnsToTheMenu();
    void waitBeforeTheResultHoldsKeys();
    void recordingSaysItWaitsForAnotherCopy();
};

void TestDrillScreen::mapShowsTheLevelsStatistics()
{
    NightSession f;
    QPointer<DrillScreen> frm = f.frm;
    QVERIFY(frm);
    QCOMPARE(f.host->windowTitle(), u"Growna"_s);
    QCOMPARE(control<QListWidget>(frm, DrillControls::TimeList)->count(), 100);
    QCOMPARE(control<QListWidget>(frm, DrillControls::RateList)->count(), 100);
    // The same statistics as a 100マス map: 14－1 was right 6 times in 7 but slow.
    const auto *map = control<QTableWidget>(frm, FactMapControls::Map);
    QCOMPARE(map->item(0, 3)->text(), u"△"_s);
    QCOMPARE(map->item(0, 3)->data(Qt::AccessibleTextRole).toString(),
             u"14－1＝13 正解6回 まちがい1回 平均14.86秒 正しいけれどゆっくり"_s);
    QCOMPARE(map->item(0, 0)->text(), u"×"_s);
    QCOMPARE(map->horizontalHeaderItem(0)->text(), u"11"_s);
}

void TestDrillScreen::timeCountsOnPastMidnight()
{
    NightSession f;
    playToTheEnd(f);
    // 103 answers of 1.1 s each: 113.3 s, over midnight.
    QCOMPARE(qobject_cast<ResultScreen *>(f.host->currentScreen())->outcome().elapsedSeconds, 113);
    const QList<ResultRecord> records = f.results();
    QCOMPARE(records.size(), 1);
    QCOMPARE(QFileInfo(f.resultsPath()).size(), 44);
    QCOMPARE(records[0].studentNumber, SessionFixture::Student);
    QCOMPARE(records[0].level, 2);
    QCOMPARE(records[0].timeScore, 113);
    QCOMPARE(QByteArray(records[0].siteCode.data(), 5), "00123"_ba);
    QCOMPARE(records[0].date, OleDate::fromDate(QDate(2026, 12, 10)));
}

void TestDrillScreen::everyAnswerIsStoredInTheStatistics()
{
    NightSession f;
    playToTheEnd(f);
    QCOMPARE(f.wrongCodes.size(), 3);
    const QByteArray after = f.school.readBytes(f.statisticsPath());
    QCOMPARE(after.size(), f.before.size());
    for (int r = 1; r <= ProblemStatFile::CreatedRecordCount; ++r) {
        const ProblemStat old = recordOf(f.before, r);
        const ProblemStat now = recordOf(after, r);
        if (r <= 100 || r > 200) {
            QCOMPARE(now, old);
            continue;
        }
        const int code = r - 101;
        QCOMPARE(now.CorrectCount, old.CorrectCount + 1);
        QCOMPARE(now.WrongCount, old.WrongCount + (f.wrongCodes.contains(code) ? 1 : 0));
        QVERIFY(now.TotalTime > old.TotalTime);
    }
    QCOMPARE(f.test.pause.waits, QList<int>{1000});
    QCOMPARE(f.test.pause.inputHeld, QList<bool>{true});
}

void TestDrillScreen::resultShowsTheBestRecordAndTheMissedFacts()
{
    NightSession f;
    playToTheEnd(f);
    auto *result = qobject_cast<ResultScreen *>(f.host->currentScreen());
    QVERIFY(result);
    QCOMPARE(control<QLabel>(result, ResultControls::StudentName)->text(), u"山田　花子"_s);
    QCOMPARE(control<QLabel>(result, ResultControls::ContentTitle)->text(), u"カズドリ"_s);
    QCOMPARE(control<QLabel>(result, ResultControls::LevelName)->text(), u"引き算"_s);
    QCOMPARE(control<QLabel>(result, ResultControls::ResultTime)->text(), u"今の成績：113秒"_s);
    // Target 150 s: ⌊(37/150)³ × 50 + 5⌋ = 5 points.
    QCOMPARE(control<QLabel>(result, ResultControls::PointsLine)->text(), u"獲得ポイント：5点×1→5点"_s);
    QCOMPARE(control<QLabel>(result, ResultControls::LevelTodayCount)->text(), u" (このレベル　1回目)"_s);
    QCOMPARE(control<QLabel>(result, ResultControls::AllTodayCount)->text(), u"（1回目)"_s);
    // Nobody had a time at this level: the best record ever.
    QCOMPARE(control<QLabel>(result, ResultControls::Announcement)->text(), u"！！！最高新記録！！！"_s);
    QVERIFY(!control<QLabel>(result, ResultControls::Announcement)->isHidden());
    QVERIFY(f.playedNames().contains(u"最高1.wav"_s));
    QCOMPARE(f.playedNames().count(u"boo.wav"_s), 3);
    QCOMPARE(f.playedNames().count(u"pinpon.wav"_s) + f.playedNames().count(u"pinpon2.wav"_s), 100);
    QVERIFY(!f.host->waitShown());
    QVERIFY(control<QPushButton>(result, ResultControls::MenuButton)->isHidden());
    QTRY_VERIFY(!control<QPushButton>(result, ResultControls::MenuButton)->isHidden());
    QVERIFY(!control<QPushButton>(result, ResultControls::RepeatButton)->isHidden());
    QCOMPARE(control<QPushButton>(result, ResultControls::MenuButton)->text(), u"メニューへ"_s);
    QCOMPARE(control<QPushButton>(result, ResultControls::RepeatButton)->text(), u"もう一度"_s);
    // The facts missed in this session, in the order missed, with their answers.
    const auto *missedList = control<QListWidget>(result, ResultControls::MissedProblems);
    QVERIFY(!missedList->isHidden());
    QCOMPARE(lines(missedList), f.missed);
    QCOMPARE(control<QLabel>(result, ResultControls::MissedCaption)->text(), u"まちがえた問題"_s);
    QTRY_VERIFY(!f.frm);
}

void TestDrillScreen::timeOut()
{
    SessionFixture f;
    QPointer<DrillScreen> frm = startDrill(f, 1);
    QVERIFY(frm);
    // Level 1 of the demo school: lowest passing time 180 s.
    QCOMPARE(frm->session().timeLimit(), 900);
    const QByteArray statistics = f.school.readBytes(f.statisticsPath());
    QCOMPARE(statistics.size(), 16000);
    frm->startSession();
    QTest::keyClicks(frm, u"9"_s);
    auto *timeBar = control<TimeBar>(frm, DrillControls::TimeBar);

    f.test.clock.advanceMs(899400);
    frm->updateClock();
    QCOMPARE(control<QLabel>(frm, DrillControls::Time)->text(), u"899"_s);
    QCOMPARE(frm->session().phase(), DrillSession::Phase::Answering);
    QCOMPARE(timeBar->elapsedWidth(), timeBar->barWidth(899));

    // A judgement in progress holds the time-out off until the next tick:
    // the limit comes while the answer's cue plays.
    CuePlayer player(f.test.sound);
    f.test.platform.sound = &player;
    DrillSession::Phase phaseAtLimit = DrillSession::Phase::Ready;
    int widthAtLimit = 0;
    player.duringCue = [&] {
        f.test.clock.advanceMs(600);
        frm->updateClock();
        phaseAtLimit = frm->session().phase();
        widthAtLimit = timeBar->elapsedWidth();
    };
    QTest::keyClick(frm, Qt::Key_Space);
    QTRY_COMPARE(phaseAtLimit, DrillSession::Phase::Judging);
    QCOMPARE(widthAtLimit, timeBar->width());
    QCOMPARE(frm->session().phase(), DrillSession::Phase::Answering);

    bool overlayShown = false;
    bool timeUpShown = false;
    bool recordingShown = true;
    f.test.pause.onWait = [&](int) {
        overlayShown = !control<QFrame>(frm, DrillControls::EndOverlay)->isHidden();
        timeUpShown = !control<QLabel>(frm, DrillControls::TimeUp)->isHidden();
        recordingShown = !control<QLabel>(frm, DrillControls::Recording)->isHidden();
    };
    frm->updateClock();
    QVERIFY(overlayShown);
    QVERIFY(timeUpShown);
    QVERIFY(!recordingShown);
    QCOMPARE(frm->session().outcome().end, SessionEnd::TimedOut);
    QCOMPARE(frm->session().outcome().resultTime, 99999);
    QCOMPARE(f.results().size(), 1);
    QCOMPARE(f.results().at(0).timeScore, 99999);
    // A late tick or a second end records nothing more.
    frm->endDrill();
    frm->updateClock();
    QCOMPARE(f.results().size(), 1);
    QCOMPARE(f.school.readBytes(f.statisticsPath()), statistics);

    auto *result = qobject_cast<ResultScreen *>(f.host->currentScreen());
    QVERIFY(result);
    QCOMPARE(control<QLabel>(result, ResultControls::ResultTime)->text(), u"記録なし"_s);
    QCOMPARE(control<QLabel>(result, ResultControls::PointsLine)->text(), u"次は最後までがんばろう！"_s);
    QVERIFY(control<QLabel>(result, ResultControls::Announcement)->isHidden());
    // Only answer sounds: no record and no pass cue.
    for (const QString &name : f.playedNames())
        QVERIFY2(name == u"pinpon.wav"_s || name == u"pinpon2.wav"_s || name == u"boo.wav"_s, qPrintable(name));
    QCOMPARE(control<QLabel>(result, ResultControls::LevelTodayCount)->text(), u" (このレベル　0回目)"_s);
}

void TestDrillScreen::answerIsTypedOnceTheDrillStarts()
{
    SessionFixture f;
    const auto [frm, first, second, answerLabel, correctLabel, prompt] = keyedDrill(f);
    QTest::keyClicks(frm, u"5"_s);
    QVERIFY(answerLabel->text().isEmpty());
    QTest::keyClick(frm, Qt::Key_Return);
    QCOMPARE(first->text(), u"11"_s);
    QCOMPARE(control<QLabel>(frm, DrillControls::Operator)->text(), u"－"_s);
    QCOMPARE(second->text(), u"10"_s);
    QVERIFY(first->font().pixelSize() >= 72);

    QTest::keyClicks(answerLabel, u"1234"_s);
    QCOMPARE(answerLabel->text(), u"123"_s);
    QCOMPARE(f.playedNames(), QStringList{u"警告1.wav"_s});
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(frm, Qt::Key_Backspace);
    QVERIFY(answerLabel->text().isEmpty());
    QTest::keyClicks(frm, u"12"_s);
    QTest::keyClick(frm, Qt::Key_Return);
    QVERIFY(answerLabel->text().isEmpty());
    QTest::keyClicks(frm, u"9"_s);
    QTest::keyClick(frm, Qt::Key_Left);
    QVERIFY(answerLabel->text().isEmpty());
}

void TestDrillScreen::keysCountForNothingWhileNoAnswerIsAwaited()
{
    SessionFixture f;
    const auto [frm, first, second, answerLabel, correctLabel, prompt] = keyedDrill(f);
    QTest::keyClick(frm, Qt::Key_Return);
    // Keys typed while an answer is judged count for nothing.
    CuePlayer player(f.test.sound);
    f.test.platform.sound = &player;
    QString answerDuringCue;
    player.duringCue = [&answerDuringCue, frm = frm, answerLabel = answerLabel] {
        QTest::keyClicks(frm, u"7"_s);
        answerDuringCue = answerLabel->text();
    };
    // "1+" is judged as 1: correct.
    answer(frm, u"1+"_s);
    QCOMPARE(answerDuringCue, u"1+"_s);
    QVERIFY(answerLabel->text().isEmpty());
    QCOMPARE(frm->session().correctAnswers(), 1);
    QCOMPARE(control<QLabel>(frm, DrillControls::Remaining)->text(), u"99"_s);
    QVERIFY(correctLabel->isHidden());

    // A wrong answer waits for "+" twice. Next draw falls back to problem 1: 11 - 1 = 10.
    QCOMPARE(first->text(), u"11"_s);
    QCOMPARE(second->text(), u"1"_s);
    answer(frm, u"3"_s);
    QCOMPARE(correctLabel->text(), u"10"_s);
    QTRY_VERIFY(!prompt->isHidden());
    QCOMPARE(prompt->text(), u"\"+\"を２回押しなさい"_s);
    QCOMPARE(answerLabel->text(), u"3"_s);
    QTest::keyClick(frm, Qt::Key_Down);
    QVERIFY(answerLabel->text().isEmpty());
    QVERIFY(!prompt->isHidden());
    QTest::keyClicks(frm, u"+5+"_s);
    QVERIFY(!prompt->isHidden());
    QCOMPARE(frm->session().drawing().currentProblem(), 1);
    QTest::keyClicks(frm, u"+"_s);
    QVERIFY(prompt->isHidden());
    QVERIFY(correctLabel->isHidden());
    QVERIFY(control<QLabel>(frm, DrillControls::RedEquals)->isHidden());
    QCOMPARE(frm->session().correctAnswers(), 1);
    QVERIFY(frm->session().drawing().currentProblem() != 1);
    // The blocks stay until the next wrong answer.
    QVERIFY(!block(frm, 2)->isHidden());
    QVERIFY(block(frm, 1)->isHidden());
}

void TestDrillScreen::screenShowsTheStudentAndTheLevel()
{
    SessionFixture f;
    f.setResults({ResultFiles::record(QDate(2026, 12, 9), SessionFixture::Student, 3, 150),
                  ResultFiles::record(QDate(2026, 12, 9), SessionFixture::Student, 3, 5000),
                  ResultFiles::record(QDate(2026, 12, 9), SessionFixture::Student, 1, 150),
                  ResultFiles::record(QDate(2026, 12, 8), SessionFixture::Student, 3, 150)});
    DrillScreen *frm = startDrill(f, 3);
    QCOMPARE(control<QLabel>(frm, DrillControls::Student)->text(), u"山田　花子"_s);
    QCOMPARE(control<QLabel>(frm, DrillControls::Title)->text(), u"カズドリ"_s);
    QCOMPARE(control<QLabel>(frm, DrillControls::Title)->font().pointSizeF(), 16.8);
    QCOMPARE(control<QLabel>(frm, DrillControls::Site)->text(), u"カズドリ算数教室"_s);
    QCOMPARE(control<QLabel>(frm, DrillControls::Level)->text(), u"かけ算"_s);
    QCOMPARE(control<QLabel>(frm, DrillControls::LevelCount)->text(), u"2"_s);
    QCOMPARE(control<QLabel>(frm, DrillControls::Today)->text(), u"3"_s);
    QCOMPARE(control<QLabel>(frm, DrillControls::Minutes)->text(), u"10"_s);
    QCOMPARE(control<QLabel>(frm, DrillControls::Time)->text(), u"0"_s);
    QCOMPARE(frm->session().timeLimit(), 1000);
    auto *timeBar = control<TimeBar>(frm, DrillControls::TimeBar);
    QCOMPARE(timeBar->targetWidth(), timeBar->barWidth(130));
    QCOMPARE(timeBar->elapsedWidth(), 0);
    QVERIFY(control<QListWidget>(frm, DrillControls::TimeList)->count() == 0
            && control<QListWidget>(frm, DrillControls::RateList)->count() == 0);
    f.test.clock.advanceSeconds(60);
    frm->showMinutesSinceLogin();
    QCOMPARE(control<QLabel>(frm, DrillControls::Minutes)->text(), u"11"_s);
}

void TestDrillScreen::backReturnsToTheMenu()
{
    SessionFixture f;
    QPointer<DrillScreen> frm = startDrill(f, 1);
    // Return on a focused "もどる" presses it rather than starting.
    auto *back = control<QPushButton>(frm, DrillControls::BackButton);
    back->setFocus();
    QTest::keyClick(back, Qt::Key_Return);
    QVERIFY(!control<QFrame>(frm, DrillControls::StartPanel)->isHidden());
    QVERIFY(f.host->currentScreen() != frm);
    QTRY_VERIFY(!frm);
    QVERIFY(f.results().isEmpty());
}

// The real pause the drill waits with before its result screen.
void TestDrillScreen::waitBeforeTheResultHoldsKeys()
{
    QLineEdit edit;
    edit.show();
    edit.setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&edit));
    QTimer::singleShot(30, &edit, [&edit] { queueWindowSystemKey(&edit, Qt::Key_7, u"7"_s); });
    EventLoopPause pause;
    pause.waitHoldingInput(200);
    QCOMPARE(edit.text(), QString());
    QTRY_COMPARE(edit.text(), u"7"_s);
}

// Another PC appending at the same moment holds the lock for a while; the
// screen must not look hung meanwhile.
void TestDrillScreen::recordingSaysItWaitsForAnotherCopy()
{
    SessionFixture f;
    f.test.platform.waitNotice = f.host.get();
    QPointer<DrillScreen> frm = startDrill(f, 1);
    QVERIFY(frm);
    frm->startSession();
    OsFileLock otherCopy;
    QCOMPARE(otherCopy.tryLock(f.resultsPath(), nullptr), FileLock::Result::Locked);
    QStringList noticeAtWait;
    f.test.pause.onWait = [&](int) {
        const auto *notice = f.host->findChild<QLabel *>(QString::fromLatin1(HostControls::OtherCopyNotice));
        noticeAtWait.append(notice && !notice->isHidden() ? notice->text() : QString());
        if (noticeAtWait.size() == 2)
            otherCopy.unlock(f.resultsPath());
    };

    f.test.clock.advanceSeconds(frm->session().timeLimit() + 1);
    frm->updateClock();
    const QString waiting = u"他のコンピューターが成績を記録しています。しばらくお待ちください。"_s;
    // Two waits for the lock, then the drill's own second before the result.
    QCOMPARE(noticeAtWait, (QStringList{waiting, waiting, QString()}));
    QCOMPARE(f.test.pause.waits, (QList<int>{1000, 1000, 1000}));
    QCOMPARE(f.results().size(), 1);
    QVERIFY(qobject_cast<ResultScreen *>(f.host->currentScreen()));
    QVERIFY(f.host->findChild<QLabel *>(QString::fromLatin1(HostControls::OtherCopyNotice))->isHidden());
}

QTEST_MAIN(TestDrillScreen)
#include "tst_drillscreen.moc"

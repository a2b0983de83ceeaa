#include <QTest>

#include <algorithm>

#include "state/appstate.h"
#include "state/startup.h"
#include "drill/drillsession.h"
#include "store/resultsfile.h"
#include "store/tallies.h"
#include "support/resultfiles.h"
#include "support/schoolfolder.h"
#include "support/testplatform.h"

using namespace Qt::StringLiterals;

using Phase = DrillSession::Phase;
using Verdict = DrillSession::Verdict;
using Action = AnswerEntry::Action;

class TestDrillSession : public QObject
{
    Q_OBJECT

private slots:
    void wholeSessionWithoutAWindow();
};

// The subtraction level of the demo school from the first key to the
// recording, one second per problem, two of them answered wrong first.
void TestDrillSession::wholeSessionWithoutAWindow()
{
    SchoolFolder school;
    TestPlatform test;
    AppState state;
    QVERIFY(!Startup::LoadStartupData(state, school.layout().programFolder).failed());
    Startup::SetUpLevelCatalogue(state);
    ResultFiles::write(ResultsFile::pathIn(state.DataFolder), {});
    state.StudentNumber = 7;
    QVERIFY(ComputeTallies(state, test.platform));
    const auto tick = [&test] { return test.clock.tickCount(); };

    DrillSession session(state, test.platform, 2);
    session.reset();
    session.loadLevel();
    QCOMPARE(session.phase(), Phase::Ready);
    QCOMPARE(session.characterKey(u'5'), Action::None);
    session.start(tick());
    QCOMPARE(session.phase(), Phase::Answering);

    int shown = 0;
    int wrong = 0;
    for (ProblemDrawing::Next next = session.nextProblem(tick()); !next.sessionComplete;
         next = session.nextProblem(tick())) {
        QVERIFY2(++shown <= 110, "the session does not end");
        test.clock.advanceMs(1000);
        session.updateElapsed(tick());
        QVERIFY(!session.endIfTimeUp());
        const int answer = next.face.FirstOperand - next.face.SecondOperand;
        const bool answerWrong = shown % 50 == 5;
        const QString typed = QString::number(answerWrong ? answer + 1 : answer);
        for (QChar digit : typed)
            QCOMPARE(session.characterKey(digit), Action::TextChanged);
        QCOMPARE(session.characterKey(u' '), Action::Judge);
        QCOMPARE(session.judge(tick()), answerWrong ? Verdict::Wrong : Verdict::Right);
        QCOMPARE(session.phase(), Phase::Judging);
        // Keys wait for the cue.
        QCOMPARE(session.characterKey(u'+'), Action::None);
        session.finishJudging();
        QCOMPARE(session.phase(), Phase::Answering);
        if (!answerWrong)
            continue;
        ++wrong;
        // Subtraction shows as many blocks as the answer, and a red "=".
        QCOMPARE(int(std::count(session.blocks().cbegin(), session.blocks().cend(), true)), answer);
        QVERIFY(session.redEqualsShown());
        QCOMPARE(session.characterKey(u'+'), Action::None);
        QCOMPARE(session.characterKey(u'+'), Action::Confirm);
        session.finishConfirming();
        QVERIFY(session.entry().text().isEmpty());
    }
    QCOMPARE(wrong, 2);
    QCOMPARE(shown, 102);
    QCOMPARE(session.correctAnswers(), 100);
    QCOMPARE(session.remaining(), 0);
    QCOMPARE(session.phase(), Phase::AllDone);
    QCOMPARE(session.characterKey(u'1'), Action::None);

    QVERIFY(session.beginEnding());
    QVERIFY(!session.beginEnding());
    QVERIFY(session.allDone() && !session.timedOut());
    QVERIFY(session.record());
    QCOMPARE(session.outcome().resultTime, 102);
    QCOMPARE(session.outcome().end, SessionEnd::Finished);
    const QByteArray results = ResultFiles::read(ResultsFile::pathIn(state.DataFolder));
    QCOMPARE(results.size(), ResultRecordLength);
}

QTEST_GUILESS_MAIN(TestDrillSession)
#include "tst_drillsession.moc"

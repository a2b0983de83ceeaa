#pragma once

#include <QChar>
#include <QtGlobal>

#include <memory>
#include <vector>

#include "drill/answerentry.h"
#include "drill/countingblocks.h"
#include "drill/problemdrawing.h"
#include "drill/problemlists.h"
#include "drill/sessionclock.h"
#include "result/sessionoutcome.h"

class LevelStatistics;
struct LevelStandard;
struct AppState;
struct Platform;

// One drill session of the problems of a level, without a window: what
// keys count, how an answer is judged and booked, when the session is over.
// The screen shows what this decides and plays the cues; times come in as
// ticks of the platform clock so a test can move them.
class DrillSession final
{
public:
    enum class Phase {
        Ready,     // the start panel shows; the clock has not started
        Answering, // a problem is shown and keys count
        Judging,   // an answer is judged and its cue plays; a time-out waits
        AllDone,   // every problem has been answered right
        TimeUp,    // the time limit came first
        Ending,    // the session is being recorded; nothing more happens
    };

    // Of the last answer judged; None before the first.
    enum class Verdict { None, Right, Wrong };

    DrillSession(AppState &state, Platform &platform, int level);
    ~DrillSession();

    // A fresh session of the level: nothing typed, the start panel's turn.
    void reset();
    // The problem table and its statistics for the level; no problem is
    // done yet.
    void loadLevel();
    // The two lists of weak problems of the start panel.
    ProblemLists::Lists problemLists() const;

    void start(qint64 tick);

    // Draws the next problem and empties the answer. When all problems are
    // done the statistics are saved and the phase becomes AllDone.
    ProblemDrawing::Next nextProblem(qint64 tick);

    // A character key; Action::None whenever keys do not count.
    AnswerEntry::Action characterKey(QChar key);
    // Return and the arrow keys empty the answer whatever the phase.
    void clearAnswer() { m_entry.clear(); }

    // Judges the typed answer and books it on the problem: the time spent,
    // the right or wrong count, and after a wrong answer the blocks and the
    // "+" "+" acknowledgement. Phase Judging until finishJudging().
    Verdict judge(qint64 tick);
    void finishJudging();
    // "+" "+" after a wrong answer: the typed answer goes.
    void finishConfirming() { m_entry.finishConfirming(); }

    // Seconds since start(), also kept in the outcome for the recording.
    qint32 updateElapsed(qint64 tick);
    bool limitReached() const;
    // At the limit an answering session is over by time; a judgement in
    // progress is left to finish. True when the session ended now.
    bool endIfTimeUp();

    // False when the session is already ending: it is recorded only once.
    bool beginEnding();
    // The result time and the results file; false when the program ends.
    bool record();
    // How the session went; complete once record() has returned true.
    const SessionOutcome &outcome() const { return m_outcome; }
    int level() const { return m_outcome.level; }

    Phase phase() const { return m_phase; }
    Verdict verdict() const { return m_verdict; }
    bool timedOut() const { return m_outcome.end == SessionEnd::TimedOut; }
    bool allDone() const { return m_phase == Phase::AllDone || (m_phase == Phase::Ending && !timedOut()); }

    // The standard of the level, held inside the level table.
    const LevelStandard &levelStandard() const;
    qint32 timeLimit() const { return m_timeLimit; }
    int correctAnswers() const { return m_correctAnswers; }
    int remaining() const { return m_drawing.problemCount() - m_correctAnswers; }
    const AnswerEntry &entry() const { return m_entry; }
    const ProblemDrawing &drawing() const { return m_drawing; }
    int expectedAnswer() const { return m_drawing.expectedAnswer(); }
    const CountingBlocks::Visibility &blocks() const { return m_blocks; }
    // Subtraction marks its correction with a red "=" until the next problem.
    bool redEqualsShown() const { return m_redEquals; }

private:
    AppState &m_state;
    Platform &m_platform;
    ProblemDrawing m_drawing;
    std::unique_ptr<LevelStatistics> m_statistics;
    AnswerEntry m_entry;
    SessionClock m_clock;
    CountingBlocks::Visibility m_blocks{};
    Phase m_phase = Phase::Ready;
    Verdict m_verdict = Verdict::None;
    bool m_redEquals = false;
    qint32 m_timeLimit = 0;
    int m_correctAnswers = 0;
    qint64 m_problemShownTick = 0;
    SessionOutcome m_outcome;
};

#include "drill/drillsession.h"

#include <algorithm>

#include "state/appstate.h"
#include "app/textnumber.h"
#include "app/timescore.h"
#include "drill/drillproblem.h"
#include "drill/problemstat.h"
#include "platform/platform.h"
#include "result/recordsession.h"

DrillSession::DrillSession(AppState &state, Platform &platform, int level)
    : m_state(state)
    , m_platform(platform)
    , m_drawing(platform.random, platform.clock)
{
    m_outcome.level = level;
}

DrillSession::~DrillSession() = default;

void DrillSession::reset()
{
    m_phase = Phase::Ready;
    m_verdict = Verdict::None;
    const int level = m_outcome.level;
    m_outcome = {};
    m_outcome.level = level;
    m_entry.reset();
    m_timeLimit = SessionTiming::timeLimit(levelStandard().MinimumTime);
}

const LevelStandard &DrillSession::levelStandard() const
{
    return m_state.LevelStandards[std::size_t(std::clamp<int>(m_outcome.level, 0, LevelRowCount - 1))];
}

void DrillSession::loadLevel()
{
    m_drawing.clearDone();
    m_drawing.setUpCodes();
    m_statistics = std::make_unique<LevelStatistics>(m_state.DataFolder, m_state.StudentNumber, m_outcome.level,
                                                     m_platform.dialogs);
    m_statistics->load(m_drawing.problems());
}

ProblemLists::Lists DrillSession::problemLists() const
{
    return ProblemLists::build(m_outcome.level, m_drawing.problems(), m_drawing.problemCount());
}

void DrillSession::start(qint64 tick)
{
    m_clock.start(tick);
    m_phase = Phase::Answering;
}

ProblemDrawing::Next DrillSession::nextProblem(qint64 tick)
{
    m_entry.clear();
    m_redEquals = false;
    ProblemDrawing::Next next = m_drawing.drawNext(m_outcome.level);
    if (next.sessionComplete) {
        if (m_statistics)
            m_statistics->save(m_drawing.problems());
        m_phase = Phase::AllDone;
        return next;
    }
    m_problemShownTick = tick;
    return next;
}

AnswerEntry::Action DrillSession::characterKey(QChar key)
{
    if (!AnswerEntry::accepting(m_phase == Phase::Ready, timedOut(), allDone(), m_phase == Phase::Judging))
        return AnswerEntry::Action::None;
    return m_entry.characterKey(key);
}

DrillSession::Verdict DrillSession::judge(qint64 tick)
{
    if (m_phase != Phase::Answering)
        return Verdict::None;
    m_phase = Phase::Judging;
    // "1+" counts as 1: only the leading number of the typed text is judged.
    const double value = TextNumber::leadingNumber(m_entry.text());
    m_verdict = value == m_drawing.expectedAnswer() ? Verdict::Right : Verdict::Wrong;

    DrillProblem &problem = m_drawing.current();
    problem.TotalTime += SessionTiming::secondsBetween(m_problemShownTick, tick);
    if (m_verdict == Verdict::Right) {
        problem.CorrectCount += 1;
        problem.Done = true;
        m_correctAnswers += 1;
        m_entry.clear();
        return m_verdict;
    }
    m_entry.startConfirming();
    problem.WrongCount += 1;
    if (std::find(m_outcome.missedCodes.begin(), m_outcome.missedCodes.end(), problem.Code)
        == m_outcome.missedCodes.end())
        m_outcome.missedCodes.push_back(problem.Code);
    if (const std::optional<ProblemFace> face = ProblemSet::faceOf(m_outcome.level, problem.Code)) {
        m_redEquals = m_outcome.level == ProblemSet::SubtractionLevel;
        m_blocks = CountingBlocks::afterWrongAnswer(m_outcome.level, face->FirstOperand, face->SecondOperand, m_blocks);
    }
    return m_verdict;
}

void DrillSession::finishJudging()
{
    if (m_phase == Phase::Judging)
        m_phase = Phase::Answering;
}

qint32 DrillSession::updateElapsed(qint64 tick)
{
    m_outcome.elapsedSeconds = m_clock.elapsedSeconds(tick);
    return m_outcome.elapsedSeconds;
}

bool DrillSession::limitReached() const
{
    return SessionTiming::limitReached(m_outcome.elapsedSeconds, m_timeLimit);
}

bool DrillSession::endIfTimeUp()
{
    if (m_phase != Phase::Answering || !limitReached())
        return false;
    m_phase = Phase::TimeUp;
    m_outcome.end = SessionEnd::TimedOut;
    return true;
}

bool DrillSession::beginEnding()
{
    if (m_phase == Phase::Ending)
        return false;
    m_phase = Phase::Ending;
    return true;
}

bool DrillSession::record()
{
    m_outcome.resultTime = m_outcome.end == SessionEnd::TimedOut ? TimeScore::NoTime : m_outcome.elapsedSeconds;
    return RecordSession(m_state, m_platform, m_outcome);
}

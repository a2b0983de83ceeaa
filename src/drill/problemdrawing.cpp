#include "drill/problemdrawing.h"

#include "platform/clock.h"
#include "platform/random.h"

namespace {

// A generator stuck on used problems must not freeze the drill; after this
// many draws the next free problem is taken instead.
constexpr int MaxDraws = 10000;

} // namespace

ProblemDrawing::ProblemDrawing(Random &random, Clock &clock)
    : m_random(random)
    , m_clock(clock)
{
    setUpCodes();
}

void ProblemDrawing::clearDone()
{
    for (int i = 1; i <= MaxProblemCount; ++i)
        m_problems[std::size_t(i)].Done = false;
}

void ProblemDrawing::setUpCodes()
{
    m_problemCount = MaxProblemCount;
    for (int i = 1; i <= MaxProblemCount; ++i)
        m_problems[std::size_t(i)].Code = i - 1;
}

int ProblemDrawing::countWhere(bool DrillProblem::*field) const
{
    int count = 0;
    for (int i = 1; i <= m_problemCount; ++i)
        count += m_problems[std::size_t(i)].*field ? 1 : 0;
    return count;
}

void ProblemDrawing::startNewPass()
{
    for (int i = 1; i <= m_problemCount; ++i)
        m_problems[std::size_t(i)].Used = m_problems[std::size_t(i)].Done;
}

int ProblemDrawing::draw()
{
    int k = 1;
    for (int tries = 0; tries < MaxDraws; ++tries) {
        k = m_random.pick(m_problemCount);
        if (!m_problems[std::size_t(k)].Used)
            return k;
    }
    for (int step = 0; step < m_problemCount; ++step) {
        const int i = (k - 1 + step) % m_problemCount + 1;
        if (!m_problems[std::size_t(i)].Used)
            return i;
    }
    return k;
}

ProblemDrawing::Next ProblemDrawing::drawNext(int level)
{
    const int used = countWhere(&DrillProblem::Used);
    if (countWhere(&DrillProblem::Done) >= m_problemCount)
        return Next{true, m_current, {}, {}};
    if (used >= m_problemCount)
        startNewPass();

    m_current = draw();
    DrillProblem &problem = m_problems[std::size_t(m_current)];
    problem.Used = true;

    Next next;
    next.CurrentProblem = m_current;
    next.history = ProblemLists::historyOf(problem);
    next.face = ProblemSet::faceOf(level, problem.Code).value_or(ProblemFace{});
    m_expectedAnswer = next.face.ExpectedAnswer;
    m_shownAt = static_cast<float>(m_clock.secondsSinceMidnight());
    return next;
}

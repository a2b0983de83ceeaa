#pragma once

#include "drill/drillproblem.h"
#include "drill/problemlists.h"

class Clock;
class Random;

// The problem table of a session and the drawing of the next problem: the
// end test, new passes, the draw and the texts to show. The session keeps
// the guards (ended, judging) and the screen does the showing.
class ProblemDrawing final
{
public:
    ProblemDrawing(Random &random, Clock &clock);

    struct Next
    {
        // All problems are done: save, stop the clock and end the session.
        bool sessionComplete = false;
        int CurrentProblem = 0;
        ProblemFace face;
        ProblemLists::History history;
    };

    // A new session: no problem is done yet.
    void clearDone();
    // A fresh table for a level: 100 problems, problem i has code i - 1.
    void setUpCodes();
    // Reports the session complete once every problem is done; otherwise a new
    // pass starts when all were used, and an unused problem is drawn and marked.
    Next drawNext(int level);

    DrillProblemTable &problems() { return m_problems; }
    const DrillProblemTable &problems() const { return m_problems; }
    DrillProblem &current() { return m_problems[std::size_t(m_current)]; }
    int problemCount() const { return m_problemCount; }
    int currentProblem() const { return m_current; }
    int expectedAnswer() const { return m_expectedAnswer; }
    // Seconds since midnight when the current problem was shown.
    float problemShownAt() const { return m_shownAt; }

private:
    int countWhere(bool DrillProblem::*field) const;
    void startNewPass();
    int draw();

    Random &m_random;
    Clock &m_clock;
    DrillProblemTable m_problems{};
    int m_problemCount = MaxProblemCount;
    int m_current = 0;
    int m_expectedAnswer = 0;
    float m_shownAt = 0;
};

#pragma once

#include "drill/drillproblem.h"
#include "drill/problemlists.h"

class Clock;
class Random;

// The drill screen's problem table and the model half of 問題作成表示: the
// end test, new passes, the draw and the texts to show. The screen keeps the
// guards (session ended, recording, judging) and does the showing.
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

    // When the screen becomes active: no problem is done yet.
    void clearDone();
    // First step of レベル別設定: 100 problems, problem i has code i - 1.
    void setUpCodes();
    // Steps 3 to 9 of 問題作成表示 for `level`.
    Next 問題作成表示(int level);

    DrillProblemTable &problems() { return m_problems; }
    const DrillProblemTable &problems() const { return m_problems; }
    DrillProblem &current() { return m_problems[m_current]; }
    int ProblemCount() const { return m_problemCount; }
    int CurrentProblem() const { return m_current; }
    int ExpectedAnswer() const { return m_expectedAnswer; }
    // Seconds since midnight when the current problem was shown.
    float ProblemShownAt() const { return m_shownAt; }

private:
    int countWhere(int DrillProblem::*field) const;
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

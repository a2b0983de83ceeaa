#pragma once

#include <QFrame>

#include <vector>

#include "drill/countingblocks.h"
#include "drill/problemdrawing.h"

class NoticeLabel;
class QLabel;
class QLayout;

// The problem in large type with the typed answer beside it, the key help,
// the correction after a wrong answer with its counting blocks, and the
// problem's history from earlier sessions.
class ProblemArea final : public QFrame
{
    Q_OBJECT

public:
    explicit ProblemArea(QWidget *parent = nullptr);

    // Read from a child's seat: the problem grows with the screen's height.
    void fitToHeight(int screenHeight);

    // Between two problems: no first operand, no answer, no red "=".
    void clearProblem();
    void showProblem(const ProblemDrawing::Next &next);
    void showAnswer(const QString &text);
    void showCorrection(int correctAnswer, bool redEquals, const CountingBlocks::Visibility &blocks);
    // Once the wrong answer's cue has ended: the correction and what to press
    // are said aloud as well.
    void announcePrompt();
    // "+" "+" was pressed: the correction goes, the blocks stay.
    void hideCorrection();

private:
    QLayout *buildProblemRow();
    QLayout *buildHelpRow();
    QLayout *buildCorrectionRow();
    QLayout *buildBlocks();
    QLayout *buildHistoryRow();

    QLabel *m_first = nullptr;
    QLabel *m_operator = nullptr;
    QLabel *m_second = nullptr;
    QLabel *m_equals = nullptr;
    QLabel *m_answer = nullptr;
    NoticeLabel *m_spoken = nullptr;
    QLabel *m_redEquals = nullptr;
    QLabel *m_correctAnswer = nullptr;
    NoticeLabel *m_prompt = nullptr;
    // Blocks 1..20; element 0 stays empty.
    std::vector<QLabel *> m_blocks;
    QLabel *m_tries = nullptr;
    QLabel *m_mistakes = nullptr;
    QLabel *m_average = nullptr;
};

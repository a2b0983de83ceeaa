#pragma once

#include <QChar>
#include <QString>

#include <optional>

// The typed answer and the "+" "+" acknowledgement of a wrong answer.
// Character keys and the clearing keys (Return, arrows) are kept apart
// because they reach the screen as different events with different rules.
class AnswerEntry final
{
public:
    static constexpr int MaxLength = 3;

    // What the screen has to do after a character key.
    enum class Action {
        None,        // ignored, or only the confirmation stage moved
        TextChanged, // show text()
        Judge,       // space: judge text()
        Warn,        // the answer is full: play the warning sound
        Confirm,     // "+" twice: the wrong answer is acknowledged
    };

    enum class Stage {
        Answering,
        AwaitingPlus,       // a wrong answer waits for the first "+"
        AwaitingSecondPlus, // the first "+" has been pressed
    };

    // Whether character keys count at all: not while the start panel shows,
    // after a time-out, once everything is done, or while judging.
    static bool accepting(bool startPanelShown, bool timedOut, bool allDone, bool judging)
    {
        return !startPanelShown && !timedOut && !allDone && !judging;
    }

    Action characterKey(QChar key);
    // Return and the arrow keys: in every state.
    void clear() { m_text.clear(); }

    // A wrong answer was judged: from now on keys count towards "+" "+".
    void startConfirming() { m_confirmStage = Stage::AwaitingPlus; }
    // The acknowledgement has been carried out.
    void finishConfirming();
    void reset();

    const QString &text() const { return m_text; }
    Stage confirmStage() const { return m_confirmStage; }

private:
    Action answeringKey(QChar key);

    QString m_text;
    Stage m_confirmStage = Stage::Answering;
};

namespace DrillKeys {

// Return, Enter and the four arrow keys clear the answer.
bool isClearingKey(int qtKey);
// The character a key press delivers, if any: modifier keys alone deliver
// none, Return delivers a carriage return like any other character key.
std::optional<QChar> characterOf(int qtKey, const QString &text);

} // namespace DrillKeys

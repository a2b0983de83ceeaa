#include "drill/answerentry.h"

#include <Qt>

namespace {

constexpr char16_t Backspace = 8;
constexpr char16_t Space = 32;
// "*" up to "9": the digits and the characters * + , - . /
constexpr char16_t FirstAccepted = 42;
constexpr char16_t LastAccepted = 57;

} // namespace

AnswerEntry::Action AnswerEntry::characterKey(QChar key)
{
    if (m_confirmStage == Stage::Answering)
        return answeringKey(key);
    if (key != u'+') {
        m_confirmStage = Stage::AwaitingPlus;
        return Action::None;
    }
    if (m_confirmStage == Stage::AwaitingPlus) {
        m_confirmStage = Stage::AwaitingSecondPlus;
        return Action::None;
    }
    return Action::Confirm;
}

AnswerEntry::Action AnswerEntry::answeringKey(QChar key)
{
    const char16_t code = key.unicode();
    if (code == Space)
        return Action::Judge;
    if (code == Backspace) {
        if (m_text.isEmpty())
            return Action::None;
        m_text.chop(1);
        return Action::TextChanged;
    }
    if (m_text.size() >= MaxLength)
        return Action::Warn;
    if (code < FirstAccepted || code > LastAccepted)
        return Action::None;
    m_text.append(key);
    return Action::TextChanged;
}

void AnswerEntry::finishConfirming()
{
    m_confirmStage = Stage::Answering;
    m_text.clear();
}

void AnswerEntry::reset()
{
    m_confirmStage = Stage::Answering;
    m_text.clear();
}

namespace DrillKeys {

bool isClearingKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

std::optional<QChar> characterOf(int qtKey, const QString &text)
{
    if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter)
        return QChar(u'\r');
    if (qtKey == Qt::Key_Backspace)
        return QChar(Backspace);
    if (text.isEmpty())
        return std::nullopt;
    return text.front();
}

} // namespace DrillKeys

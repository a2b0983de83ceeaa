#include "support/testplatform.h"

FakeClock::FakeClock(QDateTime start)
    : m_now(std::move(start))
{
}

void FakeClock::advanceMs(qint64 ms)
{
    m_now = m_now.addMSecs(ms);
    m_ticks += ms;
}

double ScriptedRandom::next()
{
    if (m_values.isEmpty())
        return fallback;
    return m_values.takeFirst();
}

DialogAnswer RecordingDialogs::ask(DialogIcon icon, const QString &title, const QString &text, DialogButtons buttons)
{
    shown.append({icon, title, text, buttons});
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    return buttons == DialogButtons::YesNo || buttons == DialogButtons::YesNoCancel ? DialogAnswer::Yes
                                                                                    : DialogAnswer::Ok;
}

QStringList RecordingDialogs::texts() const
{
    QStringList out;
    for (const ShownDialog &dialog : shown)
        out.append(dialog.text);
    return out;
}

bool RecordingLauncher::start(const QString &program_, const QStringList &arguments_, QString *error)
{
    ++calls;
    program = program_;
    arguments = arguments_;
    if (!succeed && error)
        *error = QStringLiteral("not found");
    return succeed;
}

SoundResult RecordingSoundPlayer::playAndWait(const QString &path)
{
    played.append(path);
    if (!m_results.isEmpty())
        return m_results.takeFirst();
    return fallback;
}

void RecordingPause::wait(int milliseconds)
{
    waits.append(milliseconds);
    inputHeld.append(false);
    if (onWait)
        onWait(milliseconds);
}

void RecordingPause::waitHoldingInput(int milliseconds)
{
    wait(milliseconds);
    inputHeld.last() = true;
}

#pragma once

#include <QBuffer>

#include <memory>

#include "platform/soundplayer.h"

class QAudioSink;

// Plays through Qt Multimedia's default audio output. The wait ends at the
// file's own duration plus a small margin, never on the backend's end signal,
// which can arrive seconds late; the last sound is left to drain and is
// stopped only when the next one starts.
class QtSoundPlayer final : public SoundPlayer
{
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;

    SoundResult playAndWait(const QString &path) override;

    static constexpr int EndMarginMs = 15;

private:
    void releaseLast();
    SoundResult deviceFailure();

    std::unique_ptr<QAudioSink> m_sink;
    std::unique_ptr<QBuffer> m_buffer;
    bool m_waiting = false;
};

#pragma once

#include <QHash>
#include <QList>

#include <memory>

#include "platform/soundplayer.h"
#include "platform/wavfile.h"

struct PulseWorker;

// Plays through the PulseAudio sound server and returns once the server has
// drained the stream, that is once the last sample has been played, not
// merely handed over: a cue is never cut by the next one.
//
// Each cue is handed to the server whole before the wait, so no delay on a
// busy PC can break it; underruns() counts the times the server still ran
// dry before a cue's last sample.
//
// A worker thread owns one low-latency stream per sample format and keeps
// it connected for the whole run: a server whose sink has no stream runs
// with a latency of up to seconds, and a freshly connected stream would
// wait that out. preload() connects the stream of a file's format ahead of
// the first play. While the worker plays, the screen waits in a loop that
// holds keys and clicks back; a device that stops answering is given up
// after the sound's length plus StuckAfterMs, and what it still owes is
// never played late.
//
// Sound files are read once and kept, so an answer costs no file access on
// a school's network share; a file changed meanwhile is read at the next start.
class PulseSoundPlayer final : public SoundPlayer
{
public:
    PulseSoundPlayer();
    ~PulseSoundPlayer() override;

    SoundResult playAndWait(const QString &path) override;
    void preload(const QString &path) override;
    int underruns() const;

    static constexpr int StuckAfterMs = 3000;

private:
    const WavFile *sound(const QString &path, SoundResult *failure);

    QHash<QString, WavFile> m_sounds;
    QList<QByteArray> m_formatsAsked;
    std::shared_ptr<PulseWorker> m_worker;
    bool m_waiting = false;
};

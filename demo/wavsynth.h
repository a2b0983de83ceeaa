#pragma once

#include <QByteArray>
#include <QList>

// Short generated sound cues, so the demo school needs no binary files.
namespace WavSynth {

struct Note
{
    double frequency; // Hz; 0 is a rest
    int milliseconds;
    double volume = 0.5; // 0..1
    bool square = false; // a buzzier square wave instead of a sine
};

// 16-bit mono PCM at 22 050 Hz, each note with a short fade in and out.
QByteArray render(const QList<Note> &notes);

} // namespace WavSynth

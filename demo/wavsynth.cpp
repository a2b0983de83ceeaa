#include "demo/wavsynth.h"

#include <QtEndian>

#include <cmath>
#include <numbers>

namespace {

constexpr int SampleRate = 22050;

void appendLe32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

void appendLe16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

} // namespace

namespace WavSynth {

QByteArray render(const QList<Note> &notes)
{
    QByteArray pcm;
    for (const Note &note : notes) {
        const int count = SampleRate * note.milliseconds / 1000;
        const int fade = std::min(count / 4, SampleRate / 100);
        for (int i = 0; i < count; ++i) {
            double value = 0.0;
            if (note.frequency > 0) {
                const double phase = 2 * std::numbers::pi * note.frequency * i / SampleRate;
                value = note.square ? (std::sin(phase) >= 0 ? 0.6 : -0.6) : std::sin(phase);
                // A gentle decay makes the tones sound like a chime, not a test signal.
                value *= std::exp(-2.5 * i / double(count));
            }
            double envelope = 1.0;
            if (i < fade)
                envelope = double(i) / fade;
            else if (i > count - fade)
                envelope = double(count - i) / fade;
            const auto sample = static_cast<qint16>(value * envelope * note.volume * 32767);
            appendLe16(pcm, static_cast<quint16>(sample));
        }
    }
    QByteArray wav("RIFF");
    appendLe32(wav, 36 + pcm.size());
    wav.append("WAVEfmt ");
    appendLe32(wav, 16);
    appendLe16(wav, 1); // PCM
    appendLe16(wav, 1); // mono
    appendLe32(wav, SampleRate);
    appendLe32(wav, SampleRate * 2);
    appendLe16(wav, 2);
    appendLe16(wav, 16);
    wav.append("data");
    appendLe32(wav, pcm.size());
    wav.append(pcm);
    return wav;
}

} // namespace WavSynth

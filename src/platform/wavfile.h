#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The parts of a RIFF/WAVE file a player needs. Only uncompressed PCM and
// IEEE float data are accepted.
struct WavFile
{
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    bool isFloat = false;
    QByteArray samples;

    qint64 durationMs() const;

    // nullopt with a reason in `error` for a missing, unreadable or broken file.
    static std::optional<WavFile> read(const QString &path, QString *error);
    static std::optional<WavFile> parse(const QByteArray &bytes, QString *error);
};

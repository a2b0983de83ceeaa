#include "platform/ui/qtsoundplayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaDevices>
#include <QTimer>

#include "platform/wavfile.h"

namespace {

QAudioFormat formatOf(const WavFile &wav)
{
    QAudioFormat format;
    format.setSampleRate(wav.sampleRate);
    format.setChannelCount(wav.channels);
    if (wav.isFloat)
        format.setSampleFormat(QAudioFormat::Float);
    else if (wav.bitsPerSample == 8)
        format.setSampleFormat(QAudioFormat::UInt8);
    else if (wav.bitsPerSample == 16)
        format.setSampleFormat(QAudioFormat::Int16);
    else
        format.setSampleFormat(QAudioFormat::Int32);
    return format;
}

SoundResult failure(int code, const QString &text)
{
    return {code, text};
}

// An underrun only means the buffer ran dry, which is how every sound ends.
bool hasFailed(const QAudioSink &sink)
{
    return sink.error() != QAudio::NoError && sink.error() != QAudio::UnderrunError;
}

} // namespace

QtSoundPlayer::QtSoundPlayer() = default;

QtSoundPlayer::~QtSoundPlayer()
{
    releaseLast();
}

SoundResult QtSoundPlayer::deviceFailure()
{
    const int code = static_cast<int>(m_sink->error());
    releaseLast();
    return failure(SoundError::DeviceFailed, QStringLiteral("音声出力装置のエラーです（%1）。").arg(code));
}

void QtSoundPlayer::releaseLast()
{
    if (m_sink)
        m_sink->stop();
    m_sink.reset();
    m_buffer.reset();
}

SoundResult QtSoundPlayer::playAndWait(const QString &path)
{
    // A timer running inside the wait must not cut the sound being waited for.
    if (m_waiting)
        return failure(SoundError::DeviceFailed, QStringLiteral("ほかの音を再生中です。"));
    releaseLast();
    if (!QFileInfo(path).isFile())
        return failure(SoundError::FileNotFound,
                       QStringLiteral("指定されたファイルが見つかりません。（%1）").arg(path));
    QString reason;
    const auto wav = WavFile::read(path, &reason);
    if (!wav)
        return failure(SoundError::NotPlayable, QStringLiteral("%1（%2）").arg(reason, path));

    // Without a server Qt still reports "playing" forever, so ask first.
    if (QMediaDevices::audioOutputs().isEmpty())
        return failure(SoundError::NoOutputDevice, QStringLiteral("音声出力装置がありません。"));
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    const QAudioFormat format = formatOf(*wav);
    if (device.isNull() || !device.isFormatSupported(format))
        return failure(SoundError::NotPlayable,
                       QStringLiteral("音声出力装置がこの形式を再生できません。（%1）").arg(path));

    m_buffer = std::make_unique<QBuffer>();
    m_buffer->setData(wav->samples);
    m_buffer->open(QIODevice::ReadOnly);
    m_sink = std::make_unique<QAudioSink>(device, format);

    QEventLoop loop;
    QTimer cap;
    cap.setSingleShot(true);
    cap.setTimerType(Qt::PreciseTimer);
    QObject::connect(&cap, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(m_sink.get(), &QAudioSink::stateChanged, &loop, [&loop, this](QAudio::State state) {
        if (state == QAudio::StoppedState && hasFailed(*m_sink))
            loop.quit();
    });
    m_sink->start(m_buffer.get());
    if (hasFailed(*m_sink))
        return deviceFailure();
    cap.start(static_cast<int>(wav->durationMs()) + EndMarginMs);
    m_waiting = true;
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    m_waiting = false;

    if (hasFailed(*m_sink))
        return deviceFailure();
    return {};
}

#include "platform/ui/pulsesoundplayer.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

// Short enough that the drain ends right after the last sample, long enough
// for a busy classroom PC not to run dry in the middle of a cue.
constexpr pa_usec_t LatencyUs = 20000;

SoundResult failure(int code, const QString &text)
{
    return {code, text};
}

std::optional<pa_sample_spec> sampleFormatOf(const WavFile &wav)
{
    pa_sample_spec sampleFormat{};
    sampleFormat.rate = static_cast<uint32_t>(wav.sampleRate);
    sampleFormat.channels = static_cast<uint8_t>(std::clamp(wav.channels, 0, 255));
    if (wav.isFloat)
        sampleFormat.format = wav.bitsPerSample == 32 ? PA_SAMPLE_FLOAT32LE : PA_SAMPLE_INVALID;
    else if (wav.bitsPerSample == 8)
        sampleFormat.format = PA_SAMPLE_U8;
    else if (wav.bitsPerSample == 16)
        sampleFormat.format = PA_SAMPLE_S16LE;
    else if (wav.bitsPerSample == 24)
        sampleFormat.format = PA_SAMPLE_S24LE;
    else if (wav.bitsPerSample == 32)
        sampleFormat.format = PA_SAMPLE_S32LE;
    else
        sampleFormat.format = PA_SAMPLE_INVALID;
    if (wav.channels < 1 || wav.channels > int(PA_CHANNELS_MAX) || !pa_sample_spec_valid(&sampleFormat))
        return std::nullopt;
    return sampleFormat;
}

QByteArray keyOf(const pa_sample_spec &sampleFormat)
{
    return QByteArray::number(int(sampleFormat.format)) + ':' + QByteArray::number(sampleFormat.rate) + ':'
           + QByteArray::number(sampleFormat.channels);
}

// One connection to the sound server in one sample format.
struct Stream
{
    pa_sample_spec sampleFormat{};
    pa_simple *connection = nullptr;

    ~Stream()
    {
        if (connection)
            pa_simple_free(connection);
    }
};

} // namespace

// One play, or with no samples only the connection of its format; shared by
// the waiting screen and the worker.
struct PlayJob
{
    pa_sample_spec sampleFormat{};
    QByteArray samples;
    SoundResult result;
    std::atomic<bool> done{false};
    // Set by a screen that gave up waiting: the worker skips the job.
    std::atomic<bool> cancelled{false};
    // Touched on the screen's thread only.
    QPointer<QEventLoop> waiting;
};

// The worker's queue and streams. Shared with the thread, which is let go
// rather than joined at the end: it may be stuck in a dead device.
struct PulseWorker
{
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::shared_ptr<PlayJob>> queue;
    bool stopping = false;
    std::vector<std::unique_ptr<Stream>> streams;

    void add(std::shared_ptr<PlayJob> job)
    {
        {
            const std::lock_guard lock(mutex);
            queue.push_back(std::move(job));
        }
        wake.notify_one();
    }

    static void run(const std::shared_ptr<PulseWorker> &self)
    {
        for (;;) {
            std::shared_ptr<PlayJob> job;
            {
                std::unique_lock lock(self->mutex);
                self->wake.wait(lock, [&] { return self->stopping || !self->queue.empty(); });
                if (self->stopping)
                    return;
                job = std::move(self->queue.front());
                self->queue.pop_front();
            }
            if (!job->cancelled.load(std::memory_order_acquire))
                self->perform(*job);
            finish(job);
        }
    }

    void perform(PlayJob &job)
    {
        Stream *stream = streamFor(job.sampleFormat, job.result);
        if (!stream || job.samples.isEmpty())
            return;
        int error = 0;
        if (pa_simple_write(stream->connection, job.samples.constData(), std::size_t(job.samples.size()), &error) < 0
            || pa_simple_drain(stream->connection, &error) < 0) {
            job.result = failure(SoundError::DeviceFailed, QStringLiteral("音声出力装置のエラーです（%1）。")
                                                               .arg(QString::fromUtf8(pa_strerror(error))));
            std::erase_if(streams, [stream](const auto &s) { return s.get() == stream; });
        }
    }

    Stream *streamFor(const pa_sample_spec &sampleFormat, SoundResult &result)
    {
        for (const auto &stream : streams) {
            if (pa_sample_spec_equal(&stream->sampleFormat, &sampleFormat))
                return stream.get();
        }
        auto stream = std::make_unique<Stream>();
        stream->sampleFormat = sampleFormat;
        pa_buffer_attr attr;
        attr.maxlength = static_cast<uint32_t>(-1);
        attr.tlength = static_cast<uint32_t>(pa_usec_to_bytes(LatencyUs, &sampleFormat));
        attr.prebuf = static_cast<uint32_t>(-1);
        attr.minreq = static_cast<uint32_t>(-1);
        attr.fragsize = static_cast<uint32_t>(-1);
        int error = 0;
        stream->connection = pa_simple_new(nullptr, "kazudori", PA_STREAM_PLAYBACK, nullptr, "cue", &sampleFormat, nullptr,
                                           &attr, &error);
        if (!stream->connection) {
            result = failure(SoundError::NoOutputDevice, QStringLiteral("音声出力装置がありません。（%1）")
                                                             .arg(QString::fromUtf8(pa_strerror(error))));
            return nullptr;
        }
        streams.push_back(std::move(stream));
        return streams.back().get();
    }

    static void finish(const std::shared_ptr<PlayJob> &job)
    {
        job->done.store(true, std::memory_order_release);
        QCoreApplication *app = QCoreApplication::instance();
        if (!app)
            return;
        QMetaObject::invokeMethod(
            app,
            [job] {
                if (job->waiting)
                    job->waiting->quit();
            },
            Qt::QueuedConnection);
    }
};

PulseSoundPlayer::PulseSoundPlayer()
    : m_worker(std::make_shared<PulseWorker>())
{
    std::thread(PulseWorker::run, m_worker).detach();
}

PulseSoundPlayer::~PulseSoundPlayer()
{
    {
        const std::lock_guard lock(m_worker->mutex);
        m_worker->stopping = true;
    }
    m_worker->wake.notify_one();
}

const WavFile *PulseSoundPlayer::sound(const QString &path, SoundResult *failed)
{
    const auto known = m_sounds.constFind(path);
    if (known != m_sounds.cend())
        return &known.value();
    if (!QFileInfo(path).isFile()) {
        *failed = failure(SoundError::FileNotFound, QStringLiteral("指定されたファイルが見つかりません。（%1）").arg(path));
        return nullptr;
    }
    QString reason;
    auto wav = WavFile::read(path, &reason);
    if (!wav) {
        *failed = failure(SoundError::NotPlayable, QStringLiteral("%1（%2）").arg(reason, path));
        return nullptr;
    }
    return &m_sounds.insert(path, std::move(*wav)).value();
}

void PulseSoundPlayer::preload(const QString &path)
{
    SoundResult ignored;
    const WavFile *wav = sound(path, &ignored);
    const std::optional<pa_sample_spec> sampleFormat = wav ? sampleFormatOf(*wav) : std::nullopt;
    if (!sampleFormat || m_formatsAsked.contains(keyOf(*sampleFormat)))
        return;
    m_formatsAsked.append(keyOf(*sampleFormat));
    auto job = std::make_shared<PlayJob>();
    job->sampleFormat = *sampleFormat;
    m_worker->add(std::move(job));
}

SoundResult PulseSoundPlayer::playAndWait(const QString &path)
{
    // A timer running inside the wait must not start a second sound.
    if (m_waiting)
        return failure(SoundError::DeviceFailed, QStringLiteral("ほかの音を再生中です。"));
    SoundResult result;
    const WavFile *wav = sound(path, &result);
    if (!wav)
        return result;
    const std::optional<pa_sample_spec> sampleFormat = sampleFormatOf(*wav);
    if (!sampleFormat)
        return failure(SoundError::NotPlayable, QStringLiteral("音声出力装置がこの形式を再生できません。（%1）").arg(path));

    auto job = std::make_shared<PlayJob>();
    job->sampleFormat = *sampleFormat;
    job->samples = wav->samples;
    QEventLoop loop;
    job->waiting = &loop;
    QTimer stuck;
    stuck.setSingleShot(true);
    QObject::connect(&stuck, &QTimer::timeout, &loop, &QEventLoop::quit);
    stuck.start(static_cast<int>(wav->durationMs()) + StuckAfterMs);
    m_worker->add(job);
    m_waiting = true;
    if (!job->done.load(std::memory_order_acquire))
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    m_waiting = false;

    if (!job->done.load(std::memory_order_acquire)) {
        job->cancelled.store(true, std::memory_order_release);
        return failure(SoundError::DeviceFailed, QStringLiteral("音声出力装置が応答しません。"));
    }
    return job->result;
}

#include "platform/ui/pulsesoundplayer.h"

#include <pulse/error.h>
#include <pulse/pulseaudio.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

// The stream's own latency: the drain ends this long after the last sample.
// The cue itself never waits on it, because the whole cue is handed to the
// server at once: a worker thread delayed by a busy PC cannot starve it.
constexpr pa_usec_t LatencyUs = 20000;

SoundResult failure(int code, const QString &text)
{
    return {code, text};
}

QString serverText(pa_context *context)
{
    return QString::fromUtf8(pa_strerror(context ? pa_context_errno(context) : PA_ERR_CONNECTIONREFUSED));
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

// One playback stream in one sample format, kept for the whole run.
struct Stream
{
    pa_sample_spec sampleFormat{};
    pa_stream *stream = nullptr;
    // Bytes handed over in the stream's life: the server's write index.
    int64_t written = 0;
    std::atomic<int> *underruns = nullptr;

    ~Stream()
    {
        if (stream) {
            pa_stream_set_underflow_callback(stream, nullptr, nullptr);
            pa_stream_disconnect(stream);
            pa_stream_unref(stream);
        }
    }

    // The stream runs dry at the end of every cue; only running dry before
    // the last sample handed over is a gap a child hears.
    static void onUnderflow(pa_stream *stream, void *self)
    {
        auto *me = static_cast<Stream *>(self);
        const int64_t at = pa_stream_get_underflow_index(stream);
        if (at >= 0 && at < me->written)
            me->underruns->fetch_add(1, std::memory_order_relaxed);
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

// The worker's queue, its connection to the server and the streams. Shared
// with the thread, which is let go rather than joined at the end: it may be
// stuck in a dead device.
struct PulseWorker
{
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::shared_ptr<PlayJob>> queue;
    bool stopping = false;
    std::atomic<int> underruns{0};

    // Below: the worker thread's own, touched under the main loop's lock.
    pa_threaded_mainloop *mainLoop = nullptr;
    pa_context *context = nullptr;
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
        self->mainLoop = pa_threaded_mainloop_new();
        if (self->mainLoop)
            pa_threaded_mainloop_start(self->mainLoop);
        for (;;) {
            std::shared_ptr<PlayJob> job;
            {
                std::unique_lock lock(self->mutex);
                self->wake.wait(lock, [&] { return self->stopping || !self->queue.empty(); });
                if (self->stopping)
                    break;
                job = std::move(self->queue.front());
                self->queue.pop_front();
            }
            if (!job->cancelled.load(std::memory_order_acquire))
                self->perform(*job);
            finish(job);
        }
        self->shutDown();
    }

    static void signal(void *mainLoop)
    {
        pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop *>(mainLoop), 0);
    }
    static void signalStream(pa_stream *, void *mainLoop) { signal(mainLoop); }
    static void signalContext(pa_context *, void *mainLoop) { signal(mainLoop); }
    static void signalRequest(pa_stream *, size_t, void *mainLoop) { signal(mainLoop); }

    // Waits on the main loop (its lock held) until `settled` holds.
    void waitUntil(const std::function<bool()> &settled)
    {
        while (!settled())
            pa_threaded_mainloop_wait(mainLoop);
    }

    void perform(PlayJob &job)
    {
        if (!mainLoop) {
            job.result = failure(SoundError::NoOutputDevice, QStringLiteral("音声出力装置がありません。"));
            return;
        }
        pa_threaded_mainloop_lock(mainLoop);
        Stream *stream = streamFor(job.sampleFormat, job.result);
        if (stream && !job.samples.isEmpty() && !play(*stream, job.samples)) {
            job.result = failure(SoundError::DeviceFailed,
                                 QStringLiteral("音声出力装置のエラーです（%1）。").arg(serverText(context)));
            dropConnection();
        }
        pa_threaded_mainloop_unlock(mainLoop);
    }

    // Hands the whole cue over, then waits for the server's drain: the
    // moment its last sample has been played.
    bool play(Stream &stream, const QByteArray &samples)
    {
        // More than the server asks for is allowed, up to its buffer's whole
        // length; only a cue longer than that goes in as the server asks.
        const pa_buffer_attr *attr = pa_stream_get_buffer_attr(stream.stream);
        std::size_t beyondRequest = attr ? attr->maxlength : 0;
        const char *next = samples.constData();
        std::size_t left = std::size_t(samples.size());
        while (left > 0) {
            const std::size_t requested = pa_stream_writable_size(stream.stream);
            if (requested == std::size_t(-1))
                return false;
            const std::size_t chunk = std::min(left, std::max(beyondRequest, requested));
            beyondRequest = 0;
            if (chunk == 0) {
                if (!streamUsable(stream))
                    return false;
                pa_threaded_mainloop_wait(mainLoop);
                continue;
            }
            if (pa_stream_write(stream.stream, next, chunk, nullptr, 0, PA_SEEK_RELATIVE) < 0)
                return false;
            stream.written += int64_t(chunk);
            next += chunk;
            left -= chunk;
        }
        drainSucceeded = false;
        return await(pa_stream_drain(stream.stream, drained, this)) && drainSucceeded;
    }

    bool drainSucceeded = false;
    static void drained(pa_stream *, int success, void *self)
    {
        auto *me = static_cast<PulseWorker *>(self);
        me->drainSucceeded = success != 0;
        signal(me->mainLoop);
    }

    bool await(pa_operation *operation)
    {
        if (!operation)
            return false;
        waitUntil([&] { return pa_operation_get_state(operation) != PA_OPERATION_RUNNING; });
        const bool completed = pa_operation_get_state(operation) == PA_OPERATION_DONE;
        pa_operation_unref(operation);
        return completed;
    }

    bool streamUsable(const Stream &stream) const
    {
        return pa_context_get_state(context) == PA_CONTEXT_READY
               && pa_stream_get_state(stream.stream) == PA_STREAM_READY;
    }

    bool connectContext()
    {
        if (context && pa_context_get_state(context) == PA_CONTEXT_READY)
            return true;
        dropConnection();
        context = pa_context_new(pa_threaded_mainloop_get_api(mainLoop), "kazudori");
        if (!context)
            return false;
        pa_context_set_state_callback(context, signalContext, mainLoop);
        if (pa_context_connect(context, nullptr, PA_CONTEXT_NOFLAGS, nullptr) < 0)
            return false;
        waitUntil([&] {
            const pa_context_state_t state = pa_context_get_state(context);
            return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
        });
        return pa_context_get_state(context) == PA_CONTEXT_READY;
    }

    Stream *streamFor(const pa_sample_spec &sampleFormat, SoundResult &result)
    {
        if (!connectContext()) {
            result = failure(SoundError::NoOutputDevice,
                             QStringLiteral("音声出力装置がありません。（%1）").arg(serverText(context)));
            return nullptr;
        }
        for (const auto &stream : streams) {
            if (pa_sample_spec_equal(&stream->sampleFormat, &sampleFormat))
                return stream.get();
        }
        auto stream = std::make_unique<Stream>();
        stream->sampleFormat = sampleFormat;
        stream->underruns = &underruns;
        stream->stream = pa_stream_new(context, "cue", &sampleFormat, nullptr);
        if (!stream->stream || !connectStream(*stream)) {
            result = failure(SoundError::NoOutputDevice,
                             QStringLiteral("音声出力装置がありません。（%1）").arg(serverText(context)));
            return nullptr;
        }
        streams.push_back(std::move(stream));
        return streams.back().get();
    }

    bool connectStream(Stream &stream)
    {
        pa_stream_set_state_callback(stream.stream, signalStream, mainLoop);
        pa_stream_set_write_callback(stream.stream, signalRequest, mainLoop);
        pa_stream_set_underflow_callback(stream.stream, Stream::onUnderflow, &stream);
        pa_buffer_attr attr;
        attr.maxlength = static_cast<uint32_t>(-1);
        attr.tlength = static_cast<uint32_t>(pa_usec_to_bytes(LatencyUs, &stream.sampleFormat));
        attr.prebuf = static_cast<uint32_t>(-1);
        attr.minreq = static_cast<uint32_t>(-1);
        attr.fragsize = static_cast<uint32_t>(-1);
        if (pa_stream_connect_playback(stream.stream, nullptr, &attr, PA_STREAM_ADJUST_LATENCY, nullptr, nullptr) < 0)
            return false;
        waitUntil([&] {
            const pa_stream_state_t state = pa_stream_get_state(stream.stream);
            return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
        });
        return pa_stream_get_state(stream.stream) == PA_STREAM_READY;
    }

    void dropConnection()
    {
        streams.clear();
        if (context) {
            pa_context_set_state_callback(context, nullptr, nullptr);
            pa_context_disconnect(context);
            pa_context_unref(context);
            context = nullptr;
        }
    }

    void shutDown()
    {
        if (!mainLoop)
            return;
        pa_threaded_mainloop_lock(mainLoop);
        dropConnection();
        pa_threaded_mainloop_unlock(mainLoop);
        pa_threaded_mainloop_stop(mainLoop);
        pa_threaded_mainloop_free(mainLoop);
        mainLoop = nullptr;
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
        *failed =
            failure(SoundError::FileNotFound, QStringLiteral("指定されたファイルが見つかりません。（%1）").arg(path));
        return nullptr;
    }
    QString reason;
    auto wav = WavFile::read(path, &reason);
    if (!wav) {
        *failed = failure(SoundError::NotPlayable, QStringLiteral("%1（%2）").arg(reason, path));
        return nullptr;
    }
    return &m_sounds.emplace(path, std::move(*wav)).value();
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
        return failure(SoundError::NotPlayable,
                       QStringLiteral("音声出力装置がこの形式を再生できません。（%1）").arg(path));

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

int PulseSoundPlayer::underruns() const
{
    return m_worker->underruns.load(std::memory_order_relaxed);
}

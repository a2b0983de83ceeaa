// From "play" to the end of the output's playback (the player returns when
// the server has drained the stream), beyond the sound's own duration, on a
// silent PulseAudio sink.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include "demo/demoschool.h"
#include "platform/ui/pulsesoundplayer.h"
#include "platform/wavfile.h"
#include "support/nullsinkserver.h"

namespace {

QString g_soundFolder;

void playAndWaitOverhead(benchmark::State &state, const char *file)
{
    const QString path = g_soundFolder + QString::fromUtf8(file);
    const auto wav = WavFile::read(path, nullptr);
    if (!wav) {
        state.SkipWithError("demo sound missing");
        return;
    }
    // As in the program: the player's stream is connected before the first
    // drill, so the idle sink's long latency is not part of any answer.
    PulseSoundPlayer player;
    player.preload(path);
    player.playAndWait(path);
    double overheadMs = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const SoundResult result = player.playAndWait(path);
        const double elapsedMs = clock.nsecsElapsed() / 1e6;
        if (!result.ok()) {
            state.SkipWithError(result.errorText.toUtf8().constData());
            return;
        }
        overheadMs += elapsedMs - double(wav->durationMs());
        state.SetIterationTime(elapsedMs / 1000.0);
    }
    state.counters["sound_ms"] = double(wav->durationMs());
    state.counters["overhead_ms"] = benchmark::Counter(overheadMs, benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK_CAPTURE(playAndWaitOverhead, correct_chime, "pinpon.wav")
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(playAndWaitOverhead, warning_beep, "警告1.wav")
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(playAndWaitOverhead, fanfare, "合格.wav")
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    NullSinkServer server;
    QString reason;
    if (!server.start(&reason)) {
        fprintf(stderr, "no PulseAudio server: %s\n", qPrintable(reason));
        return 1;
    }
    QTemporaryDir school;
    QString error;
    if (!DemoSchool::create(school.path(), &error)) {
        fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    g_soundFolder = DemoSchool::layoutOf(school.path()).soundFolder;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

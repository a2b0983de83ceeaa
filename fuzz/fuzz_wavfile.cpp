// The WAV reader the sound player loads every cue with.
#include <cstdio>
#include <cstdlib>

#include "fuzzschool.h"
#include "platform/wavfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzSchool &school = FuzzSchool::instance();
    const QString path = school.layout().soundFolder + QStringLiteral("fuzz.wav");
    FuzzSchool::write(path, data, size);

    QString error;
    const std::optional<WavFile> wav = WavFile::read(path, &error);
    if (!wav)
        return 0;
    // The player caps every wait by this duration, so it must be a real one.
    if (wav->samples.size() > qsizetype(size) || wav->durationMs() < 0) {
        std::fprintf(stderr, "impossible sound: %lld bytes, %lld ms\n", static_cast<long long>(wav->samples.size()),
                     static_cast<long long>(wav->durationMs()));
        std::abort();
    }
    return 0;
}

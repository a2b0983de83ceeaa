// The sound cue list "新音ファイル.txt": loaded as start-up loads it, then
// every cue picked, preloaded and played through the recording player.
#include "fuzzschool.h"
#include "sound/soundcues.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzSchool &school = FuzzSchool::instance();
    school.forgetRun();
    AppState &state = school.state();
    Platform &platform = school.platform();
    FuzzSchool::write(school.layout().soundFolder + QString::fromUtf8(SoundCues::ListFileName), data, size);

    // A cue the list leaves out keeps what the table held: start from an empty table.
    state.SoundCues = SoundCueTable{};
    state.SoundErrorCount = 0;
    QString error;
    if (!LoadSoundCues(state, &error))
        return 0;
    preloadSoundCues(state, platform);
    // The first and the last of each cue's alternatives.
    for (double draw : {0.0, 0.999999}) {
        school.doubles().random.fallback = draw;
        for (int cue = 0; cue <= SoundCueCount + 1; ++cue)
            (void)SoundCues::pickFile(state.SoundCues, cue, platform.random);
        (void)PlayCorrectCue(state, platform);
        (void)PlayWrongCue(state, platform);
        PlayPersonalRecordCue(state, platform);
        PlayPassCue(state, platform);
    }
    return 0;
}

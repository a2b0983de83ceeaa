#pragma once

#include <QString>

#include <array>

struct AppState;
struct Platform;
class Random;
class ValueStream;

inline constexpr int SoundCueCount = 10;
inline constexpr int SoundCueAlternatives = 20;
// Slot 0 is the cue's name, 1..20 its files, 21 the number of files as text.
inline constexpr int SoundCueCountSlot = 21;
using SoundCueTable = std::array<std::array<QString, SoundCueCountSlot + 1>, SoundCueCount + 1>;

namespace SoundCues {

inline constexpr auto ListFileName = "新音ファイル.txt";
inline constexpr int CorrectCue = 2;
inline constexpr int WrongCue = 4;
inline constexpr int PersonalRecordCue = 8;
inline constexpr int PassCue = 10;

// The cue names in slot 0 of cues 1..10; the file entries stay as they are.
void setCueNames(SoundCueTable &cues);

// Reads cue blocks (name, up to 20 file names, "*") from a value stream.
void readCueList(SoundCueTable &cues, ValueStream &stream);

// The file to play for `cue`, drawn with `random` among its alternatives;
// empty when the list gives the cue no file.
QString pickFile(const SoundCueTable &cues, int cue, Random &random);

} // namespace SoundCues

// Sets the names and reads SoundFolder & "新音ファイル.txt". False with the
// reason in `error` when the list cannot be read; the names are set anyway.
bool LoadSoundCues(AppState &state, QString *error);

// Hands every listed cue file and the fixed sounds to the player ahead of
// the first drill, so that answers cost no file access.
void preloadSoundCues(const AppState &state, Platform &platform);

// Each returns when the sound has ended or failed. The two answer cues return
// false once the program has been ended; the caller then returns at once.
[[nodiscard]] bool PlayCorrectCue(AppState &state, Platform &platform);
[[nodiscard]] bool PlayWrongCue(AppState &state, Platform &platform);
void PlayPersonalRecordCue(AppState &state, Platform &platform);
void PlayPassCue(AppState &state, Platform &platform);
void PlayClassRecordSound(AppState &state, Platform &platform);
void PlayLevelClearSound(AppState &state, Platform &platform);
void PlayWarningSound(AppState &state, Platform &platform);

#pragma once

#include <QString>

// What one play-and-wait gave: code 0 is success, anything else a failure
// with a text a teacher can read.
struct SoundResult
{
    int code = 0;
    QString errorText;
    bool ok() const { return code == 0; }
};

// Synchronous sound output: plays a .wav file and returns when it has ended
// or failed. Keys typed meanwhile are handled after the return.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual SoundResult playAndWait(const QString &path) = 0;
    // Reads a sound ahead of its first play, where the player keeps sounds.
    virtual void preload(const QString &path) { Q_UNUSED(path); }
};

// Failure codes shared by every player.
namespace SoundError {
inline constexpr int FileNotFound = 275;
inline constexpr int NotPlayable = 277;
inline constexpr int NoOutputDevice = 296;
inline constexpr int DeviceFailed = 298;
inline constexpr int NotListed = 1001;
} // namespace SoundError

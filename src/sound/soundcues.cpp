#include "sound/soundcues.h"

#include <QStringList>

#include "state/appstate.h"
#include "app/textnumber.h"
#include "app/valuestream.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/programend.h"
#include "platform/random.h"
#include "platform/soundplayer.h"

namespace {

constexpr int AnswerSoundFailuresPassed = 3;
constexpr int SoundFailureExitCode = 3;

void readBlock(std::array<QString, SoundCueCountSlot + 1> &cue, ValueStream &stream)
{
    for (int slot = 1; slot <= SoundCueAlternatives && !stream.atEnd(); ++slot) {
        const QString value = stream.next();
        if (value == u"*") {
            cue[SoundCueCountSlot] = QString::number(slot - 1);
            return;
        }
        cue[std::size_t(slot)] = value;
    }
}

const std::array<const char16_t *, 3> FixedSounds{u"最高1", u"合格", u"警告1"};

QString soundPath(const AppState &state, const QString &fileName)
{
    return state.SoundFolder + fileName + QStringLiteral(".wav");
}

SoundResult play(AppState &state, Platform &platform, const QString &fileName)
{
    if (!platform.sound)
        return {SoundError::NoOutputDevice, QStringLiteral("音声出力装置がありません。")};
    return platform.sound->playAndWait(soundPath(state, fileName));
}

SoundResult playCue(AppState &state, Platform &platform, int cue)
{
    const QString file = SoundCues::pickFile(state.SoundCues, cue, platform.random);
    // Playing "<folder>.wav" could only fail; say which list entry is missing.
    if (file.isEmpty()) {
        return {SoundError::NotListed,
                QStringLiteral("「%1」の音が%2にありません。")
                    .arg(state.SoundCues[std::size_t(cue)][0], QString::fromUtf8(SoundCues::ListFileName))};
    }
    return play(state, platform, file);
}

// A silent answer leaves the student without feedback, so the fourth failure
// over the program's life stops the drill for the teacher.
bool playAnswerCue(AppState &state, Platform &platform, int cue)
{
    const SoundResult result = playCue(state, platform, cue);
    if (result.ok())
        return true;
    if (state.SoundErrorCount < AnswerSoundFailuresPassed) {
        ++state.SoundErrorCount;
        return true;
    }
    platform.dialogs.ask(DialogIcon::Critical, QStringLiteral("音声エラー"),
                         QStringLiteral("音声がでません。先生を呼びなさい。\r\n%1").arg(result.errorText),
                         DialogButtons::Ok);
    platform.programEnd.endProgram(SoundFailureExitCode);
    return false;
}

} // namespace

namespace SoundCues {

void setCueNames(SoundCueTable &cues)
{
    static const QStringList names{QStringLiteral("正解音1"),     QStringLiteral("正解音2"),
                                   QStringLiteral("間違い音1"),   QStringLiteral("間違い音2"),
                                   QStringLiteral("最高音1"),     QStringLiteral("最高音2"),
                                   QStringLiteral("自己最高音1"), QStringLiteral("自己最高音2"),
                                   QStringLiteral("自己最高音3"), QStringLiteral("不合格音1")};
    for (int cue = 1; cue <= SoundCueCount; ++cue)
        cues[std::size_t(cue)][0] = names[cue - 1];
}

void readCueList(SoundCueTable &cues, ValueStream &stream)
{
    while (!stream.atEnd()) {
        const QString value = stream.next();
        for (int cue = 1; cue <= SoundCueCount; ++cue) {
            if (cues[std::size_t(cue)][0] == value) {
                readBlock(cues[std::size_t(cue)], stream);
                break;
            }
        }
    }
}

QString pickFile(const SoundCueTable &cues, int cue, Random &random)
{
    if (cue < 1 || cue > SoundCueCount)
        return QString();
    const auto count = TextNumber::toWhole(cues[std::size_t(cue)][SoundCueCountSlot], 0, SoundCueAlternatives);
    if (count < 1)
        return QString();
    return cues[std::size_t(cue)][std::size_t(random.pick(static_cast<int>(count)))];
}

} // namespace SoundCues

bool LoadSoundCues(AppState &state, QString *error)
{
    SoundCues::setCueNames(state.SoundCues);
    auto stream = ValueStream::fromFile(state.SoundFolder + QString::fromUtf8(SoundCues::ListFileName), error);
    if (!stream)
        return false;
    SoundCues::readCueList(state.SoundCues, *stream);
    return true;
}

bool PlayCorrectCue(AppState &state, Platform &platform)
{
    return playAnswerCue(state, platform, SoundCues::CorrectCue);
}

bool PlayWrongCue(AppState &state, Platform &platform)
{
    return playAnswerCue(state, platform, SoundCues::WrongCue);
}

void PlayPersonalRecordCue(AppState &state, Platform &platform)
{
    playCue(state, platform, SoundCues::PersonalRecordCue);
}

void PlayPassCue(AppState &state, Platform &platform)
{
    playCue(state, platform, SoundCues::PassCue);
}

void preloadSoundCues(const AppState &state, Platform &platform)
{
    if (!platform.sound)
        return;
    for (int cue = 1; cue <= SoundCueCount; ++cue) {
        const auto count =
            TextNumber::toWhole(state.SoundCues[std::size_t(cue)][SoundCueCountSlot], 0, SoundCueAlternatives);
        for (int slot = 1; slot <= count; ++slot)
            platform.sound->preload(soundPath(state, state.SoundCues[std::size_t(cue)][std::size_t(slot)]));
    }
    for (const char16_t *fixed : FixedSounds)
        platform.sound->preload(soundPath(state, QString::fromUtf16(fixed)));
}

void PlayClassRecordSound(AppState &state, Platform &platform)
{
    play(state, platform, QString::fromUtf16(FixedSounds[0]));
}

void PlayLevelClearSound(AppState &state, Platform &platform)
{
    play(state, platform, QString::fromUtf16(FixedSounds[1]));
}

void PlayWarningSound(AppState &state, Platform &platform)
{
    play(state, platform, QString::fromUtf16(FixedSounds[2]));
}

#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/filelock.h"
#include "platform/pause.h"
#include "platform/platform.h"
#include "platform/processlauncher.h"
#include "platform/programend.h"
#include "platform/random.h"
#include "platform/singleinstance.h"
#include "platform/soundplayer.h"

// A clock that stands still until a test moves it.
class FakeClock final : public Clock
{
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    QDateTime now() const override { return m_now; }
    qint64 tickCount() const override { return m_ticks; }
    void set(const QDateTime &when) { m_now = when; }
    void advanceMs(qint64 ms);
    void advanceSeconds(double seconds) { advanceMs(static_cast<qint64>(seconds * 1000)); }

private:
    QDateTime m_now;
    qint64 m_ticks = 1000000;
};

// Hands out scripted draws, then a fixed value.
class ScriptedRandom final : public Random
{
public:
    double next() override;
    void seed(quint32 value) override { seeds.append(value); }
    void script(QList<double> values) { m_values = std::move(values); }

    double fallback = 0.0;
    QList<quint32> seeds;

private:
    QList<double> m_values;
};

struct ShownDialog
{
    DialogIcon icon;
    QString title;
    QString text;
    DialogButtons buttons;
};

// Records every message box and answers from a script (default: Ok / Yes).
class RecordingDialogs final : public Dialogs
{
public:
    DialogAnswer ask(DialogIcon icon, const QString &title, const QString &text, DialogButtons buttons) override;
    void setNextAnswers(QList<DialogAnswer> answers) { m_answers = std::move(answers); }
    // The texts of the boxes shown, in order.
    QStringList texts() const;

    QList<ShownDialog> shown;

private:
    QList<DialogAnswer> m_answers;
};

class RecordingLauncher final : public ProcessLauncher
{
public:
    bool start(const QString &program, const QStringList &arguments, QString *error) override;

    bool succeed = true;
    QString program;
    QStringList arguments;
    int calls = 0;
};

class FakeSingleInstance final : public SingleInstance
{
public:
    bool acquire() override { return available; }
    bool available = true;
};

class RecordingProgramEnd final : public ProgramEnd
{
public:
    void endProgram(int exitCode) override
    {
        ended = true;
        code = exitCode;
    }
    bool ended = false;
    int code = 0;
};

// Records every path played; results come from a script, then `fallback`.
class RecordingSoundPlayer final : public SoundPlayer
{
public:
    SoundResult playAndWait(const QString &path) override;
    void preload(const QString &path) override { preloaded.append(path); }
    void script(QList<SoundResult> results) { m_results = std::move(results); }

    QStringList played;
    QStringList preloaded;
    SoundResult fallback;

private:
    QList<SoundResult> m_results;
};

// Records the waits instead of sleeping; `onWait` lets a test change the
// world while the program waits.
class RecordingPause final : public Pause
{
public:
    void wait(int milliseconds) override;
    void waitHoldingInput(int milliseconds) override;

    QList<int> waits;
    // For each wait: whether keys and clicks were held back during it.
    QList<bool> inputHeld;
    std::function<void(int)> onWait;
};

// All doubles wired into one Platform; the file lock is the real one, since
// other processes must see it.
struct TestPlatform
{
    FakeClock clock;
    ScriptedRandom random;
    RecordingDialogs dialogs;
    RecordingLauncher launcher;
    FakeSingleInstance singleInstance;
    RecordingProgramEnd programEnd;
    RecordingSoundPlayer sound;
    OsFileLock fileLock;
    RecordingPause pause;
    Platform platform{clock, random, dialogs, launcher, singleInstance, programEnd, &sound, &fileLock, &pause};
};

#pragma once

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <cstdlib>

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/filelock.h"
#include "platform/pause.h"
#include "platform/platform.h"
#include "platform/processlauncher.h"
#include "platform/programend.h"
#include "platform/random.h"
#include "platform/singleinstance.h"

// The real adapters, except that a message is printed instead of shown and
// an ending program aborts the benchmark: a measurement of a failed run is
// worth nothing.
class PrintingDialogs final : public Dialogs
{
public:
    DialogAnswer ask(DialogIcon, const QString &, const QString &text, DialogButtons) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        return DialogAnswer::Ok;
    }
};

class AbortingEnd final : public ProgramEnd
{
public:
    void endProgram(int) override { std::abort(); }
};

struct BenchPlatform
{
    SystemClock clock;
    SystemRandom random;
    PrintingDialogs dialogs;
    SystemProcessLauncher launcher;
    // Each school of a run is a copy of its own.
    LockFileSingleInstance singleInstance{QDir::temp().filePath(
        QStringLiteral("kazudori-bench-%1-%2.lock").arg(QCoreApplication::applicationPid()).arg(quintptr(this)))};
    AbortingEnd end;
    OsFileLock fileLock;
    EventLoopPause pause;
    Platform platform{clock, random, dialogs, launcher, singleInstance, end, nullptr, &fileLock, &pause};
};

// A copy of the program reduced to its single-copy check, for tests that need
// real processes: helper_singlecopy <lock file | "-" for the user's own> [hold]
// Prints every message box as "title|text", then "running" when it may run;
// with "hold" it then stays until killed.
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

#include "platform/singleinstance.h"
#include "roster/singlecopy.h"
#include "support/testplatform.h"

namespace {

class PrintingDialogs final : public Dialogs
{
public:
    DialogAnswer ask(DialogIcon, const QString &title, const QString &text, DialogButtons) override
    {
        QTextStream(stdout) << title << u'|' << text << Qt::endl;
        return DialogAnswer::Ok;
    }
};

class ExitingProgramEnd final : public ProgramEnd
{
public:
    void endProgram(int exitCode) override
    {
        std::fflush(stdout);
        std::exit(exitCode);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2)
        return 2;

    FakeClock clock;
    ScriptedRandom random;
    PrintingDialogs dialogs;
    RecordingLauncher launcher;
    LockFileSingleInstance singleInstance(args.at(1) == u"-" ? LockFileSingleInstance::defaultLockPath() : args.at(1));
    ExitingProgramEnd programEnd;
    Platform platform{clock, random, dialogs, launcher, singleInstance, programEnd};

    if (!SingleCopy::ensure(platform))
        return SingleCopy::ExitCode;
    QTextStream(stdout) << "running" << Qt::endl;
    return args.value(2) == u"hold" ? app.exec() : 0;
}

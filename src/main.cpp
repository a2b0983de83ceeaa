#include <QApplication>

#include "state/appstate.h"
#include "host/mainwindow.h"
#include "platform/clock.h"
#include "platform/filelock.h"
#include "platform/pause.h"
#include "platform/platform.h"
#include "platform/processlauncher.h"
#include "platform/random.h"
#include "platform/singleinstance.h"
#include "platform/ui/applicationend.h"
#include "platform/ui/messageboxdialogs.h"
#include "platform/ui/pulsesoundplayer.h"
#include "platform/ui/qtjapanese.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QtJapanese::install(app);

    SystemClock clock;
    SystemRandom random;
    MessageBoxDialogs dialogs;
    SystemProcessLauncher launcher;
    LockFileSingleInstance singleInstance;
    ApplicationEnd programEnd;
    PulseSoundPlayer sound;
    OsFileLock fileLock;
    EventLoopPause pause;
    Platform platform{clock, random, dialogs, launcher, singleInstance, programEnd, &sound, &fileLock, &pause};

    AppState state;
    MainWindow host(state, platform, QCoreApplication::applicationDirPath());
    platform.waitNotice = &host;
    host.showSplash();
    const int loopExit = app.exec();
    return programEnd.exitCode().value_or(loopExit);
}

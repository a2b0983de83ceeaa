// Plays one file and prints "<code> <milliseconds>".
#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include "platform/ui/pulsesoundplayer.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    PulseSoundPlayer player;
    QElapsedTimer clock;
    clock.start();
    const SoundResult result = player.playAndWait(QString::fromLocal8Bit(argv[1]));
    QTextStream(stdout) << result.code << ' ' << clock.elapsed() << Qt::endl;
    return 0;
}

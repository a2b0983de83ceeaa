#include "platform/pause.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

void EventLoopPause::wait(int milliseconds)
{
    if (!QCoreApplication::instance()) {
        QThread::msleep(static_cast<unsigned long>(milliseconds));
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

#include "platform/pause.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

void EventLoopPause::wait(int milliseconds)
{
    run(milliseconds, QEventLoop::AllEvents);
}

void EventLoopPause::waitHoldingInput(int milliseconds)
{
    run(milliseconds, QEventLoop::ExcludeUserInputEvents);
}

void EventLoopPause::run(int milliseconds, QEventLoop::ProcessEventsFlags flags)
{
    if (!QCoreApplication::instance()) {
        QThread::msleep(static_cast<unsigned long>(milliseconds));
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(flags);
}

#include "support/windowsystemkeys.h"

#include <QWidget>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

void queueWindowSystemKey(QWidget *widget, int key, const QString &text)
{
    QWindow *window = widget->window()->windowHandle();
    QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
        window, QEvent::KeyPress, key, Qt::NoModifier, text);
    QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
        window, QEvent::KeyRelease, key, Qt::NoModifier, text);
}

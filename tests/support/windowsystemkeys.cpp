#include "support/windowsystemkeys.h"

#include <QWidget>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

void queueWindowSystemKey(QWidget *widget, int key, const QString &text)
{
    QWindow *window = widget->window()->windowHandle();
    QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(window, QEvent::KeyPress, key,
                                                                                         Qt::NoModifier, text);
    QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(window, QEvent::KeyRelease,
                                                                                         key, Qt::NoModifier, text);
}

void queueWindowSystemClick(QWidget *widget, bool twice)
{
    QWidget *top = widget->window();
    QWindow *window = top->windowHandle();
    const QPointF local = widget->mapTo(top, QPointF(widget->rect().center()));
    const QPointF global = top->mapToGlobal(local);
    for (int i = 0; i < (twice ? 2 : 1); ++i) {
        QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
            window, local, global, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
        QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
            window, local, global, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
    }
}

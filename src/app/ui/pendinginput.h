#pragma once

#include <QMetaObject>
#include <QObject>

#include <utility>

namespace PendingInput {

// Runs `then` from the event loop once the keys and clicks already waiting
// have been delivered: they reach the screen as it is now, in the state that
// ignores them, and never what `then` shows. A queued call can come before
// the window system's input of its turn of the loop; queued again from
// there, it comes after it.
template <typename Function>
void afterDelivered(QObject *context, Function then)
{
    QMetaObject::invokeMethod(
        context,
        [context, then = std::move(then)]() mutable {
            QMetaObject::invokeMethod(context, std::move(then), Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

} // namespace PendingInput

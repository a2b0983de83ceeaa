#pragma once

#include <QAccessible>
#include <QString>

// Gives every `Widget` the accessible interface `Interface` instead of Qt's
// own; installed once, by the first widget made.
template <typename Widget, typename Interface>
void installOwnAccessible()
{
    static const bool installed = [] {
        QAccessible::installFactory([](const QString &className, QObject *object) -> QAccessibleInterface * {
            if (className != QLatin1StringView(Widget::staticMetaObject.className()))
                return nullptr;
            auto *widget = qobject_cast<Widget *>(object);
            return widget ? new Interface(widget) : nullptr;
        });
        return true;
    }();
    Q_UNUSED(installed);
}

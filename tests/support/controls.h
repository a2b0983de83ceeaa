#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

// The control a screen carries under this objectName. A missing control
// ends the test at once rather than with a null pointer further on.
template <typename T>
T *control(const QObject *screen, const char *objectName)
{
    T *found = screen->findChild<T *>(QString::fromLatin1(objectName));
    if (!found)
        qFatal("no control named %s in %s", objectName, qPrintable(screen->objectName()));
    return found;
}

#pragma once

#include <QCoreApplication>
#include <QListWidget>
#include <QObject>
#include <QStringList>
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

// Element `index` of a control array, e.g. "Command4_3".
template <typename T>
T *element(const QObject *screen, const char *array, int index)
{
    return control<T>(screen, QByteArray(array).append('_').append(QByteArray::number(index)).constData());
}

// The lines of a list, as it shows them.
inline QStringList lines(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

// The first line of a list with `text` in it; -1 when there is none.
inline int rowContaining(const QListWidget *list, const QString &text)
{
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->text().contains(text))
            return row;
    }
    return -1;
}

// Lets the window system lay out and paint what is pending.
inline void settle()
{
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
}

// Saves a picture of `widget` once it has painted.
inline bool saveShot(QWidget &widget, const QString &path)
{
    settle();
    return widget.grab().save(path);
}

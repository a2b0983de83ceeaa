#pragma once

#include <QFont>
#include <QString>

// Small helpers the parts of the level menu share.
namespace MenuWidgets {

QFont pixelFont(QFont font, int pixels, bool bold = false);
// The largest pixel size, from `largest` down, in which `sample` fits `width`.
QFont fitted(QFont font, const QString &sample, int width, int largest);
// The objectName of element `index` of a control array: "Command4_3".
QString arrayName(const char *control, int index);

template <typename W>
W *named(W *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

} // namespace MenuWidgets

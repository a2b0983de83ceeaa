#pragma once

#include <QFont>
#include <QString>

// Small helpers of the screens that build their controls by hand.
namespace Controls {

// The control with its objectName set, for building and naming in one line.
template <typename W>
W *named(W *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

inline QFont sized(QFont font, int points, bool bold = false)
{
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

} // namespace Controls

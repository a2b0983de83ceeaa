#pragma once

#include <QFont>
#include <QLabel>
#include <QString>

#include <type_traits>

// Small helpers of the screens that build their controls by hand.
namespace Controls {

// The control with its objectName set, for building and naming in one line.
// A label shows its text as plain text: names and titles come from files the
// school writes, and a "<" in them must not turn into markup.
template <typename W>
W *named(W *widget, const QString &name)
{
    widget->setObjectName(name);
    if constexpr (std::is_base_of_v<QLabel, W>)
        widget->setTextFormat(Qt::PlainText);
    return widget;
}

inline QFont sized(QFont font, int points, bool bold = false)
{
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

} // namespace Controls

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

// Control names are Latin-1 constants that a screen and its tests share,
// one header per screen: `ResultControls::StudentName`.
template <typename W>
W *named(W *widget, const char *name)
{
    return named(widget, QString::fromLatin1(name));
}

// The objectName of element `index` of a control array: "Command4_3".
inline QString arrayName(const char *array, int index)
{
    return QString::fromLatin1(array) + u'_' + QString::number(index);
}

// The style-sheet selector of a control: "#Label11".
inline QString selector(const char *name)
{
    return u'#' + QString::fromLatin1(name);
}

inline QFont sized(QFont font, int points, bool bold = false)
{
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

} // namespace Controls

#pragma once

#include <QPointer>
#include <QWidget>

#include <vector>

// Sizes the fonts and the set sizes of a screen with the window, so that a
// full-screen drill on a large display is as readable from a child's seat
// as on a small one, and a small or scaled-up desktop (1366x768 at 150 %
// leaves 910x512) still shows the whole screen. Sizes given at
// construction are those for a 1024x768 window.
class ScreenScale final
{
public:
    // Remembers the current font size of every child of `screen`.
    void capture(QWidget *screen);
    // Applies the factor for a window of `size`.
    void apply(QSize size);
    // Changes the size of one widget's font at 768 pixels.
    void setPointSize(QWidget *widget, qreal points);

    static double factorFor(QSize size);

private:
    struct Entry
    {
        QPointer<QWidget> widget;
        qreal pointSize;
        int pixelSize;
        QSize fixedSize;
        QSize minimumSize;
    };
    std::vector<Entry> m_entries;
    double m_factor = 1.0;
};

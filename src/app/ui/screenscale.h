#pragma once

#include <QPointer>
#include <QWidget>

#include <vector>

// Grows the fonts of a screen with the height of the window, so that a
// full-screen drill on a large display is as readable from a child's seat
// as on a small one. Sizes given at construction are those for 768 pixels.
class ScreenScale final
{
public:
    // Remembers the current font size of every child of `screen`.
    void capture(QWidget *screen);
    // Applies the factor for a screen `height` pixels high.
    void apply(int height);
    // Changes the size of one widget's font at 768 pixels.
    void setPointSize(QWidget *widget, qreal points);

    static double factorFor(int height);

private:
    struct Entry
    {
        QPointer<QWidget> widget;
        qreal pointSize;
        QSize fixedSize;
    };
    std::vector<Entry> m_entries;
    double m_factor = 1.0;
};

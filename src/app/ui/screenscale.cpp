#include "app/ui/screenscale.h"

#include <algorithm>

#include "app/ui/screenstyle.h"

namespace {

constexpr double DesignWidth = 1024.0;
constexpr double DesignHeight = 768.0;
constexpr double SmallestFactor = 0.6;
constexpr double LargestFactor = 1.6;

} // namespace

void ScreenScale::capture(QWidget *screen)
{
    m_entries.clear();
    for (QWidget *child : screen->findChildren<QWidget *>()) {
        const bool fixed = child->minimumSize() == child->maximumSize();
        m_entries.push_back({child, child->font().pointSizeF(), child->font().pixelSize(),
                             fixed ? child->minimumSize() : QSize(), fixed ? QSize() : child->minimumSize()});
    }
}

double ScreenScale::factorFor(QSize size)
{
    return std::clamp(std::min(size.width() / DesignWidth, size.height() / DesignHeight), SmallestFactor,
                      LargestFactor);
}

void ScreenScale::apply(QSize size)
{
    const double factor = factorFor(size);
    if (qFuzzyCompare(factor, m_factor))
        return;
    m_factor = factor;
    for (const Entry &entry : m_entries) {
        if (!entry.widget)
            continue;
        QFont font = entry.widget->font();
        if (entry.pointSize > 0) {
            font.setPointSizeF(entry.pointSize * factor);
            entry.widget->setFont(font);
        } else if (entry.pixelSize > 0) {
            const int pixels = qRound(entry.pixelSize * factor);
            font.setPixelSize(font.styleHint() == QFont::TypeWriter ? ScreenStyle::columnPixels(pixels) : pixels);
            entry.widget->setFont(font);
        }
        if (entry.fixedSize.isValid())
            entry.widget->setFixedSize(entry.fixedSize * factor);
        else if (!entry.minimumSize.isNull())
            entry.widget->setMinimumSize(entry.minimumSize * factor);
    }
}

void ScreenScale::setPointSize(QWidget *widget, qreal points)
{
    for (Entry &entry : m_entries) {
        if (entry.widget == widget)
            entry.pointSize = points;
    }
    QFont font = widget->font();
    font.setPointSizeF(points * m_factor);
    widget->setFont(font);
}

#include "app/ui/screenscale.h"

#include <algorithm>

namespace {

constexpr double DesignHeight = 768.0;
constexpr double LargestFactor = 1.6;

} // namespace

void ScreenScale::capture(QWidget *screen)
{
    m_entries.clear();
    for (QWidget *child : screen->findChildren<QWidget *>()) {
        const bool fixed = child->minimumSize() == child->maximumSize();
        m_entries.push_back({child, child->font().pointSizeF(), fixed ? child->minimumSize() : QSize()});
    }
}

double ScreenScale::factorFor(int height)
{
    return std::clamp(height / DesignHeight, 1.0, LargestFactor);
}

void ScreenScale::apply(int height)
{
    const double factor = factorFor(height);
    if (qFuzzyCompare(factor, m_factor))
        return;
    m_factor = factor;
    for (const Entry &entry : m_entries) {
        if (!entry.widget)
            continue;
        if (entry.pointSize > 0) {
            QFont font = entry.widget->font();
            font.setPointSizeF(entry.pointSize * factor);
            entry.widget->setFont(font);
        }
        if (entry.fixedSize.isValid())
            entry.widget->setFixedSize(entry.fixedSize * factor);
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

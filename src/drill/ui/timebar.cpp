#include "drill/ui/timebar.h"

#include <QPainter>

#include "drill/sessionclock.h"
#include "drill/ui/drillcontrols.h"

TimeBar::TimeBar(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QString::fromLatin1(DrillControls::TimeBar));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMinimumHeight(36);
    setAccessibleName(QStringLiteral("タイム"));
}

void TimeBar::setScale(qint32 timeLimit, qint32 targetTime, qint32 minimumTime)
{
    m_limit = timeLimit;
    m_target = targetTime;
    m_minimum = minimumTime;
    m_elapsed = 0;
    m_full = false;
    describe();
    update();
}

void TimeBar::setElapsed(qint32 seconds)
{
    m_elapsed = seconds;
    m_full = false;
    describe();
    update();
}

void TimeBar::fill()
{
    m_full = true;
    describe();
    update();
}

int TimeBar::barWidth(double seconds) const
{
    return SessionTiming::barWidth(seconds, m_limit, width());
}

int TimeBar::elapsedWidth() const
{
    return m_full ? width() : barWidth(m_elapsed);
}

void TimeBar::describe()
{
    setAccessibleDescription(QStringLiteral("%1秒／目標%2秒／最低%3秒／時間切れ%4秒")
                                 .arg(m_elapsed)
                                 .arg(m_target)
                                 .arg(m_minimum)
                                 .arg(m_limit));
}

void TimeBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int h = height();
    const int half = h / 2;
    painter.fillRect(rect(), QColor(225, 225, 225));
    // The marks on the upper half, the running time on the lower half, so
    // that none hides the others.
    painter.fillRect(0, 0, minimumWidth(), half, QColor(255, 190, 90));
    painter.fillRect(0, 0, targetWidth(), half, QColor(110, 200, 110));
    painter.fillRect(0, half, elapsedWidth(), h - half, QColor(40, 90, 200));
    painter.setPen(QPen(QColor(60, 60, 60), 2));
    for (int x : {targetWidth(), minimumWidth()})
        painter.drawLine(x, 0, x, h);
    painter.setPen(QColor(120, 120, 120));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

#pragma once

#include <QWidget>

// The session's time bar: the whole width stands for the time limit; the
// target, the lowest passing time and the elapsed time are bars from the
// same left edge.
class TimeBar final : public QWidget
{
    Q_OBJECT

public:
    explicit TimeBar(QWidget *parent = nullptr);

    void setScale(qint32 timeLimit, qint32 targetTime, qint32 minimumTime);
    void setElapsed(qint32 seconds);
    // The elapsed bar fills the whole width once the limit is reached.
    void fill();

    int barWidth(double seconds) const;
    int elapsedWidth() const;
    int targetWidth() const { return barWidth(m_target); }
    int minimumWidth() const { return barWidth(m_minimum); }

    QSize sizeHint() const override { return {800, 36}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void describe();

    qint32 m_limit = 0;
    qint32 m_target = 0;
    qint32 m_minimum = 0;
    qint32 m_elapsed = 0;
    bool m_full = false;
};

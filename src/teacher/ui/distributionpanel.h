#pragma once

#include <QFrame>

class QLabel;
class QListWidget;
class TimeDistribution;

// The distribution of the recorded times for one level: all results and
// each student's best time, as two lists of star bars.
class DistributionPanel final : public QFrame
{
    Q_OBJECT

public:
    explicit DistributionPanel(QWidget *parent = nullptr);

    void showLevel(const TimeDistribution &distribution, int level);

private:
    QLabel *m_title = nullptr;
    QLabel *m_allCaption = nullptr;
    QLabel *m_bestCaption = nullptr;
    QListWidget *m_allResults = nullptr;
    QListWidget *m_bestTimes = nullptr;
};

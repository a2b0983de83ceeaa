#pragma once

#include <QWidget>

#include "drill/drillproblem.h"

class QLabel;
class QTableWidget;

// The level's 100 facts at a glance: a 100マス map of marks and colours from
// the student's statistics, with a legend. Each cell tells its fact, counts
// and average time on hover and to a screen reader.
class FactMapView final : public QWidget
{
    Q_OBJECT

public:
    explicit FactMapView(QWidget *parent = nullptr);

    void showFacts(int level, const DrillProblemTable &problems, qint32 targetTime);
    // Where the keys are free for it, the map takes the focus and its cells
    // tell their fact as the arrow keys reach them.
    void setFocusable(bool focusable);
    // The least height at which all ten rows and the legend can be read.
    int readableHeight(int width) const;

private:
    QTableWidget *m_map = nullptr;
    QLabel *m_legend = nullptr;
};

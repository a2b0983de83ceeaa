#pragma once

#include <QFrame>

#include "drill/problemlists.h"

class FactMapView;
class QListWidget;
class QPushButton;

// Lies over the problem area until the session starts: the student's weak
// problems by time and by rate, why to practise, and the start and back
// buttons.
class StartPanel final : public QFrame
{
    Q_OBJECT

public:
    explicit StartPanel(QWidget *parent = nullptr);

    void showLists(const ProblemLists::Lists &lists);
    void showFacts(int level, const DrillProblemTable &problems, qint32 targetTime);
    bool isBackButton(const QWidget *widget) const;
    void pressStart();
    void pressBack();

signals:
    void startRequested();
    // Sent once: both buttons are off from then on.
    void backRequested();

private:
    void buildButtons(int row);
    void askToGoBackOnce();

    QListWidget *m_timeList = nullptr;
    QListWidget *m_rateList = nullptr;
    FactMapView *m_facts = nullptr;
    QPushButton *m_startButton = nullptr;
    QPushButton *m_backButton = nullptr;
};

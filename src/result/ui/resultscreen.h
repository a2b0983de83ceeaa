#pragma once

#include <QWidget>

#include "app/ui/screenscale.h"
#include "result/sessionoutcome.h"

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;
struct AppState;
struct Platform;

// The result screen after a session: time, points, records, and whether
// the level may be repeated at once.
class ResultScreen final : public QWidget
{
    Q_OBJECT

public:
    ResultScreen(AppState &state, Platform &platform, SessionOutcome outcome, QWidget *parent = nullptr);

    // Evaluates the session just recorded: figures, announcement and cues;
    // the buttons follow half a second later.
    void activate();
    const SessionOutcome &outcome() const { return m_outcome; }

signals:
    void menuRequested();
    void repeatRequested();
    void busy(bool busy);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showButtons();
    void revealButtons();
    void goToMenu();
    void repeatLevel();
    void announce();
    // Both buttons off before a button leaves, so a double click or a second
    // key cannot leave twice.
    bool beginLeaving();
    bool levelCleared() const;
    bool isGoalLevel() const;
    void showMissedProblems();
    void placeMissedProblems();

    AppState &m_state;
    const SessionOutcome m_outcome;
    Platform &m_platform;
    QFrame *m_panel = nullptr;
    QFrame *m_goalPanel = nullptr;
    QLabel *m_goalText = nullptr;
    QLabel *m_nextLevelHint = nullptr;
    QLabel *m_levelTodayCount = nullptr;
    QLabel *m_allTodayCount = nullptr;
    QLabel *m_contentTitle = nullptr;
    QLabel *m_levelName = nullptr;
    QLabel *m_studentName = nullptr;
    QLabel *m_resultTime = nullptr;
    QLabel *m_pointsLine = nullptr;
    QLabel *m_announcement = nullptr;
    QPushButton *m_menuButton = nullptr;
    QPushButton *m_repeatButton = nullptr;
    QTimer *m_buttonsDelay = nullptr;
    // Below the panel, outside its layout, so that nothing in it moves.
    QLabel *m_missedCaption = nullptr;
    QListWidget *m_missedProblems = nullptr;
    bool m_activated = false;
    // The delay may come due while a cue plays; its work waits for the end
    // of the evaluation, when the screen takes events again.
    bool m_evaluating = false;
    bool m_timerDue = false;
    bool m_leaving = false;
    ScreenScale m_scale;
};

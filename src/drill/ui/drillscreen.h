#pragma once

#include <QTimer>
#include <QWidget>

#include "app/ui/screenscale.h"
#include "drill/drillsession.h"

class DrillHeader;
class EndOverlay;
class ProblemArea;
class QKeyEvent;
class StartPanel;
class StatusLine;
class TimeBar;
struct AppState;
struct Platform;

// The drill screen: one session of the problems of a level. Every key
// is the drill's, whichever of its parts it reaches.
class DrillScreen final : public QWidget
{
    Q_OBJECT

public:
    DrillScreen(AppState &state, Platform &platform, int level, QWidget *parent = nullptr);
    ~DrillScreen() override;

    const DrillSession &session() const { return m_session; }
    bool startPanelShown() const;

signals:
    void busy(bool busy);
    void backRequested();
    // The session is in the results file; the result screen shows the outcome.
    void sessionRecorded(const SessionOutcome &outcome);

public slots:
    // Seeds the draw and starts the minutes since login.
    void prepare();
    // Fills the screen for a fresh session; once per screen.
    void activate();
    // The start button: away with the panel, the clock runs, the first problem.
    void startSession();
    // The session clock: seconds so far, the time bar, and the end at the limit.
    void updateClock();
    void showMinutesSinceLogin();
    // Covers the screen, records the session and hands over to the result.
    void endDrill();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void resetSession();
    void loadLevel();
    void startClock();
    void showNextProblem();
    void judgeAnswer();
    void afterRightAnswer();
    void showWrongAnswer();
    void playWrongCue();
    void confirmWrongAnswer();
    void goBack();
    void waitThenShowResult(int seconds);
    void characterKey(QChar key);
    bool startPanelKey(const QKeyEvent *key);
    void showAnswer();
    void showRemaining();
    qint64 tick() const;
    QString levelName() const;

    AppState &m_state;
    Platform &m_platform;
    DrillSession m_session;
    DrillHeader *m_header = nullptr;
    StatusLine *m_statusLine = nullptr;
    TimeBar *m_timeBar = nullptr;
    ProblemArea *m_problemArea = nullptr;
    StartPanel *m_startPanel = nullptr;
    EndOverlay *m_endOverlay = nullptr;
    QTimer m_sessionTimer;
    QTimer m_minutesTimer;
    ScreenScale m_scale;
    bool m_activated = false;
};

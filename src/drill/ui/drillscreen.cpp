#include "drill/ui/drillscreen.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "state/appstate.h"
#include "app/ui/controlnames.h"
#include "app/ui/pendinginput.h"
#include "drill/ui/drillcontrols.h"
#include "drill/ui/drillheader.h"
#include "drill/ui/endoverlay.h"
#include "drill/ui/problemarea.h"
#include "drill/ui/startpanel.h"
#include "drill/ui/statusline.h"
#include "drill/ui/timebar.h"
#include "platform/clock.h"
#include "platform/pause.h"
#include "platform/platform.h"
#include "platform/random.h"
#include "result/todaycounts.h"
#include "sound/soundcues.h"

using namespace Qt::StringLiterals;

namespace {

// Levels whose today counts make up "本日".
constexpr int TodayLevelsCounted = 15;
// No answer and no clearing key; nothing else of the drill listens to it.
constexpr int ProgressKey = Qt::Key_F1;

} // namespace

DrillScreen::DrillScreen(AppState &state, Platform &platform, int level, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_platform(platform)
    , m_session(state, platform, level)
{
    setObjectName(QString::fromLatin1(DrillControls::Screen));
    setWindowTitle(u"Growna"_s);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 253, 240));
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);

    m_header = new DrillHeader(this);
    m_statusLine = new StatusLine(this);
    m_timeBar = new TimeBar(this);
    m_problemArea = new ProblemArea(this);
    m_startPanel = new StartPanel(this);
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(24, 12, 24, 12);
    root->setSpacing(8);
    root->addWidget(m_header);
    root->addWidget(m_statusLine);
    root->addWidget(m_timeBar);
    // The start panel lies over the problem area until the session starts.
    auto *content = new QGridLayout;
    content->addWidget(m_problemArea, 0, 0);
    content->addWidget(m_startPanel, 0, 0);
    root->addLayout(content, 1);
    m_endOverlay = new EndOverlay(this);
    m_scale.capture(this);
    m_problemArea->fitToHeight(height());

    Controls::named(&m_sessionTimer, DrillControls::SessionTimer);
    m_sessionTimer.setInterval(SessionTiming::ClockIntervalMs);
    Controls::named(&m_minutesTimer, DrillControls::MinutesTimer);
    m_minutesTimer.setInterval(SessionTiming::MinutesClockIntervalMs);

    connect(&m_sessionTimer, &QTimer::timeout, this, &DrillScreen::updateClock);
    connect(&m_minutesTimer, &QTimer::timeout, this, &DrillScreen::showMinutesSinceLogin);
    connect(m_startPanel, &StartPanel::startRequested, this, &DrillScreen::startSession);
    connect(m_startPanel, &StartPanel::backRequested, this, &DrillScreen::goBack);
}

DrillScreen::~DrillScreen() = default;

void DrillScreen::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_endOverlay->setGeometry(rect());
    m_scale.apply(size());
    m_problemArea->fitToHeight(height());
}

bool DrillScreen::startPanelShown() const
{
    return !m_startPanel->isHidden();
}

qint64 DrillScreen::tick() const
{
    return m_platform.clock.tickCount();
}

QString DrillScreen::levelName() const
{
    const int level = m_session.level();
    return level >= 0 && level < LevelRowCount ? m_state.LevelNames[std::size_t(level)] : QString();
}

void DrillScreen::prepare()
{
    m_platform.random.seed(static_cast<quint32>(m_platform.clock.now().time().msecsSinceStartOfDay()));
    m_minutesTimer.start();
}

void DrillScreen::activate()
{
    // Activating again in the middle of a session (after a message box,
    // say) must not wipe the problems already done.
    if (m_activated)
        return;
    m_activated = true;
    m_startPanel->show();
    m_endOverlay->hide();
    resetSession();
    loadLevel();
    setFocus();
}

void DrillScreen::resetSession()
{
    emit busy(false);
    m_session.reset();
    showAnswer();

    const LevelStandard &standard = m_session.levelStandard();
    m_statusLine->showTime(0);
    m_timeBar->setScale(m_session.timeLimit(), standard.TargetTime, standard.MinimumTime);

    m_header->showTitle(m_state.ContentTitle, m_scale);
    m_header->showStudent(m_state.StudentName.trimmed());
    m_statusLine->showLevel(levelName());
    m_header->showSite(m_state.SiteTitle);

    showMinutesSinceLogin();
    // This session is the next one: today over the counted levels, and at this level.
    m_statusLine->showToday(todayCountSum(m_state, TodayLevelsCounted) + 1);
    m_statusLine->showLevelCount(levelTodayCount(m_state, m_session.level()) + 1);
}

void DrillScreen::loadLevel()
{
    m_session.loadLevel();
    m_startPanel->showLists(m_session.problemLists());
    m_startPanel->showFacts(m_session.level(), m_session.drawing().problems(), m_session.levelStandard().TargetTime);
    showRemaining();
}

void DrillScreen::startSession()
{
    // Focus first, so that it does not stay behind on a hidden button.
    setFocus();
    m_startPanel->hide();
    startClock();
    showNextProblem();
}

void DrillScreen::goBack()
{
    m_minutesTimer.stop();
    emit backRequested();
}

void DrillScreen::startClock()
{
    m_session.start(tick());
    m_sessionTimer.start();
}

void DrillScreen::updateClock()
{
    const qint32 elapsed = m_session.updateElapsed(tick());
    m_statusLine->showTime(elapsed);
    if (!m_session.limitReached()) {
        m_timeBar->setElapsed(elapsed);
        return;
    }
    m_timeBar->fill();
    // A judgement in progress is left to finish; the next tick ends.
    if (m_session.endIfTimeUp()) {
        m_sessionTimer.stop();
        endDrill();
    }
}

void DrillScreen::showMinutesSinceLogin()
{
    m_statusLine->showMinutes(SessionTiming::minutesSinceLogin(tick(), m_state.loginTick));
}

void DrillScreen::showNextProblem()
{
    if (m_session.phase() != DrillSession::Phase::Answering)
        return;
    m_problemArea->clearProblem();
    // Emptied first, so that a problem asked again is said again.
    setAccessibleName(QString());
    const ProblemDrawing::Next next = m_session.nextProblem(tick());
    if (next.sessionComplete) {
        m_sessionTimer.stop();
        endDrill();
        return;
    }
    m_problemArea->showProblem(next);
    // The screen keeps the focus all session: a reader says what it is named.
    setAccessibleName(m_problemArea->accessibleName());
}

void DrillScreen::judgeAnswer()
{
    switch (m_session.judge(tick())) {
    case DrillSession::Verdict::Right:
        afterRightAnswer();
        break;
    case DrillSession::Verdict::Wrong:
        showWrongAnswer();
        return;
    case DrillSession::Verdict::None:
        break;
    }
    // Keys count again even when a cue failed half-way.
    m_session.finishJudging();
}

void DrillScreen::afterRightAnswer()
{
    if (!PlayCorrectCue(m_state, m_platform))
        return;
    showRemaining();
    m_session.finishJudging();
    showNextProblem();
}

// The correction is on the screen before the cue starts, and keys typed
// before it reach the session while it still judges: they count for nothing.
void DrillScreen::showWrongAnswer()
{
    m_problemArea->showCorrection(m_session.expectedAnswer(), m_session.redEqualsShown(), m_session.blocks());
    m_problemArea->repaint();
    PendingInput::afterDelivered(this, [this] { playWrongCue(); });
}

void DrillScreen::playWrongCue()
{
    const bool played = PlayWrongCue(m_state, m_platform);
    // Keys count again even when the cue failed half-way.
    m_session.finishJudging();
    if (played)
        m_problemArea->announcePrompt();
}

void DrillScreen::confirmWrongAnswer()
{
    m_problemArea->hideCorrection();
    m_session.finishConfirming();
    showAnswer();
    showNextProblem();
}

void DrillScreen::endDrill()
{
    if (!m_session.beginEnding())
        return;
    m_endOverlay->cover(m_session.timedOut());
    m_endOverlay->repaint();
    m_sessionTimer.stop();
    if (!m_session.record())
        return;
    emit busy(true);
    waitThenShowResult(1);
}

void DrillScreen::waitThenShowResult(int seconds)
{
    if (m_platform.pause)
        m_platform.pause->waitHoldingInput(seconds * 1000);
    m_minutesTimer.stop();
    emit sessionRecorded(m_session.outcome());
}

void DrillScreen::showRemaining()
{
    m_statusLine->showRemaining(m_session.remaining());
}

void DrillScreen::showAnswer()
{
    m_problemArea->showAnswer(m_session.entry().text());
    setAccessibleDescription(m_session.entry().text());
}

void DrillScreen::characterKey(QChar key)
{
    switch (m_session.characterKey(key)) {
    case AnswerEntry::Action::Judge:
        judgeAnswer();
        break;
    case AnswerEntry::Action::TextChanged:
        showAnswer();
        break;
    case AnswerEntry::Action::Warn:
        PlayWarningSound(m_state, m_platform);
        break;
    case AnswerEntry::Action::Confirm:
        confirmWrongAnswer();
        break;
    case AnswerEntry::Action::None:
        break;
    }
}

// Keys reach the screen from whichever of its parts they were sent to: the
// labels and the time bar pass them on, the lists never take the focus,
// and the buttons are hidden once the session runs.
void DrillScreen::keyPressEvent(QKeyEvent *event)
{
    if (startPanelShown()) {
        if (!startPanelKey(event))
            QWidget::keyPressEvent(event);
        return;
    }
    if (event->key() == ProgressKey) {
        m_statusLine->tell();
        return;
    }
    if (DrillKeys::isClearingKey(event->key())) {
        m_session.clearAnswer();
        showAnswer();
    }
    if (const std::optional<QChar> character = DrillKeys::characterOf(event->key(), event->text()))
        characterKey(*character);
}

// Tab is a key like any other once the session runs; it must not move the
// focus off the screen.
bool DrillScreen::focusNextPrevChild(bool next)
{
    return startPanelShown() && QWidget::focusNextPrevChild(next);
}

// Space or Return starts the session, so no mouse is needed; a focused
// "もどる" keeps its own keys, and Return presses it as Space does.
bool DrillScreen::startPanelKey(const QKeyEvent *key)
{
    const bool space = key->key() == Qt::Key_Space;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if ((!space && !enter) || key->isAutoRepeat())
        return false;
    if (m_startPanel->isBackButton(focusWidget())) {
        if (!enter)
            return false;
        m_startPanel->pressBack();
        return true;
    }
    m_startPanel->pressStart();
    return true;
}

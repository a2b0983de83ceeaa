#include "result/ui/resultscreen.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "state/appstate.h"
#include "app/spokentext.h"
#include "app/ui/controlnames.h"
#include "app/ui/pendinginput.h"
#include "drill/drillproblem.h"
#include "platform/platform.h"
#include "result/resultrules.h"
#include "result/todaycounts.h"
#include "result/ui/resultcontrols.h"
#include "sound/soundcues.h"
#include "store/tallies.h"

namespace {

constexpr int TimerIntervalMs = 500;

QLabel *label(QWidget *parent, const char *name, qreal points, bool bold = false)
{
    // The student's name comes from the roster: plain text.
    auto *l = Controls::named(new QLabel(parent), name);
    l->setAlignment(Qt::AlignCenter);
    QFont font = l->font();
    font.setPointSizeF(points);
    font.setBold(bold);
    l->setFont(font);
    return l;
}

} // namespace

ResultScreen::ResultScreen(AppState &state, Platform &platform, SessionOutcome outcome, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_outcome(std::move(outcome))
    , m_platform(platform)
{
    setObjectName(QString::fromLatin1(ResultControls::Screen));
    setWindowTitle(QStringLiteral("Growna"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(236, 244, 255));
    setPalette(pal);

    m_panel = new QFrame(this);
    Controls::named(m_panel, ResultControls::Panel);
    m_panel->setFrameShape(QFrame::Box);
    m_panel->setStyleSheet(Controls::selector(ResultControls::Panel)
                           + QStringLiteral(" { background: white; border: 2px solid rgb(90, 120, 170); }"));
    m_panel->setMinimumWidth(720);

    m_contentTitle = label(m_panel, ResultControls::ContentTitle, 20, true);
    m_studentName = label(m_panel, ResultControls::StudentName, 24, true);
    m_levelName = label(m_panel, ResultControls::LevelName, 22);
    m_resultTime = label(m_panel, ResultControls::ResultTime, 40, true);
    m_pointsLine = label(m_panel, ResultControls::PointsLine, 24);
    m_levelTodayCount = label(m_panel, ResultControls::LevelTodayCount, 16);
    m_allTodayCount = label(m_panel, ResultControls::AllTodayCount, 16);
    m_announcement = label(m_panel, ResultControls::Announcement, 32, true);
    m_announcement->setStyleSheet(QStringLiteral("color: rgb(210, 0, 0);"));
    m_announcement->hide();
    m_nextLevelHint = label(m_panel, ResultControls::NextLevelHint, 20, true);
    m_nextLevelHint->setStyleSheet(QStringLiteral("color: rgb(0, 90, 40);"));
    m_nextLevelHint->hide();

    m_goalPanel = new QFrame(m_panel);
    Controls::named(m_goalPanel, ResultControls::GoalPanel);
    m_goalPanel->setStyleSheet(
        Controls::selector(ResultControls::GoalPanel)
        + QStringLiteral(" { background: rgb(255, 235, 120); border: 3px solid rgb(220, 120, 0); }"));
    m_goalText = label(m_goalPanel, ResultControls::GoalText, 30, true);
    m_goalText->setText(QStringLiteral("目標レベルクリア。おめでとう！"));
    m_goalText->setStyleSheet(QStringLiteral("color: rgb(180, 0, 0);"));
    auto *goal = new QVBoxLayout(m_goalPanel);
    goal->setContentsMargins(24, 16, 24, 16);
    goal->addWidget(m_goalText);
    m_goalPanel->hide();

    m_menuButton = new QPushButton(QStringLiteral("メニューへ"), m_panel);
    Controls::named(m_menuButton, ResultControls::MenuButton);
    m_repeatButton = new QPushButton(QStringLiteral("もう一度"), m_panel);
    Controls::named(m_repeatButton, ResultControls::RepeatButton);
    for (QPushButton *b : {m_menuButton, m_repeatButton}) {
        QFont font = b->font();
        font.setPointSize(20);
        font.setBold(true);
        b->setFont(font);
        b->setMinimumSize(220, 64);
        QSizePolicy policy = b->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        b->setSizePolicy(policy);
        b->hide();
    }

    auto *panel = new QVBoxLayout(m_panel);
    panel->setContentsMargins(40, 24, 40, 24);
    panel->setSpacing(10);
    panel->addWidget(m_contentTitle);
    panel->addWidget(m_studentName);
    panel->addWidget(m_levelName);
    panel->addSpacing(10);
    panel->addWidget(m_resultTime);
    panel->addWidget(m_pointsLine);
    auto *counts = new QHBoxLayout;
    counts->addStretch(1);
    counts->addWidget(m_levelTodayCount);
    counts->addWidget(m_allTodayCount);
    counts->addStretch(1);
    panel->addLayout(counts);
    panel->addWidget(m_announcement);
    panel->addWidget(m_goalPanel);
    panel->addWidget(m_nextLevelHint);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_menuButton);
    buttons->addSpacing(40);
    buttons->addWidget(m_repeatButton);
    buttons->addStretch(1);
    panel->addSpacing(10);
    panel->addLayout(buttons);

    auto *outer = new QGridLayout(this);
    outer->addWidget(m_panel, 0, 0, Qt::AlignCenter);

    m_buttonsDelay = new QTimer(this);
    Controls::named(m_buttonsDelay, ResultControls::ButtonsDelay);
    m_buttonsDelay->setSingleShot(true);
    m_buttonsDelay->setInterval(TimerIntervalMs);
    connect(m_buttonsDelay, &QTimer::timeout, this, &ResultScreen::showButtons);
    connect(m_menuButton, &QPushButton::clicked, this, &ResultScreen::goToMenu);
    connect(m_repeatButton, &QPushButton::clicked, this, &ResultScreen::repeatLevel);
    m_missedCaption = new QLabel(QStringLiteral("まちがえた問題"), this);
    Controls::named(m_missedCaption, ResultControls::MissedCaption);
    m_missedProblems = new QListWidget(this);
    Controls::named(m_missedProblems, ResultControls::MissedProblems);
    m_missedProblems->setAccessibleName(m_missedCaption->text());
    m_missedCaption->setBuddy(m_missedProblems);
    m_missedProblems->setFocusPolicy(Qt::NoFocus);
    QFont missedFont = m_missedProblems->font();
    missedFont.setPointSize(12);
    m_missedProblems->setFont(missedFont);
    m_missedCaption->setFont(missedFont);
    m_missedCaption->setWordWrap(true);
    m_missedCaption->hide();
    m_missedProblems->hide();
    m_scale.capture(this);
}

void ResultScreen::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_scale.apply(size());
    placeMissedProblems();
}

// The facts answered wrong in this session, each with its right answer.
void ResultScreen::showMissedProblems()
{
    m_missedProblems->clear();
    for (int code : m_outcome.missedCodes)
        m_missedProblems->addItem(ProblemSet::withAnswer(m_outcome.level, code));
    const bool any = m_missedProblems->count() > 0;
    m_missedCaption->setVisible(any);
    m_missedProblems->setVisible(any);
    placeMissedProblems();
}

// Beside the panel, where the screen has room whatever its size; the panel
// keeps its place in the middle.
void ResultScreen::placeMissedProblems()
{
    if (!m_missedProblems || m_missedProblems->isHidden())
        return;
    layout()->activate();
    const QRect panel = m_panel->geometry();
    const int left = panel.right() + 16;
    const int width = std::max(0, this->width() - left - 16);
    const int captionHeight = m_missedCaption->heightForWidth(width);
    m_missedCaption->setGeometry(left, panel.top(), width, captionHeight);
    m_missedProblems->setGeometry(left, panel.top() + captionHeight + 4, width, panel.height() - captionHeight - 4);
}

bool ResultScreen::levelCleared() const
{
    return LevelCleared(m_state, m_outcome.level, m_state.StudentNumber);
}

bool ResultScreen::isGoalLevel() const
{
    return m_outcome.level == m_state.GoalLevel;
}

void ResultScreen::activate()
{
    if (m_activated)
        return;
    m_activated = true;
    if (!ComputeTallies(m_state, m_platform))
        return;
    m_evaluating = true;
    const int level = std::clamp<int>(m_outcome.level, 0, LevelRowCount - 1);
    const LevelStandard &standard = m_state.LevelStandards[std::size_t(level)];
    const qint32 time = m_outcome.resultTime;
    const bool goalCleared = levelCleared() && isGoalLevel();
    if (goalCleared && ResultRules::goalPanelAllowed(m_state.LevelStandards))
        m_goalPanel->show();
    m_buttonsDelay->start();

    const int base = SessionPoints(time, standard.TargetTime, 1.0f);
    m_pointsLine->setText(ResultRules::pointsLine(time, base, standard.PointMultiplier));
    m_resultTime->setText(ResultRules::resultLine(time));
    m_studentName->setText(m_state.StudentName.trimmed());
    m_contentTitle->setText(m_state.ContentTitle);
    m_levelName->setText(m_state.LevelNames[std::size_t(level)]);
    m_levelTodayCount->setText(ResultRules::levelTodayText(levelTodayCount(m_state, level)));
    m_allTodayCount->setText(ResultRules::allTodayText(todayCountSum(m_state, MaxLevel)));

    showMissedProblems();
    announce();
    if (goalCleared) {
        if (!m_outcome.recordFlags.levelAlreadyCleared)
            PlayLevelClearSound(m_state, m_platform);
    } else {
        m_goalPanel->hide();
    }
    emit busy(false);
    m_evaluating = false;
    if (m_timerDue)
        showButtons();
}

void ResultScreen::announce()
{
    const int level = std::clamp<int>(m_outcome.level, 0, LevelRowCount - 1);
    const ResultRules::Announcement announcement = ResultRules::announcement(
        m_outcome.recordFlags, m_outcome.resultTime, m_state.LevelStandards[std::size_t(level)].MinimumTime);
    const QString text = ResultRules::announcementText(announcement);
    if (!text.isEmpty()) {
        m_announcement->setText(text);
        m_announcement->show();
    }
    switch (announcement) {
    case ResultRules::Announcement::ClassBest:
        PlayClassRecordSound(m_state, m_platform);
        break;
    case ResultRules::Announcement::PersonalBest:
        PlayPersonalRecordCue(m_state, m_platform);
        break;
    case ResultRules::Announcement::Pass:
        PlayPassCue(m_state, m_platform);
        break;
    case ResultRules::Announcement::None:
        break;
    }
}

void ResultScreen::showButtons()
{
    m_buttonsDelay->stop();
    if (m_evaluating) {
        m_timerDue = true;
        return;
    }
    m_timerDue = false;
    // Keys typed while the cues held the screen were meant for the drill or
    // typed in impatience; none of them may press a button that was not there.
    PendingInput::afterDelivered(this, [this] { revealButtons(); });
}

void ResultScreen::revealButtons()
{
    m_goalPanel->hide();
    m_menuButton->show();
    // The focus is the first thing a reader says here: the result goes with it.
    m_menuButton->setAccessibleDescription(SpokenText::join(
        {m_resultTime->text(), m_pointsLine->text(), m_announcement->isHidden() ? QString() : m_announcement->text()}));
    m_menuButton->setFocus();
    const bool overused = LevelOverused(m_state, m_outcome.level, m_state.StudentNumber);
    const bool repeat = ResultRules::offersRepeat(overused, levelCleared(), isGoalLevel(), m_state.goalClearedAtStart);
    m_repeatButton->setVisible(repeat);
    // The student should know why "もう一度" is missing.
    if (!repeat)
        m_nextLevelHint->setText(QStringLiteral("次のレベルへ進みましょう"));
    m_nextLevelHint->setVisible(!repeat);
}

// Return presses the focused button, as Space does.
void ResultScreen::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    auto *button = qobject_cast<QPushButton *>(focusWidget());
    if (enter && (button == m_menuButton || button == m_repeatButton) && button->isVisible() && button->isEnabled()) {
        button->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool ResultScreen::beginLeaving()
{
    if (m_leaving)
        return false;
    m_leaving = true;
    m_menuButton->setEnabled(false);
    m_repeatButton->setEnabled(false);
    return true;
}

// The second click of a double click, or a second key, meets the disabled
// buttons rather than the next screen.
void ResultScreen::goToMenu()
{
    if (!beginLeaving())
        return;
    PendingInput::afterDelivered(this, [this] { emit menuRequested(); });
}

void ResultScreen::repeatLevel()
{
    if (!beginLeaving())
        return;
    emit busy(true);
    PendingInput::afterDelivered(this, [this] { emit repeatRequested(); });
}

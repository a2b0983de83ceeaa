#include "result/ui/frmsyuuryou.h"

#include <QFrame>
#include <QGridLayout>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/appstate.h"
#include "app/ui/screenhost.h"
#include "drill/ui/mainfrm.h"
#include "platform/platform.h"
#include "result/resultrules.h"
#include "result/todaycounts.h"
#include "sound/soundcues.h"
#include "store/tallies.h"

namespace {

constexpr int TimerIntervalMs = 500;

QLabel *label(QWidget *parent, const QString &name, qreal points, bool bold = false)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    QFont font = l->font();
    font.setPointSizeF(points);
    font.setBold(bold);
    l->setFont(font);
    return l;
}


} // namespace

FrmSyuuryou::FrmSyuuryou(ScreenHost &host, QWidget *parent)
    : QWidget(parent)
    , m_host(host)
    , m_state(host.state())
    , m_platform(host.platform())
{
    setObjectName(QStringLiteral("FrmSyuuryou"));
    setWindowTitle(QStringLiteral("Growna"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(236, 244, 255));
    setPalette(pal);

    Picture4 = new QFrame(this);
    Picture4->setObjectName(QStringLiteral("Picture4"));
    Picture4->setFrameShape(QFrame::Box);
    Picture4->setStyleSheet(QStringLiteral("#Picture4 { background: white; border: 2px solid rgb(90, 120, 170); }"));
    Picture4->setMinimumWidth(720);

    Label15 = label(Picture4, QStringLiteral("Label15"), 20, true);
    Label17 = label(Picture4, QStringLiteral("Label17"), 24, true);
    Label16 = label(Picture4, QStringLiteral("Label16"), 22);
    Label18 = label(Picture4, QStringLiteral("Label18"), 40, true);
    Label19 = label(Picture4, QStringLiteral("Label19"), 24);
    Label13 = label(Picture4, QStringLiteral("Label13"), 16);
    Label14 = label(Picture4, QStringLiteral("Label14"), 16);
    Label20 = label(Picture4, QStringLiteral("Label20"), 32, true);
    Label20->setStyleSheet(QStringLiteral("color: rgb(210, 0, 0);"));
    Label20->hide();
    Label2 = label(Picture4, QStringLiteral("Label2"), 20, true);
    Label2->setStyleSheet(QStringLiteral("color: rgb(0, 90, 40);"));
    Label2->hide();

    Picture1 = new QFrame(Picture4);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setStyleSheet(QStringLiteral("#Picture1 { background: rgb(255, 235, 120); border: 3px solid rgb(220, 120, 0); }"));
    Label1 = label(Picture1, QStringLiteral("Label1"), 30, true);
    Label1->setText(QStringLiteral("目標レベルクリア。おめでとう！"));
    Label1->setStyleSheet(QStringLiteral("color: rgb(180, 0, 0);"));
    auto *goal = new QVBoxLayout(Picture1);
    goal->setContentsMargins(24, 16, 24, 16);
    goal->addWidget(Label1);
    Picture1->hide();

    Command4 = new QPushButton(QStringLiteral("メニューへ"), Picture4);
    Command4->setObjectName(QStringLiteral("Command4"));
    Command5 = new QPushButton(QStringLiteral("もう一度"), Picture4);
    Command5->setObjectName(QStringLiteral("Command5"));
    for (QPushButton *b : {Command4, Command5}) {
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

    auto *panel = new QVBoxLayout(Picture4);
    panel->setContentsMargins(40, 24, 40, 24);
    panel->setSpacing(10);
    panel->addWidget(Label15);
    panel->addWidget(Label17);
    panel->addWidget(Label16);
    panel->addSpacing(10);
    panel->addWidget(Label18);
    panel->addWidget(Label19);
    auto *counts = new QHBoxLayout;
    counts->addStretch(1);
    counts->addWidget(Label13);
    counts->addWidget(Label14);
    counts->addStretch(1);
    panel->addLayout(counts);
    panel->addWidget(Label20);
    panel->addWidget(Picture1);
    panel->addWidget(Label2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command4);
    buttons->addSpacing(40);
    buttons->addWidget(Command5);
    buttons->addStretch(1);
    panel->addSpacing(10);
    panel->addLayout(buttons);

    auto *outer = new QGridLayout(this);
    outer->addWidget(Picture4, 0, 0, Qt::AlignCenter);

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setSingleShot(true);
    Timer1.setInterval(TimerIntervalMs);
    connect(&Timer1, &QTimer::timeout, this, &FrmSyuuryou::Timer1_Timer);
    connect(Command4, &QPushButton::clicked, this, &FrmSyuuryou::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &FrmSyuuryou::Command5_Click);
    m_scale.capture(this);
}

void FrmSyuuryou::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_scale.apply(height());
}

bool FrmSyuuryou::levelCleared() const
{
    return LevelCleared(m_state, m_state.CurrentLevel, m_state.StudentNumber);
}

bool FrmSyuuryou::isGoalLevel() const
{
    return m_state.CurrentLevel == m_state.GoalLevel;
}

void FrmSyuuryou::Form_Activate()
{
    if (m_activated)
        return;
    m_activated = true;
    if (!ComputeTallies(m_state, m_platform))
        return;
    m_evaluating = true;
    const int level = std::clamp<int>(m_state.CurrentLevel, 0, LevelRowCount - 1);
    const LevelStandard &standard = m_state.LevelStandards[level];
    const qint32 time = m_state.ResultTime;
    const bool goalCleared = levelCleared() && isGoalLevel();
    if (goalCleared && ResultRules::goalPanelAllowed(m_state.LevelStandards))
        Picture1->show();
    Timer1.start();

    const int base = SessionPoints(time, standard.TargetTime, 1.0f);
    Label19->setText(ResultRules::pointsLine(time, base, standard.PointMultiplier));
    Label18->setText(ResultRules::resultLine(time));
    Label17->setText(m_state.StudentName.trimmed());
    Label15->setText(m_state.ContentTitle);
    Label16->setText(m_state.LevelNames[level]);
    Label13->setText(ResultRules::levelTodayText(TodayCount(m_state, level)));
    Label14->setText(ResultRules::allTodayText(TodayCountSum(m_state, MaxLevel)));

    announce();
    if (goalCleared) {
        if (!m_state.SessionRecordFlags.levelAlreadyCleared)
            PlayLevelClearSound(m_state, m_platform);
    } else {
        Picture1->hide();
    }
    m_state.SessionRecordFlags.newPersonalBest = false;
    m_state.SessionRecordFlags.newClassBest = false;
    m_host.closeWait();
    m_evaluating = false;
    if (m_timerDue)
        Timer1_Timer();
}

void FrmSyuuryou::announce()
{
    const int level = std::clamp<int>(m_state.CurrentLevel, 0, LevelRowCount - 1);
    const ResultRules::Announcement announcement = ResultRules::announcement(
        m_state.SessionRecordFlags, m_state.ResultTime, m_state.LevelStandards[level].MinimumTime);
    const QString text = ResultRules::announcementText(announcement);
    if (!text.isEmpty()) {
        Label20->setText(text);
        Label20->show();
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

void FrmSyuuryou::Timer1_Timer()
{
    Timer1.stop();
    if (m_evaluating) {
        m_timerDue = true;
        return;
    }
    m_timerDue = false;
    dropPendingInput();
    Picture1->hide();
    Command4->show();
    Command4->setFocus();
    const bool overused = LevelOverused(m_state, m_state.CurrentLevel, m_state.StudentNumber);
    const bool repeat = ResultRules::offersRepeat(overused, levelCleared(), isGoalLevel(), m_state.GoalClearedAtStart);
    Command5->setVisible(repeat);
    // The student should know why "もう一度" is missing.
    if (!repeat)
        Label2->setText(QStringLiteral("次のレベルへ進みましょう"));
    Label2->setVisible(!repeat);
}

// Keys typed while the cues held the screen were meant for the drill or
// typed in impatience; none of them may press a button that was not there.
void FrmSyuuryou::dropPendingInput()
{
    m_droppingInput = true;
    qApp->installEventFilter(this);
    QCoreApplication::processEvents();
    qApp->removeEventFilter(this);
    m_droppingInput = false;
}

bool FrmSyuuryou::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_droppingInput)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

// Return presses the focused button, as Space does.
void FrmSyuuryou::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    auto *button = qobject_cast<QPushButton *>(focusWidget());
    if (enter && (button == Command4 || button == Command5) && button->isVisible() && button->isEnabled()) {
        button->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool FrmSyuuryou::beginLeaving()
{
    if (m_leaving)
        return false;
    m_leaving = true;
    Command4->setEnabled(false);
    Command5->setEnabled(false);
    return true;
}

void FrmSyuuryou::Command4_Click()
{
    if (!beginLeaving())
        return;
    m_host.openLevelMenu();
}

void FrmSyuuryou::Command5_Click()
{
    if (!beginLeaving())
        return;
    m_host.showWait();
    StartDrill(m_host);
}

#pragma once

#include <QTimer>
#include <QWidget>

#include <memory>
#include <vector>

#include "app/ui/noticelabel.h"
#include "drill/answerentry.h"
#include "drill/countingblocks.h"
#include "drill/problemdrawing.h"
#include "drill/sessionclock.h"
#include "app/ui/screenscale.h"

class QFrame;
class QKeyEvent;
class QLabel;
class QListWidget;
class QPushButton;
class LevelStatistics;
class TimeBar;
struct AppState;
struct Platform;

// The drill screen: one session of the 100 problems of CurrentLevel.
class DrillScreen final : public QWidget
{
    Q_OBJECT

public:
    DrillScreen(AppState &state, Platform &platform, QWidget *parent = nullptr);
    ~DrillScreen() override;

    // Header and status line.
    QFrame *PictureStatus = nullptr;
    QLabel *LabelTitle = nullptr;
    QLabel *LabelStudent = nullptr;
    QLabel *LabelSite = nullptr;
    QLabel *LabelLevel = nullptr;
    QLabel *LabelRemaining = nullptr;
    QLabel *LabelTime = nullptr;
    QLabel *LabelLevelCount = nullptr;
    QLabel *LabelToday = nullptr;
    QLabel *LabelMinutes = nullptr;
    TimeBar *TimeBar1 = nullptr;

    // The problem.
    QFrame *PictureProblem = nullptr;
    QLabel *LabelFirst = nullptr;
    QLabel *LabelOperator = nullptr;
    QLabel *LabelSecond = nullptr;
    QLabel *LabelEquals = nullptr;
    QLabel *LabelAnswer = nullptr;

    // History of the problem.
    QLabel *LabelTries = nullptr;
    QLabel *LabelMistakes = nullptr;
    QLabel *LabelAverage = nullptr;

    // A wrong answer.
    QLabel *LabelRedEquals = nullptr;
    QLabel *LabelCorrect = nullptr;
    NoticeLabel *LabelPrompt = nullptr;
    // Blocks 1..20; element 0 stays empty.
    std::vector<QLabel *> Blocks;

    // Start panel.
    QFrame *PictureStart = nullptr;
    QListWidget *ListTime = nullptr;
    QListWidget *ListRate = nullptr;
    QPushButton *CommandStart = nullptr;
    QPushButton *CommandBack = nullptr;

    // End overlay.
    QFrame *PictureEnd = nullptr;
    QLabel *LabelRecording = nullptr;
    QLabel *LabelTimeUp = nullptr;

    QTimer Timer1; // session clock
    QTimer Timer2; // minutes since login

    // Session state.
    qint32 TimeLimit = 0;
    qint32 CorrectAnswers = 0;
    int AllDone = 0;
    int Ending = 0;
    int Judging = 0;
    int JudgeResult = 0;
    int TotalTries = 0;

    const ProblemDrawing &drawing() const { return m_drawing; }
    const AnswerEntry &entry() const { return m_entry; }
    bool startPanelShown() const;

    // The screen's procedures. moc does not take non-ASCII names, so
    // these are plain members rather than slots.
    void 初期設定();
    void レベル別設定();
    void スタート();
    void 問題作成表示();
    void 判定();
    void 判定後処理();

signals:
    void busy(bool busy);
    void backRequested();
    void sessionRecorded();

public slots:
    void prepare();
    void activate();
    void EndDrill();
    void WaitThenShowResult(int seconds);
    void CommandStart_Click();
    void CommandBack_Click();
    void Timer1_Timer();
    void Timer2_Timer();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *buildHeader();
    QWidget *buildStatusLine();
    QWidget *buildProblemArea();
    QWidget *buildStartPanel();
    void buildEndOverlay();
    void sizeProblem();

    void characterKey(QChar key);
    bool startPanelKey(const QKeyEvent *key);
    void clearAnswer();
    void showAnswer();
    void confirmWrongAnswer();
    void showRemaining();
    // The status line read as one text, so a screen reader need not visit
    // a dozen small labels; kept up to date with them.
    void describeStatus();
    void showBlocks();
    qint64 tick() const;
    QString levelName() const;

    AppState &m_state;
    Platform &m_platform;
    ProblemDrawing m_drawing;
    std::unique_ptr<LevelStatistics> m_statistics;
    AnswerEntry m_entry;
    SessionClock m_clock;
    CountingBlocks::Visibility m_blocks{};
    ScreenScale m_scale;
    struct StatusPart
    {
        QString caption;
        QLabel *value;
        QString unit;
    };
    std::vector<StatusPart> m_statusParts;
    qint64 m_problemShownTick = 0;
    bool m_activated = false;
};

// Resets the session and opens a new drill screen for CurrentLevel.
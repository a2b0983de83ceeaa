#include "drill/ui/drillscreen.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/appstate.h"
#include "app/spokentext.h"
#include "app/textnumber.h"
#include "result/todaycounts.h"
#include "app/ui/spokenlist.h"
#include "drill/problemlists.h"
#include "drill/problemstat.h"
#include "drill/ui/timebar.h"
#include "platform/clock.h"
#include "platform/pause.h"
#include "platform/platform.h"
#include "platform/random.h"
#include "result/recordsession.h"
#include "sound/soundcues.h"

namespace {

constexpr qint32 TimeOutScore = 99999;
constexpr int SubtractionLevel = 2;
// Levels whose today counts make up "本日".
constexpr int TodayLevelsCounted = 15;
constexpr int MinimumProblemPixels = 72;

QLabel *label(QWidget *parent, const QString &name, const QString &text = {})
{
    auto *l = new QLabel(text, parent);
    if (!name.isEmpty())
        l->setObjectName(name);
    return l;
}

void setPointSize(QWidget *widget, qreal points, bool bold = false)
{
    QFont font = widget->font();
    font.setPointSizeF(points);
    font.setBold(bold);
    widget->setFont(font);
}

// Keeps the place of a widget in its layout while it is hidden, so the
// screen does not jump when the correct answer or the blocks appear.
void keepPlaceWhenHidden(QWidget *widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}


} // namespace

DrillScreen::DrillScreen(AppState &state, Platform &platform, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_platform(platform)
    , m_drawing(platform.random, platform.clock)
{
    m_state.SessionEndReason = 0;
    setObjectName(QStringLiteral("MainFrm"));
    setWindowTitle(QStringLiteral("Growna"));
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 253, 240));
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(24, 12, 24, 12);
    root->setSpacing(8);
    root->addWidget(buildHeader());
    root->addWidget(buildStatusLine());
    TimeBar1 = new TimeBar(this);
    root->addWidget(TimeBar1);

    // The start panel lies over the problem area until the session starts.
    auto *content = new QGridLayout;
    content->addWidget(buildProblemArea(), 0, 0);
    content->addWidget(buildStartPanel(), 0, 0);
    root->addLayout(content, 1);
    buildEndOverlay();
    m_scale.capture(this);
    sizeProblem();

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(SessionTiming::ClockIntervalMs);
    Timer2.setObjectName(QStringLiteral("Timer2"));
    Timer2.setInterval(SessionTiming::MinutesClockIntervalMs);

    connect(&Timer1, &QTimer::timeout, this, &DrillScreen::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &DrillScreen::Timer2_Timer);
    connect(CommandStart, &QPushButton::clicked, this, &DrillScreen::CommandStart_Click);
    connect(CommandBack, &QPushButton::clicked, this, &DrillScreen::CommandBack_Click);

    // Keys belong to the screen as a whole, whichever control has the focus.
    qApp->installEventFilter(this);
}

DrillScreen::~DrillScreen() = default;

QWidget *DrillScreen::buildHeader()
{
    auto *header = new QWidget(this);
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    LabelTitle = label(header, QStringLiteral("LabelTitle"));
    LabelStudent = label(header, QStringLiteral("LabelStudent"));
    LabelSite = label(header, QStringLiteral("LabelSite"));
    setPointSize(LabelTitle, 16.8, true);
    setPointSize(LabelStudent, 20, true);
    setPointSize(LabelSite, 14);
    row->addWidget(LabelTitle);
    row->addStretch(1);
    row->addWidget(LabelStudent);
    row->addStretch(1);
    row->addWidget(LabelSite);
    return header;
}

QWidget *DrillScreen::buildStatusLine()
{
    auto *status = new QFrame(this);
    PictureStatus = status;
    status->setObjectName(QStringLiteral("PictureStatus"));
    status->setStyleSheet(QStringLiteral("#PictureStatus { background: rgb(225, 238, 255); border-radius: 6px; }"));
    auto *row = new QHBoxLayout(status);
    row->setContentsMargins(12, 4, 12, 4);
    row->setSpacing(6);
    const auto add = [&](const QString &caption, QLabel *&value, const QString &name, const QString &unit) {
        row->addWidget(label(status, {}, caption));
        value = label(status, name);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setPointSize(value, 16, true);
        row->addWidget(value);
        if (!unit.isEmpty())
            row->addWidget(label(status, {}, unit));
        row->addSpacing(18);
        m_statusParts.push_back({caption, value, unit});
    };
    row->addWidget(label(status, {}, QStringLiteral("レベル")));
    LabelLevel = label(status, QStringLiteral("LabelLevel"));
    setPointSize(LabelLevel, 16, true);
    row->addWidget(LabelLevel);
    row->addSpacing(18);
    m_statusParts.push_back({QStringLiteral("レベル"), LabelLevel, QString()});
    add(QStringLiteral("残り"), LabelRemaining, QStringLiteral("LabelRemaining"), QStringLiteral("問"));
    add(QStringLiteral("タイム"), LabelTime, QStringLiteral("LabelTime"), QString());
    row->addStretch(1);
    add(QStringLiteral("このレベル"), LabelLevelCount, QStringLiteral("LabelLevelCount"), QStringLiteral("回目"));
    add(QStringLiteral("本日"), LabelToday, QStringLiteral("LabelToday"), QStringLiteral("回目"));
    add(QStringLiteral("起動後"), LabelMinutes, QStringLiteral("LabelMinutes"), QStringLiteral("分"));
    for (QLabel *caption : status->findChildren<QLabel *>()) {
        if (caption->objectName().isEmpty())
            setPointSize(caption, 13);
    }
    return status;
}

QWidget *DrillScreen::buildProblemArea()
{
    PictureProblem = new QFrame(this);
    PictureProblem->setObjectName(QStringLiteral("PictureProblem"));
    auto *area = new QVBoxLayout(PictureProblem);
    area->setSpacing(6);

    auto *problemRow = new QHBoxLayout;
    LabelFirst = label(PictureProblem, QStringLiteral("LabelFirst"));
    LabelOperator = label(PictureProblem, QStringLiteral("LabelOperator"));
    LabelSecond = label(PictureProblem, QStringLiteral("LabelSecond"));
    LabelEquals = label(PictureProblem, QStringLiteral("LabelEquals"), QStringLiteral("="));
    LabelAnswer = label(PictureProblem, QStringLiteral("LabelAnswer"));
    LabelAnswer->setStyleSheet(QStringLiteral("#LabelAnswer { background: white; border: 3px solid rgb(90, 90, 90); }"));
    for (QLabel *l : {LabelFirst, LabelOperator, LabelSecond, LabelEquals, LabelAnswer})
        l->setAlignment(Qt::AlignCenter);
    problemRow->addStretch(1);
    for (QLabel *l : {LabelFirst, LabelOperator, LabelSecond, LabelEquals, LabelAnswer})
        problemRow->addWidget(l);
    problemRow->addStretch(1);
    area->addLayout(problemRow);

    auto *helpRow = new QHBoxLayout;
    helpRow->addStretch(1);
    helpRow->addWidget(label(PictureProblem, QStringLiteral("LabelHelpJudge"), QStringLiteral("スペースキー＝判定")));
    helpRow->addSpacing(40);
    helpRow->addWidget(label(PictureProblem, QStringLiteral("LabelHelpClear"), QStringLiteral("矢印キー、リターンキー＝クリア")));
    helpRow->addStretch(1);
    area->addLayout(helpRow);

    auto *wrongRow = new QHBoxLayout;
    LabelRedEquals = label(PictureProblem, QStringLiteral("LabelRedEquals"), QStringLiteral("="));
    LabelCorrect = label(PictureProblem, QStringLiteral("LabelCorrect"));
    LabelPrompt = new NoticeLabel(QStringLiteral("\"+\"を２回押しなさい"), PictureProblem);
    LabelPrompt->setObjectName(QStringLiteral("LabelPrompt"));
    LabelRedEquals->setStyleSheet(QStringLiteral("color: rgb(210, 0, 0);"));
    LabelCorrect->setStyleSheet(QStringLiteral("color: rgb(210, 0, 0);"));
    LabelPrompt->setStyleSheet(QStringLiteral("color: rgb(0, 40, 160);"));
    setPointSize(LabelRedEquals, 40, true);
    setPointSize(LabelCorrect, 40, true);
    setPointSize(LabelPrompt, 26, true);
    for (QLabel *l : {LabelCorrect, static_cast<QLabel *>(LabelPrompt)})
        keepPlaceWhenHidden(l);
    LabelCorrect->hide();
    LabelPrompt->hide();
    wrongRow->addStretch(1);
    wrongRow->addWidget(LabelRedEquals);
    wrongRow->addWidget(LabelCorrect);
    wrongRow->addSpacing(30);
    wrongRow->addWidget(LabelPrompt);
    wrongRow->addStretch(1);
    area->addLayout(wrongRow);

    auto *blockGrid = new QGridLayout;
    blockGrid->setSpacing(6);
    Blocks.assign(CountingBlocks::Count + 1, nullptr);
    for (int n = 1; n <= CountingBlocks::Count; ++n) {
        QLabel *block = label(PictureProblem, QStringLiteral("Block_%1").arg(n), QString::number(n));
        block->setAlignment(Qt::AlignCenter);
        block->setFixedSize(52, 44);
        block->setStyleSheet(QStringLiteral("background: rgb(255, 170, 60); color: black; border: 1px solid rgb(150, 90, 0);"));
        setPointSize(block, 15, true);
        keepPlaceWhenHidden(block);
        block->hide();
        blockGrid->addWidget(block, (n - 1) / 10, (n - 1) % 10);
        Blocks[n] = block;
    }
    auto *blockRow = new QHBoxLayout;
    blockRow->addStretch(1);
    blockRow->addLayout(blockGrid);
    blockRow->addStretch(1);
    area->addLayout(blockRow);

    auto *historyRow = new QHBoxLayout;
    LabelTries = label(PictureProblem, QStringLiteral("LabelTries"));
    LabelMistakes = label(PictureProblem, QStringLiteral("LabelMistakes"));
    LabelAverage = label(PictureProblem, QStringLiteral("LabelAverage"));
    historyRow->addStretch(1);
    historyRow->addWidget(label(PictureProblem, {}, QStringLiteral("総トライ数")));
    historyRow->addWidget(LabelTries);
    historyRow->addSpacing(30);
    historyRow->addWidget(LabelMistakes);
    historyRow->addSpacing(30);
    historyRow->addWidget(label(PictureProblem, {}, QStringLiteral("平均タイム")));
    historyRow->addWidget(LabelAverage);
    historyRow->addStretch(1);
    area->addLayout(historyRow);
    area->addStretch(1);

    for (QLabel *l : PictureProblem->findChildren<QLabel *>()) {
        if (!l->objectName().startsWith(QStringLiteral("Block_")) && l->font().pointSizeF() < 16)
            setPointSize(l, 16);
    }
    return PictureProblem;
}

QWidget *DrillScreen::buildStartPanel()
{
    PictureStart = new QFrame(this);
    PictureStart->setObjectName(QStringLiteral("PictureStart"));
    PictureStart->setAutoFillBackground(true);
    PictureStart->setFrameShape(QFrame::Box);
    PictureStart->setStyleSheet(QStringLiteral("#PictureStart { background: rgb(240, 248, 236); }"));
    auto *panel = new QGridLayout(PictureStart);
    panel->setContentsMargins(16, 10, 16, 10);
    panel->setVerticalSpacing(4);

    QFont listFont(QStringLiteral("Noto Sans Mono CJK JP"));
    listFont.setStyleHint(QFont::TypeWriter);
    listFont.setPointSize(13);
    const auto addList = [&](int column, const char *heading, const char *titles, QListWidget *&list,
                             const QString &name) {
        QLabel *head = label(PictureStart, {}, QString::fromUtf8(heading));
        setPointSize(head, 15, true);
        QLabel *columns = label(PictureStart, {}, QString::fromUtf8(titles));
        columns->setFont(listFont);
        list = new QListWidget(PictureStart);
        list->setObjectName(name);
        list->setAccessibleName(head->text());
        list->setFont(listFont);
        list->setFocusPolicy(Qt::NoFocus);
        list->setMinimumHeight(150);
        panel->addWidget(head, 0, column);
        panel->addWidget(columns, 1, column);
        panel->addWidget(list, 2, column);
    };
    addList(0, ProblemLists::TimeHeading, ProblemLists::TimeColumns, ListTime, QStringLiteral("ListTime"));
    addList(1, ProblemLists::RateHeading, ProblemLists::RateColumns, ListRate, QStringLiteral("ListRate"));
    panel->setRowStretch(2, 1);

    QLabel *legend = label(PictureStart, QStringLiteral("LabelLegend"), QString::fromUtf8(ProblemLists::MarksLegend));
    QLabel *check = label(PictureStart, QStringLiteral("LabelCheck"), QString::fromUtf8(ProblemLists::Encouragement));
    QLabel *why = label(PictureStart, QStringLiteral("LabelWhy"),
                        QStringLiteral("かんたんな問題をはやく計算すると、あなたの脳の多くの部分が使われ、きたえられ、"
                                       "集中力、きおく力などがつきます。毎日一回以上がんばりましょう。"));
    setPointSize(legend, 13);
    setPointSize(check, 15, true);
    setPointSize(why, 15);
    why->setWordWrap(true);
    panel->addWidget(legend, 3, 0, 1, 2);
    panel->addWidget(check, 4, 0, 1, 2);
    panel->addWidget(why, 5, 0, 1, 2);

    CommandStart = new QPushButton(QStringLiteral("問題スタート"), PictureStart);
    CommandStart->setObjectName(QStringLiteral("CommandStart"));
    CommandBack = new QPushButton(QStringLiteral("もどる"), PictureStart);
    CommandBack->setObjectName(QStringLiteral("CommandBack"));
    setPointSize(CommandStart, 22, true);
    setPointSize(CommandBack, 16);
    CommandStart->setMinimumSize(280, 64);
    CommandBack->setMinimumSize(160, 52);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CommandStart);
    buttons->addSpacing(40);
    buttons->addWidget(CommandBack);
    buttons->addStretch(1);
    panel->addLayout(buttons, 6, 0, 1, 2);
    return PictureStart;
}

void DrillScreen::buildEndOverlay()
{
    PictureEnd = new QFrame(this);
    PictureEnd->setObjectName(QStringLiteral("PictureEnd"));
    PictureEnd->setAutoFillBackground(true);
    PictureEnd->setStyleSheet(QStringLiteral("#PictureEnd { background: rgb(255, 250, 220); }"));
    auto *layout = new QVBoxLayout(PictureEnd);
    LabelRecording = label(PictureEnd, QStringLiteral("LabelRecording"), QStringLiteral("成績記録中"));
    LabelTimeUp = label(PictureEnd, QStringLiteral("LabelTimeUp"), QStringLiteral("時間切れ"));
    LabelTimeUp->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0);"));
    for (QLabel *l : {LabelRecording, LabelTimeUp}) {
        l->setAlignment(Qt::AlignCenter);
        setPointSize(l, 60, true);
        layout->addWidget(l);
    }
    PictureEnd->hide();
}

void DrillScreen::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    PictureEnd->setGeometry(rect());
    m_scale.apply(height());
    sizeProblem();
}

void DrillScreen::sizeProblem()
{
    // The problem has to be read from a child's seat: about a fifth of
    // the screen's height, never less than 72 pixels.
    QFont font = LabelFirst->font();
    font.setPixelSize(std::clamp(height() * 2 / 11, MinimumProblemPixels, 220));
    font.setBold(true);
    for (QLabel *l : {LabelFirst, LabelOperator, LabelSecond, LabelEquals, LabelAnswer})
        l->setFont(font);
    LabelAnswer->setMinimumWidth(QFontMetrics(font).horizontalAdvance(QStringLiteral("000")) + font.pixelSize() / 2);
}

bool DrillScreen::startPanelShown() const
{
    return !PictureStart->isHidden();
}

qint64 DrillScreen::tick() const
{
    return m_platform.clock.tickCount();
}

QString DrillScreen::levelName() const
{
    const int level = m_state.CurrentLevel;
    return level >= 0 && level < LevelRowCount ? m_state.LevelNames[level] : QString();
}

void DrillScreen::prepare()
{
    m_platform.random.seed(static_cast<quint32>(m_platform.clock.now().time().msecsSinceStartOfDay()));
    Timer2.start();
}

void DrillScreen::activate()
{
    // Runs once per screen: activating again in the middle of a session
    // (after a message box, say) must not wipe the problems already done.
    if (m_activated)
        return;
    m_activated = true;
    PictureStart->show();
    PictureEnd->hide();
    m_drawing.clearDone();
    初期設定();
    レベル別設定();
    setFocus();
}

void DrillScreen::初期設定()
{
    emit busy(false);
    AllDone = 0;
    Ending = 0;
    JudgeResult = 0;
    m_entry.reset();
    showAnswer();

    const int level = std::clamp<int>(m_state.CurrentLevel, 0, LevelRowCount - 1);
    const LevelStandard &standard = m_state.LevelStandards[level];
    TimeLimit = SessionTiming::timeLimit(standard.MinimumTime);
    LabelTime->setText(QStringLiteral("0"));
    TimeBar1->setScale(TimeLimit, standard.TargetTime, standard.MinimumTime);

    const QString title = m_state.ContentTitle;
    LabelTitle->setText(title);
    m_scale.setPointSize(LabelTitle, title.size() > 9 ? 14 : 16.8);
    LabelStudent->setText(m_state.StudentName.trimmed());
    LabelLevel->setText(levelName());
    LabelSite->setText(m_state.SiteTitle);

    TotalTries = TodayCountSum(m_state, TodayLevelsCounted);
    Timer2_Timer();
    LabelToday->setText(QString::number(TotalTries + 1));
    LabelLevelCount->setText(QString::number(TodayCount(m_state, m_state.CurrentLevel) + 1));
    describeStatus();
}

void DrillScreen::レベル別設定()
{
    m_drawing.setUpCodes();
    m_statistics = std::make_unique<LevelStatistics>(m_state.DataFolder, m_state.StudentNumber,
                                                     m_state.CurrentLevel, m_platform.dialogs);
    m_statistics->load(m_drawing.problems());
    const ProblemLists::Lists lists =
        ProblemLists::build(m_state.CurrentLevel, m_drawing.problems(), m_drawing.ProblemCount());
    ListTime->clear();
    SpokenList::addLines(ListTime, lists.timeLines, lists.timeSpoken);
    ListRate->clear();
    SpokenList::addLines(ListRate, lists.rateLines, lists.rateSpoken);
    showRemaining();
}

void DrillScreen::CommandStart_Click()
{
    PictureStart->hide();
    setFocus();
    スタート();
    問題作成表示();
}

void DrillScreen::CommandBack_Click()
{
    // Off first: a second click while the menu is built must not build it twice.
    if (!CommandBack->isEnabled())
        return;
    CommandBack->setEnabled(false);
    CommandStart->setEnabled(false);
    Timer2.stop();
    qApp->removeEventFilter(this);
    emit backRequested();
}

void DrillScreen::スタート()
{
    m_clock.start(tick());
    Timer1.start();
}

void DrillScreen::Timer1_Timer()
{
    m_state.ElapsedSeconds = m_clock.elapsedSeconds(tick());
    LabelTime->setText(QString::number(m_state.ElapsedSeconds));
    describeStatus();
    if (!SessionTiming::limitReached(m_state.ElapsedSeconds, TimeLimit)) {
        TimeBar1->setElapsed(m_state.ElapsedSeconds);
        return;
    }
    TimeBar1->fill();
    // A judgement in progress is left to finish; the next tick ends.
    if (Ending == 0 && AllDone == 0 && Judging == 0) {
        m_state.SessionEndReason = 1;
        Timer1.stop();
        EndDrill();
    }
}

void DrillScreen::Timer2_Timer()
{
    LabelMinutes->setText(QString::number(
        SessionTiming::minutesSinceLogin(m_platform.clock.tickCount(), m_state.LoginTick)));
    describeStatus();
}

void DrillScreen::問題作成表示()
{
    if (m_state.SessionEndReason == 1 || AllDone == 1 || Judging == 1)
        return;
    LabelFirst->clear();
    m_entry.clear();
    showAnswer();
    LabelRedEquals->hide();

    const ProblemDrawing::Next next = m_drawing.drawNext(m_state.CurrentLevel);
    if (next.sessionComplete) {
        if (m_statistics)
            m_statistics->save(m_drawing.problems());
        Timer1.stop();
        AllDone = 1;
        EndDrill();
        return;
    }
    if (!next.history.tries.isEmpty())
        LabelTries->setText(next.history.tries);
    LabelMistakes->setText(next.history.mistakes);
    if (!next.history.average.isEmpty())
        LabelAverage->setText(next.history.average);
    LabelFirst->setText(QString::number(next.face.FirstOperand));
    LabelOperator->setText(next.face.Operator);
    LabelSecond->setText(QString::number(next.face.SecondOperand));
    PictureProblem->setAccessibleName(QStringLiteral("%1 %2 %3 =")
                                          .arg(next.face.FirstOperand)
                                          .arg(next.face.Operator)
                                          .arg(next.face.SecondOperand));
    m_problemShownTick = tick();
}

void DrillScreen::判定()
{
    if (m_state.SessionEndReason == 1 || AllDone == 1) {
        Judging = 0;
        return;
    }
    const double value = TextNumber::leadingNumber(m_entry.text());
    JudgeResult = value == m_drawing.ExpectedAnswer() ? 1 : 2;
}

void DrillScreen::判定後処理()
{
    if (m_state.SessionEndReason == 1 || AllDone == 1)
        return;
    DrillProblem &problem = m_drawing.current();
    problem.TotalTime += SessionTiming::secondsBetween(m_problemShownTick, tick());
    if (JudgeResult == 1) {
        problem.CorrectCount += 1;
        JudgeResult = 0;
        problem.Done = 1;
        if (!PlayCorrectCue(m_state, m_platform))
            return;
        CorrectAnswers += 1;
        showRemaining();
        Judging = 0;
        m_entry.clear();
        問題作成表示();
        return;
    }
    m_entry.startConfirming();
    problem.WrongCount += 1;
    LabelCorrect->setText(QString::number(m_drawing.ExpectedAnswer()));
    LabelCorrect->setAccessibleName(QStringLiteral("正しい答え ") + LabelCorrect->text());
    LabelCorrect->show();
    const std::optional<ProblemFace> face = ProblemSet::faceOf(m_state.CurrentLevel, problem.Code);
    if (face) {
        if (m_state.CurrentLevel == SubtractionLevel)
            LabelRedEquals->show();
        m_blocks = CountingBlocks::afterWrongAnswer(m_state.CurrentLevel, face->FirstOperand,
                                                    face->SecondOperand, m_blocks);
        showBlocks();
    }
    QCoreApplication::processEvents();
    if (!PlayWrongCue(m_state, m_platform))
        return;
    Judging = 0;
    // Heard, not only seen: the right answer and what to press, quotes left out.
    LabelPrompt->announce(SpokenText::join({LabelCorrect->accessibleName(), QString(LabelPrompt->text()).remove(u'"')}));
}

void DrillScreen::confirmWrongAnswer()
{
    LabelPrompt->hide();
    m_entry.finishConfirming();
    showAnswer();
    LabelCorrect->hide();
    問題作成表示();
}

void DrillScreen::EndDrill()
{
    QCoreApplication::processEvents();
    if (Ending == 1)
        return;
    Ending = 1;
    const bool timedOut = m_state.SessionEndReason == 1;
    LabelTimeUp->setVisible(timedOut);
    LabelRecording->setVisible(!timedOut);
    PictureEnd->setGeometry(rect());
    PictureEnd->show();
    PictureEnd->raise();
    QCoreApplication::processEvents();
    Timer1.stop();
    m_state.ResultTime = timedOut ? TimeOutScore : m_state.ElapsedSeconds;
    if (!RecordSession(m_state, m_platform, m_state.CurrentLevel))
        return;
    emit busy(true);
    QCoreApplication::processEvents();
    WaitThenShowResult(1);
}

void DrillScreen::WaitThenShowResult(int seconds)
{
    if (m_platform.pause)
        m_platform.pause->waitHoldingInput(seconds * 1000);
    Timer2.stop();
    qApp->removeEventFilter(this);
    emit sessionRecorded();
}

void DrillScreen::showRemaining()
{
    LabelRemaining->setText(QString::number(m_drawing.ProblemCount() - CorrectAnswers));
    describeStatus();
}

void DrillScreen::describeStatus()
{
    QString line;
    for (const StatusPart &part : m_statusParts)
        line += part.caption + u' ' + part.value->text() + part.unit + u' ';
    PictureStatus->setAccessibleName(SpokenText::join({line}));
}

void DrillScreen::showAnswer()
{
    LabelAnswer->setText(m_entry.text());
    LabelAnswer->setAccessibleName(m_entry.text());
}

void DrillScreen::clearAnswer()
{
    m_entry.clear();
    showAnswer();
}

void DrillScreen::showBlocks()
{
    for (int n = 1; n <= CountingBlocks::Count; ++n)
        Blocks[n]->setVisible(m_blocks[n]);
}

void DrillScreen::characterKey(QChar key)
{
    if (!AnswerEntry::accepting(startPanelShown(), m_state.SessionEndReason == 1, AllDone == 1, Judging == 1))
        return;
    switch (m_entry.characterKey(key)) {
    case AnswerEntry::Action::Judge:
        Judging = 1;
        判定();
        判定後処理();
        Judging = 0;
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

bool DrillScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto *widget = static_cast<QWidget *>(watched);
    if (widget != this && !isAncestorOf(widget) && widget != window())
        return QObject::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (startPanelShown())
        return startPanelKey(key);
    if (DrillKeys::isClearingKey(key->key()))
        clearAnswer();
    if (const std::optional<QChar> character = DrillKeys::characterOf(key->key(), key->text()))
        characterKey(*character);
    return true;
}

// Space or Return starts the session, so no mouse is needed; a focused
// "もどる" keeps its own keys, and Return presses it as Space does.
bool DrillScreen::startPanelKey(const QKeyEvent *key)
{
    const bool space = key->key() == Qt::Key_Space;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if ((!space && !enter) || key->isAutoRepeat())
        return false;
    if (focusWidget() == CommandBack) {
        if (!enter)
            return false;
        CommandBack->click();
        return true;
    }
    CommandStart->click();
    return true;
}

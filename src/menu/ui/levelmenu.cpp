#include "menu/ui/levelmenu.h"

#include <algorithm>
#include <utility>

#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBrowser>

#include "app/appstate.h"
#include "app/localpage.h"
#include "app/spokentext.h"
#include "app/textnumber.h"
#include "app/ui/screenstyle.h"
#include "app/ui/spokenlist.h"
#include "drill/sessionclock.h"
#include "roster/rostertable.h"
#include "menu/gradefilter.h"
#include "menu/rankings.h"
#include "menu/rosterinputs.h"
#include "menu/storeinputs.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/programend.h"
#include "store/decimalmultiplier.h"
#include "store/resultsfile.h"
#include "store/tallies.h"

namespace {

using namespace ResultLists;

// The columns share this width, whatever the number of levels.
constexpr int ColumnsTwips = 14592;
// The width the menu was laid out for; wider screens get wider columns.
constexpr int DesignWidthPx = 1024;
constexpr int HeaderHeight = 78;
constexpr int PanelHeight = 44;
constexpr int WebPaneHeight = 96;
constexpr int Margin = 8;

const QString &teacherName()
{
    static const QString name = QString::fromUtf8(TeacherEntryName);
    return name;
}

QFont pixelFont(QFont font, int pixels, bool bold = false)
{
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// The largest pixel size, from `largest` down, in which `sample` fits `width`.
QFont fitted(QFont font, const QString &sample, int width, int largest)
{
    for (int px = largest; px > 8; --px) {
        font.setPixelSize(px);
        if (QFontMetrics(font).horizontalAdvance(sample) <= width)
            return font;
    }
    font.setPixelSize(8);
    return font;
}

template <typename W>
W *named(W *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

QString arrayName(const char *control, int index)
{
    return QString::fromLatin1(control) + u'_' + QString::number(index);
}

QLabel *makeLabel(QWidget *parent, const char *control, int index)
{
    auto *label = named(new QLabel(parent), arrayName(control, index));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// A new member of a label array, copied from its template.
QLabel *loadLabel(const QLabel *from, QWidget *parent, const char *control, int index)
{
    QLabel *label = makeLabel(parent, control, index);
    label->setFont(from->font());
    label->setAlignment(from->alignment());
    label->setStyleSheet(from->styleSheet());
    label->setText(from->text());
    label->resize(from->size());
    return label;
}

// Spoken texts cost a tenth of a fill and nobody hears them without a
// screen reader; lists filled before one starts read their own lines.
ResultLists::LevelLines *spokenWanted(ResultLists::LevelLines &spoken)
{
    return QAccessible::isActive() ? &spoken : nullptr;
}

} // namespace

LevelMenu::LevelMenu(AppState &state, Platform &platform, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("seisekitime1"));
    setAttribute(Qt::WA_StyledBackground);
    setWindowTitle(QStringLiteral("Growna"));
    buildHeader();
    buildViewPanel();
    buildTemplates();
    buildCover();
    connectControls();
    qApp->installEventFilter(this);
}

LevelMenu::~LevelMenu()
{
    qApp->removeEventFilter(this);
}

void LevelMenu::buildHeader()
{
    Label11 = named(new QLabel(this), QStringLiteral("Label11"));
    Label12 = named(new QLabel(this), QStringLiteral("Label12"));
    Label13 = named(new QLabel(this), QStringLiteral("Label13"));
    Label17 = named(new QLabel(this), QStringLiteral("Label17"));
    Label18 = named(new QLabel(this), QStringLiteral("Label18"));
    Label12->setFont(pixelFont(font(), 22, true));
    for (QLabel *label : {Label13, Label17, Label18})
        label->setFont(pixelFont(font(), 15));
    Command1 = named(new QPushButton(QStringLiteral("戻る(0)"), this), QStringLiteral("Command1"));
    Command1->setFont(pixelFont(font(), 18, true));
    Command8 = named(new QPushButton(QStringLiteral("データ処理"), this), QStringLiteral("Command8"));
    Command8->setFont(pixelFont(font(), 15));
    Command8->hide();
    Picture7 = named(new QFrame(this), QStringLiteral("Picture7"));
    Picture7->hide();
    WebBrowser2 = named(new QTextBrowser(this), QStringLiteral("WebBrowser2"));
    WebBrowser2->setOpenLinks(false);
    WebBrowser2->setFocusPolicy(Qt::NoFocus);
    HScroll1 = named(new QScrollBar(Qt::Horizontal, this), QStringLiteral("HScroll1"));
    HScroll1->hide();
}

void LevelMenu::buildViewPanel()
{
    Picture1 = named(new QFrame(this), QStringLiteral("Picture1"));
    const QFont panelFont = pixelFont(font(), 15);
    auto *views = new QButtonGroup(this);
    const QStringList viewCaptions{QStringLiteral("ﾀｲﾑ表示"), QStringLiteral("ﾎﾟｲﾝﾄ表示"), QStringLiteral("個人ﾀｲﾑ")};
    for (int i = 0; i < 3; ++i) {
        auto *option = named(new QRadioButton(viewCaptions[i], Picture1), arrayName("Option2", i));
        option->setFont(panelFont);
        views->addButton(option, i);
        Option2.push_back(option);
    }
    auto *kinds = new QButtonGroup(this);
    const KindCaptions captions = CaptionsOnBuild();
    const QStringList kindCaptions{QString(), captions.first, captions.second, captions.third.value_or(QString())};
    for (int j = 0; j <= 3; ++j) {
        auto *option = named(new QRadioButton(kindCaptions[j], Picture1), arrayName("Option1", j));
        option->setFont(panelFont);
        Option1.push_back(option);
        if (j == 0) {
            option->setAutoExclusive(false);
            option->hide();
        } else {
            kinds->addButton(option, j);
        }
    }
    Combo1 = named(new QComboBox(Picture1), QStringLiteral("Combo1"));
    Combo2 = named(new QComboBox(Picture1), QStringLiteral("Combo2"));
    Combo1->setFont(panelFont);
    Combo2->setFont(panelFont);
    Combo1->setAccessibleName(QStringLiteral("学年"));
    Combo2->setAccessibleName(QStringLiteral("期間"));
    // On Linux a combo box is named by its current text; a reader finds its
    // label through the buddy.
    LabelGrade = named(new QLabel(QStringLiteral("学年"), Picture1), QStringLiteral("LabelGrade"));
    LabelGrade->setFont(panelFont);
    LabelGrade->setBuddy(Combo1);
    Combo2->hide();
    Label5 = named(new QLabel(Picture1), QStringLiteral("Label5"));
    Label5->setFont(pixelFont(font(), 17, true));
    Command17 = named(new QPushButton(QStringLiteral("グラフ"), Picture1), QStringLiteral("Command17"));
    Command17->hide();
}

void LevelMenu::buildTemplates()
{
    Picture15.push_back(named(new QFrame(this), arrayName("Picture15", 0)));
    QFrame *frame = Picture15[0];
    frame->hide();
    Label1.push_back(makeLabel(frame, "Label1", 0));
    Label3.push_back(makeLabel(frame, "Label3", 0));
    Command4.push_back(named(new QPushButton(frame), arrayName("Command4", 0)));
    Text1.push_back(makeLabel(frame, "Text1", 0));
    Label7.push_back(makeLabel(frame, "Label7", 0));
    Label8.push_back(makeLabel(frame, "Label8", 0));
    Label9.push_back(makeLabel(frame, "Label9", 0));
    Label14.push_back(makeLabel(frame, "Label14", 0));
    Label10.push_back(makeLabel(frame, "Label10", 0));
    Label15.push_back(makeLabel(frame, "Label15", 0));
    List5.push_back(named(new QListWidget(frame), arrayName("List5", 0)));

    Label1[0]->setStyleSheet(QStringLiteral("background: rgb(64, 64, 160); color: white;"));
    Label3[0]->setStyleSheet(QStringLiteral("background: white; color: black; border: 1px solid gray;"));
    Text1[0]->setStyleSheet(QStringLiteral("background: rgb(255, 230, 230); color: rgb(200, 0, 0); border: 2px solid rgb(200, 0, 0);"));
    for (QLabel *label : {Label9[0], Label10[0]})
        label->setStyleSheet(QStringLiteral("background: rgb(255, 255, 200); color: black;"));
    for (QLabel *label : {Label14[0], Label15[0]})
        label->setStyleSheet(QStringLiteral("background: white; color: black;"));
    for (QLabel *label : {Label7[0], Label8[0]})
        label->setStyleSheet(QStringLiteral("color: black;"));
}

void LevelMenu::buildCover()
{
    Picture2 = named(new QFrame(this), QStringLiteral("Picture2"));
    Picture2->setAutoFillBackground(true);
    auto *text = new QLabel(QStringLiteral("Just a moment, please."), Picture2);
    text->setObjectName(QStringLiteral("Picture2Text"));
    text->setFont(pixelFont(font(), 36, true));
    text->setAlignment(Qt::AlignCenter);
    text->setGeometry(0, 200, 1200, 60);
    ProgressBar2 = named(new QProgressBar(Picture2), QStringLiteral("ProgressBar2"));
    ProgressBar2->setGeometry(200, 280, 600, 24);
    Picture2->hide();
}

void LevelMenu::connectControls()
{
    for (int i = 0; i < 3; ++i) {
        connect(Option2[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                Option2_Click(i);
        });
    }
    for (int j = 1; j <= 3; ++j) {
        connect(Option1[j], &QRadioButton::toggled, this, [this, j](bool on) {
            if (on)
                Option1_Click(j);
        });
    }
    connect(Combo1, &QComboBox::activated, this, &LevelMenu::Combo1_Click);
    connect(Combo2, &QComboBox::activated, this, &LevelMenu::Combo2_Click);
    connect(Command1, &QPushButton::clicked, this, &LevelMenu::Command1_Click);
    connect(Command8, &QPushButton::clicked, this, &LevelMenu::Command8_Click);
    connect(HScroll1, &QScrollBar::valueChanged, this, &LevelMenu::HScroll1_Change);
}

int LevelMenu::levelCount() const
{
    return std::clamp<int>(m_state.LevelCount, 0, MaxLevel);
}

void LevelMenu::prepare()
{
    const AppState &state = m_state;
    const int n = levelCount();
    // Twips at the screen's resolution, widened to fill a screen wider than the design.
    const QScreen *screen = QApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    const int available = screen ? screen->availableGeometry().width() : DesignWidthPx;
    const double scale = std::max(1.0, double(available - 2 * Margin) / (ColumnsTwips * dpi / 1440.0));
    m_columnWidth = n > 0 ? int(ColumnsTwips / n * dpi / 1440.0 * scale) : 0;

    WebBrowser2->setSearchPaths({state.DataFolder});
    WebBrowser2->setHtml(LocalPage::read(state.DataFolder + QStringLiteral("PageSeisekisita.htm")));
    m_period = DefaultPeriod;
    const QString colours = QStringLiteral("background: %1; color: %2;").arg(ScreenStyle::rgb(state.SeasonColour), ScreenStyle::textOn(state.SeasonColour));
    setStyleSheet(QStringLiteral("#seisekitime1, #Picture2, #Picture1, #Picture2Text, #Label11, #Label12, #Label13, "
                                 "#Label17, #Label18, #Label5, #LabelGrade, QRadioButton { %1 }")
                      .arg(colours));

    sizeTemplates();

    {
        const QSignalBlocker block1(Combo1);
        const QSignalBlocker block2(Combo2);
        Combo1->addItems(GradeFilterTexts());
        const int chosen = Combo1->findText(state.InitialGradeFilter);
        Combo1->setCurrentIndex(chosen >= 0 ? chosen : 0);
        Combo2->addItems(PeriodTexts());
        Combo2->setCurrentIndex(DefaultPeriod - 1);
    }
    for (int k = 1; k <= n; ++k)
        buildColumn(k);
    fitListFont();
    HScroll1->setRange(1, std::max(1, n - 3));
    HScroll1->setVisible(n > 4);
    Picture2->setGeometry(rect());
}

void LevelMenu::sizeTemplates()
{
    // The number label takes a fifth of the column, the counts half each.
    const int w = m_columnWidth;
    Label1[0]->resize(w / 5, 34);
    Label3[0]->resize(w - w / 5, 34);
    for (QWidget *widget : {static_cast<QWidget *>(Command4[0]), static_cast<QWidget *>(Text1[0])})
        widget->resize(w, 40);
    for (QLabel *label : {Label7[0], Label8[0]})
        label->resize(w, 24);
    for (QLabel *label : {Label9[0], Label14[0], Label10[0], Label15[0]})
        label->resize(w / 2, 24);
    List5[0]->resize(w, 200);
    Label1[0]->setFont(pixelFont(font(), 20, true));
    Label3[0]->setFont(pixelFont(font(), 20, true));
    Command4[0]->setFont(pixelFont(font(), 18, true));
    Text1[0]->setFont(pixelFont(font(), 18, true));
    const QFont small = fitted(font(), QStringLiteral("目標=9999秒 99回/9999点(×1.25)"), w - 6, 15);
    for (QLabel *label : {Label7[0], Label8[0], Label9[0], Label14[0], Label10[0], Label15[0]})
        label->setFont(small);
}

void LevelMenu::buildColumn(int k)
{
    const AppState &state = m_state;
    auto *frame = named(new QFrame(this), arrayName("Picture15", k));
    Picture15.push_back(frame);
    Label1.push_back(loadLabel(Label1[0], frame, "Label1", k));
    Label3.push_back(loadLabel(Label3[0], frame, "Label3", k));
    auto *start = named(new QPushButton(frame), arrayName("Command4", k));
    start->setFont(Command4[0]->font());
    start->resize(Command4[0]->size());
    Command4.push_back(start);
    Text1.push_back(loadLabel(Text1[0], frame, "Text1", k));
    Label9.push_back(loadLabel(Label9[0], frame, "Label9", k));
    Label14.push_back(loadLabel(Label14[0], frame, "Label14", k));
    Label10.push_back(loadLabel(Label10[0], frame, "Label10", k));
    Label15.push_back(loadLabel(Label15[0], frame, "Label15", k));
    auto *list = named(new QListWidget(frame), arrayName("List5", k));
    list->setFont(List5[0]->font());
    list->setFocusPolicy(Qt::NoFocus);
    // Every line is one row of the same font: measuring one is enough.
    list->setUniformItemSizes(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setAccessibleName(QStringLiteral("レベル%1 %2の成績").arg(k).arg(state.LevelNames[std::size_t(k)]));
    List5.push_back(list);
    Label8.push_back(loadLabel(Label8[0], frame, "Label8", k));
    Label7.push_back(loadLabel(Label7[0], frame, "Label7", k));

    // Each under the previous one; the standard summaries close the column.
    int y = 0;
    Label1[k]->move(0, y);
    Label3[k]->move(Label1[k]->width(), y);
    y += Label1[k]->height() + 2;
    Command4[k]->move(0, y);
    Text1[k]->move(0, y);
    y += Command4[k]->height() + 2;
    Label9[k]->move(0, y);
    Label14[k]->move(Label9[k]->width(), y);
    y += Label9[k]->height();
    Label10[k]->move(0, y);
    Label15[k]->move(Label10[k]->width(), y);
    y += Label10[k]->height() + 2;
    List5[k]->move(0, y);
    Text1[k]->hide();

    Label1[k]->setText(QString::number(k));
    Label3[k]->setText(state.LevelNames[std::size_t(k)]);
    Label3[k]->setToolTip(state.LevelNames[std::size_t(k)]);
    Label3[k]->setCursor(Qt::PointingHandCursor);
    Command4[k]->setText(QStringLiteral("ｽﾀｰﾄ") + QStringLiteral("(&") + QString::number(k) + u')');
    connect(Command4[k], &QPushButton::clicked, this, [this, k] { Command4_Click(k); });
    fillStandardLabels(k);
    frame->show();
}

void LevelMenu::fillStandardLabels(int k)
{
    const AppState &state = m_state;
    const LevelStandard &standard = state.LevelStandards[std::size_t(k)];
    const int s = state.StudentNumber;
    const bool known = TallyTables::contains(k, s);
    const qint16 periodCount = known ? state.ResultTallies.at(k, s).periodCount : 0;
    const qint32 periodPoints = known ? state.ResultTallies.at(k, s).periodPoints : 0;
    Label8[k]->setText(QStringLiteral("最近") + QString::number(standard.judgeDays()) + QStringLiteral("日=")
                       + QString::number(periodCount) + QStringLiteral("回 / ") + QString::number(periodPoints)
                       + QStringLiteral("点"));
    const QString target = QStringLiteral("目標=") + QString::number(standard.TargetTime) + QStringLiteral("秒");
    if (standard.ClearPoints == 9999) {
        Label7[k]->setText(target + QStringLiteral(" --------"));
        return;
    }
    Label7[k]->setText(target + u' ' + QString::number(standard.ClearCount) + QStringLiteral("回/")
                       + QString::number(standard.ClearPoints) + QStringLiteral("点(×")
                       + DecimalMultiplier(standard.PointMultiplier).text() + u')');
}

void LevelMenu::fillCountLabels(int k)
{
    const AppState &state = m_state;
    const int s = state.StudentNumber;
    const TallyCell none;
    const TallyCell &cell = TallyTables::contains(k, s) ? state.ResultTallies.at(k, s) : none;
    Label15[k]->setText(cell.totalCount != 0 ? QString::number(cell.totalCount) + QStringLiteral("回/")
                                                   + QString::number(cell.totalPoints) + QStringLiteral("点")
                                             : QStringLiteral("------"));
    Label14[k]->setText(cell.todayCount != 0 ? QString::number(double(cell.todayCount)) + QStringLiteral("回/")
                                                   + QString::number(cell.todayPoints) + QStringLiteral("点")
                                             : QStringLiteral("-----"));
}

void LevelMenu::activate()
{
    AppState &state = m_state;
    Platform &platform = m_platform;
    Command8->setVisible(RosterTable::trimBlanks(state.StudentName) == teacherName());
    Label17->setText(QStringLiteral("起動後")
                     + QString::number(SessionTiming::minutesSinceLogin(platform.clock.tickCount(), state.LoginTick))
                     + QStringLiteral("分"));
    m_keyReady = false;
    showCover(true);
    const KindCaptions captions = CaptionsOnRefresh();
    Option1[1]->setText(captions.first);
    Option1[2]->setText(captions.second);
    if (!ComputeTallies(state, platform))
        return;
    showTodayTotal();
    setDefaultView();
    for (int k = 1; k <= levelCount(); ++k) {
        for (QLabel *label : {Label7[k], Label8[k]})
            label->setStyleSheet(QStringLiteral("background: rgb(224, 224, 224); color: black;"));
        List5[k]->show();
        Command4[k]->setEnabled(true);
        fillCountLabels(k);
    }
    showCover(false);
    fillHeaderLabels();
    {
        const QSignalBlocker blocker(HScroll1);
        HScroll1->setValue(1);
    }
    HScroll1_Change();
    Command9_Click();
    showCover(false);
    ProgressBar2->hide();
    m_keyReady = true;
}

void LevelMenu::showTodayTotal()
{
    const AppState &state = m_state;
    double today = 0;
    for (int level = 1; level <= MaxLevel; ++level) {
        if (TallyTables::contains(level, state.StudentNumber))
            today += state.ResultTallies.at(level, state.StudentNumber).todayCount;
    }
    Label18->setText(QStringLiteral("本日総回数＝") + QString::number(qint16(TextNumber::roundHalfEven(today)))
                     + QStringLiteral("回"));
}

// Points view, total ranking. The first kind button is selected on a fresh
// build, so selecting it fills the lists; the view switch then only sets
// the look while the suppress flag is up.
void LevelMenu::setDefaultView()
{
    ProgressBar2->setMaximum(levelCount());
    m_viewMode = int(ViewMode::Points);
    m_pointsMode = 1;
    m_suppress = true;
    Option1[1]->setChecked(true);
    Option2_Click(1);
    Option2[1]->setChecked(true);
    Command1->setEnabled(true);
    m_suppress = false;
}

void LevelMenu::fillHeaderLabels()
{
    const AppState &state = m_state;
    Label12->setText(state.StudentGrade + u' ' + RosterTable::trimBlanks(state.StudentName));
    Label13->setText(state.SiteTitle + u':' + QString::number(state.StudentNumber));
    Label11->setText(state.ContentTitle);
    QFont title = Label11->font();
    title.setPointSize(state.ContentTitle.size() > 9 ? 20 : 24);
    title.setBold(true);
    Label11->setFont(title);
}

bool LevelMenu::maySkipPast(int k) const
{
    const AppState &state = m_state;
    const std::size_t next = std::size_t(std::min(k + 1, MaxLevel));
    return state.LevelStandards[next].ClearPoints == 9999 || RosterTable::trimBlanks(state.StudentName) == teacherName()
           || LevelCleared(state, k, state.StudentNumber);
}

void LevelMenu::Command9_Click()
{
    AppState &state = m_state;
    const int s = state.StudentNumber;
    state.GoalClearedAtStart = LevelCleared(state, state.GoalLevel, s);
    const int n = std::min<int>(levelCount(), int(Text1.size()) - 1);
    for (int k = 1; k < n; ++k) {
        if (!maySkipPast(k))
            continue;
        Text1[k + 1]->hide();
        if (LevelOverused(state, k, s) && !state.GoalClearedAtStart) {
            Text1[k]->setText(QStringLiteral("やりすぎ禁止"));
            Text1[k]->raise();
            Text1[k]->show();
        } else {
            Text1[k]->hide();
        }
    }
}

bool LevelMenu::mayStart(int level) const
{
    return !m_leaving && !Picture7->isVisible() && level >= 1 && level < int(Command4.size())
           && Command4[level]->isEnabled();
}

// The screen is being left from the first start or return on: a key or
// click that arrives while it repaints must not start a second drill.
// A lowest time of 0 (or none) would end the session after its first second.
bool LevelMenu::levelSetUp(int level)
{
    const AppState &state = m_state;
    if (state.LevelStandards[std::size_t(level)].MinimumTime > 0)
        return true;
    m_platform.dialogs.tell(
        QStringLiteral("注意"),
        QStringLiteral("「%1」はまだ準備ができていないため、始められません。\n%2 の最低タイムを先生に確かめてもらってください。")
            .arg(state.LevelNames[std::size_t(level)], QString::fromUtf8(LevelStandardFile::FileName)),
        DialogIcon::Warning);
    return false;
}

void LevelMenu::Command4_Click(int level)
{
    if (!mayStart(level) || !levelSetUp(level))
        return;
    m_leaving = true;
    m_keyReady = false;
    showCover(true);
    m_state.CurrentLevel = qint16(level);
    QCoreApplication::processEvents();
    emit levelChosen(level);
}

void LevelMenu::Label3_Click(int level)
{
    if (!mayStart(level) || !levelSetUp(level))
        return;
    m_leaving = true;
    m_keyReady = false;
    m_state.CurrentLevel = qint16(level);
    emit levelChosen(level);
}

void LevelMenu::Form_KeyPress(const QString &typed)
{
    if (!m_keyReady || typed.size() != 1)
        return;
    const QChar c = typed[0];
    if (c == u'0') {
        if (Command1->isEnabled())
            Command1_Click();
        return;
    }
    int level = 0;
    if (c >= u'1' && c <= u'9')
        level = c.unicode() - u'0';
    else if (c >= u'a' && c <= u'd')
        level = 10 + (c.unicode() - u'a');
    if (level >= 1 && level <= levelCount())
        Command4_Click(level);
}

void LevelMenu::HScroll1_Change()
{
    const int first = HScroll1->value();
    for (int k = 1; k < int(Picture15.size()); ++k)
        Picture15[k]->move(m_columnsLeft + (k - first) * m_columnWidth, m_columnsTop);
}

void LevelMenu::Command1_Click()
{
    if (m_leaving)
        return;
    m_leaving = true;
    m_keyReady = false;
    showCover(true);
    QCoreApplication::processEvents();
    emit backRequested();
}

void LevelMenu::Command8_Click()
{
    m_platform.dialogs.tell(QStringLiteral("注意"), QStringLiteral("データ処理はまだ使えません。"),
                                   DialogIcon::Information);
}

void LevelMenu::回数など表示()
{
    for (int k = 1; k < int(List5.size()); ++k) {
        Label9[k]->setText(QStringLiteral("今日"));
        Label10[k]->setText(QStringLiteral("今まで"));
        List5[k]->clear();
    }
}

void LevelMenu::成績リスト色表示()
{
    for (int k = 1; k < int(List5.size()); ++k)
        成績リスト色表示単独(k);
}

void LevelMenu::成績リスト色表示単独(int level)
{
    if (level < 1 || level >= int(List5.size()) || List5[level]->count() == 0)
        return;
    List5[level]->setCurrentRow(-1);
    List5[level]->clearSelection();
}

void LevelMenu::showCover(bool shown)
{
    Picture2->setGeometry(rect());
    if (shown) {
        Picture2->raise();
        Picture2->show();
        ProgressBar2->show();
    } else {
        Picture2->hide();
    }
}

void LevelMenu::Option2_Click(int index)
{
    Command17->hide();
    Command1->setEnabled(false);
    for (int k = 1; k < int(List5.size()); ++k)
        List5[k]->hide();
    showCover(true);
    if (m_suppress)
        return;
    if (index == 2) {
        Combo2->hide();
        const bool wasReady = std::exchange(m_keyReady, false);
        Command16_Click();
        m_keyReady = wasReady;
        return;
    }
    const ViewMode view = index == 0 ? ViewMode::Time : ViewMode::Points;
    const KindCaptions captions = CaptionsFor(view);
    Option1[1]->setText(captions.first);
    Option1[2]->setText(captions.second);
    if (captions.third)
        Option1[3]->setText(*captions.third);
    Option1[3]->setEnabled(true);
    if (view == ViewMode::Points)
        Combo2->hide();
    m_viewMode = int(view);
    for (int j = 1; j <= 3; ++j) {
        if (!Option1[j]->isChecked())
            continue;
        if (view == ViewMode::Points && j != 3)
            m_pointsMode = j;
        Option1_Click(j);
        return;
    }
}

void LevelMenu::beginFill()
{
    if (QWidget *focus = QApplication::focusWidget(); focus && isAncestorOf(focus))
        m_focusBeforeFill = focus;
    Command1->setEnabled(false);
    for (int k = 1; k < int(List5.size()); ++k)
        List5[k]->hide();
    showCover(true);
    Combo2->hide();
    Picture1->setEnabled(false);
    QCoreApplication::processEvents();
}

void LevelMenu::endFill()
{
    describeLists();
    Picture1->setEnabled(true);
    Command1->setEnabled(true);
    Command9_Click();
    for (int k = 1; k < int(List5.size()); ++k) {
        List5[k]->show();
        Picture15[k]->resize(Picture15[k]->width(), Label7[k]->geometry().bottom() + 1);
    }
    showCover(false);
    if (m_focusBeforeFill && m_focusBeforeFill->isEnabled() && m_focusBeforeFill->isVisible())
        m_focusBeforeFill->setFocus();
    m_focusBeforeFill = nullptr;
}

void LevelMenu::Option1_Click(int index)
{
    const std::optional<ListKind> list = ListFor(ViewModeOf(m_viewMode), index);
    if (!list)
        return;
    // The fill lets window events run: a start key then would leave it half done.
    const bool wasReady = std::exchange(m_keyReady, false);
    beginFill();
    switch (*list) {
    case ListKind::BestTimes:
        Command6_Click();
        break;
    case ListKind::TodayLog:
        Command5_Click();
        break;
    case ListKind::PeriodLog:
        Command7_Click();
        break;
    case ListKind::TotalPointsRanking:
    case ListKind::TodayPointsRanking:
        m_pointsMode = *list == ListKind::TotalPointsRanking ? 1 : 2;
        Label5->setText(ListTitle(*list));
        fillRankings();
        break;
    case ListKind::OwnHistory:
        Command16_Click();
        break;
    }
    endFill();
    m_keyReady = wasReady;
}

void LevelMenu::fillRankings()
{
    const int n = levelCount();
    ProgressBar2->setRange(0, n);
    std::vector<RankingStudent> roster = RankingRoster(m_state.Roster);
    for (int k = 1; k <= n; ++k) {
        ProgressBar2->setValue(k);
        rankLevel(k, roster);
    }
}

void LevelMenu::Command3_Click(int level)
{
    std::vector<RankingStudent> roster = RankingRoster(m_state.Roster);
    rankLevel(level, roster);
}

void LevelMenu::rankLevel(int level, std::vector<RankingStudent> &roster)
{
    if (level < 1 || level >= int(List5.size()))
        return;
    const AppState &state = m_state;
    Label9[level]->setText(QStringLiteral("今日"));
    Label10[level]->setText(QStringLiteral("今まで"));
    SetLevelValues(roster, state, level);
    RankingKind kind = RankingKind::BestTime;
    if (ViewModeOf(m_viewMode) == ViewMode::Points)
        kind = m_pointsMode == 2 ? RankingKind::TodayPoints : RankingKind::TotalPoints;
    const RankingList ranking =
        LevelRanking(roster, kind, Combo1->currentText(), state.StudentNumber, QAccessible::isActive());
    QListWidget *list = List5[level];
    list->clear();
    SpokenList::addLines(list, ranking.lines, ranking.spoken);
    if (ranking.scrollLine >= 0 && ranking.scrollLine < list->count()) {
        list->setCurrentRow(ranking.scrollLine);
        list->scrollToItem(list->item(ranking.scrollLine), QAbstractItemView::PositionAtTop);
    }
    成績リスト色表示単独(level);
}

void LevelMenu::Command6_Click()
{
    Label5->setText(ListTitle(ListKind::BestTimes));
    回数など表示();
    fillRankings();
    成績リスト色表示();
    Picture1->setEnabled(true);
}

void LevelMenu::setLines(const LevelLines &lines, const LevelLines &spoken)
{
    for (int k = 1; k < int(List5.size()) && k < int(lines.size()); ++k)
        SpokenList::addLines(List5[k], lines[std::size_t(k)],
                             k < int(spoken.size()) ? spoken[std::size_t(k)] : QStringList());
}

// A screen reader names each list by its level and tells which view it shows.
void LevelMenu::describeLists()
{
    const QString title = Label5->text().isEmpty() ? SpokenText::join({Combo2->currentText()}) : Label5->text();
    for (int k = 1; k < int(List5.size()); ++k)
        List5[k]->setAccessibleDescription(title);
}

LogContext LevelMenu::logContext() const
{
    const AppState &state = m_state;
    LogContext context;
    context.levelCount = levelCount();
    context.today = m_platform.clock.today();
    context.gradeFilter = Combo1->currentText();
    context.currentStudent = state.StudentNumber;
    context.student = [&state](qint32 number) { return RosterStudent(state.Roster, number); };
    context.points = [&state](qint32 timeScore, int level) { return LogPoints(state, timeScore, level); };
    return context;
}

// The newest `window` records in file order; false when the program is
// ending after a file error.
bool LevelMenu::readLog(qint32 window, std::vector<LogRecord> &records)
{
    Platform &platform = m_platform;
    records.clear();
    ResultsFile file;
    FileFault fault = OpenResultsFile(m_state, platform, file, ResultsFile::Access::ReadOnly);
    qint32 count = 0;
    qint32 got = 0;
    if (!fault.failed())
        count = file.recordCount(&fault);
    if (!fault.failed()) {
        ProgressBar2->setRange(0, int((double(count) + 1) * 1.1));
        const qint32 first = WindowStart(count, window);
        const qint32 wanted = count - first + 1;
        m_readBuffer.resize(std::size_t(std::max(wanted, 0)) * ResultRecordLength);
        fault = file.readRecords(first, wanted, m_readBuffer.data(), &got);
    }
    file.close();
    if (fault.failed()) {
        platform.dialogs.tell(QStringLiteral("注意"),
                              QStringLiteral("成績ランダムファイル表示") + QString::number(fault.number)
                                  + fault.description,
                              DialogIcon::Critical);
        platform.programEnd.endProgram(1);
        return false;
    }
    records.reserve(std::size_t(got));
    for (qint32 i = 0; i < got; ++i)
        records.push_back(LogRecordOf(ResultRecord::decode(m_readBuffer.data() + std::size_t(i) * ResultRecordLength)));
    ProgressBar2->setValue(std::min(got, ProgressBar2->maximum()));
    return true;
}

void LevelMenu::Command5_Click()
{
    Label5->setText(ListTitle(ListKind::TodayLog));
    回数など表示();
    std::vector<LogRecord> records;
    if (!readLog(TodayLogRecords, records))
        return;
    LevelLines spoken;
    const LevelLines lines = TodayLog(records, logContext(), spokenWanted(spoken));
    setLines(lines, spoken);
    成績リスト色表示();
    Picture1->setEnabled(true);
}

void LevelMenu::Command7_Click()
{
    回数など表示();
    std::vector<LogRecord> records;
    if (!readLog(PeriodLogRecords, records))
        return;
    Label5->setText(ListTitle(ListKind::PeriodLog));
    LevelLines spoken;
    const LevelLines lines = PeriodLog(records, logContext(), m_period, PeriodLogView(ViewModeOf(m_viewMode)), spokenWanted(spoken));
    setLines(lines, spoken);
    成績リスト色表示();
    Picture1->setEnabled(true);
    Combo2->show();
}

void LevelMenu::Command16_Click()
{
    回数など表示();
    std::vector<LogRecord> records;
    if (!readLog(PeriodLogRecords, records))
        return;
    Label5->setText(ListTitle(ListKind::OwnHistory));
    LevelLines spoken;
    const LevelLines lines = OwnHistory(records, logContext(), m_state.StudentNumber, spokenWanted(spoken));
    setLines(lines, spoken);
    describeLists();
    showCover(false);
    Command9_Click();
    for (int k = 1; k < int(List5.size()); ++k)
        List5[k]->show();
    Picture1->setEnabled(true);
    Command1->setEnabled(true);
}

void LevelMenu::Combo1_Click()
{
    Option2_Click(Option2[0]->isChecked() ? 0 : 1);
    if (Command4.size() > 1)
        Command4[1]->setFocus();
}

void LevelMenu::Combo2_Click()
{
    if (!Option1[3]->isChecked())
        return;
    m_period = Combo2->currentIndex() + 1;
    Option1_Click(3);
}

bool LevelMenu::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonRelease) {
        for (int k = 1; k < int(Label3.size()); ++k) {
            if (watched == Label3[k] && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
                Label3_Click(k);
                return true;
            }
        }
        return false;
    }
    if (type == QEvent::KeyRelease)
        m_keyInHand = nullptr;
    auto *widget = qobject_cast<QWidget *>(watched);
    // A fill disables the panel that had the focus, and the key then goes to
    // the window itself: the menu's keys work from there too.
    const bool ours = widget && (widget == this || isAncestorOf(widget) || (widget == window() && widget != this));
    if (type != QEvent::KeyPress || event == m_keyInHand || !ours)
        return false;
    m_keyInHand = event;
    const QString typed = static_cast<QKeyEvent *>(event)->text();
    const bool shortcut = m_keyReady && typed.size() == 1
                          && ((typed[0] >= u'0' && typed[0] <= u'9') || (typed[0] >= u'a' && typed[0] <= u'd'));
    Form_KeyPress(typed);
    return shortcut;
}

void LevelMenu::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeHeader();
}

void LevelMenu::placeHeader()
{
    const int n = int(Picture15.size()) - 1;
    const int columns = std::max(n, 0) * m_columnWidth;
    m_columnsLeft = std::max(Margin, (width() - columns) / 2);
    m_columnsTop = HeaderHeight + PanelHeight + 8;
    const int right = m_columnsLeft + columns;
    Label11->setGeometry(m_columnsLeft, 4, columns / 2, 44);
    Label12->setGeometry(m_columnsLeft, 48, columns / 3, 28);
    Label13->setGeometry(m_columnsLeft + columns / 3, 52, columns / 4, 24);
    Label17->setGeometry(right - 360, 8, 160, 22);
    Label18->setGeometry(right - 360, 32, 200, 22);
    Command8->setGeometry(right - 190, 8, 80, 34);
    Command1->setGeometry(right - 104, 8, 104, 60);
    Picture1->setGeometry(m_columnsLeft, HeaderHeight, columns, PanelHeight);
    int x = 4;
    for (QRadioButton *option : Option2) {
        option->setGeometry(x, 2, 104, 20);
        x += 104;
    }
    x = 4;
    for (int j = 1; j <= 3; ++j) {
        Option1[j]->setGeometry(x, 22, 104, 20);
        x += 104;
    }
    LabelGrade->setGeometry(320, 2, 36, 26);
    Combo1->setGeometry(358, 2, 110, 26);
    Label5->setGeometry(478, 8, 260, 26);
    Combo2->setGeometry(std::max(700, columns - 220), 8, 216, 28);

    const int webTop = height() - WebPaneHeight - Margin;
    const int columnHeight = std::max(200, webTop - m_columnsTop - 6);
    for (int k = 1; k <= n; ++k) {
        QListWidget *list = List5[k];
        const int listHeight = columnHeight - list->y() - Label8[k]->height() - Label7[k]->height() - 4;
        list->resize(m_columnWidth - 2, std::max(60, listHeight));
        Label8[k]->move(0, list->geometry().bottom() + 3);
        Label7[k]->move(0, Label8[k]->geometry().bottom() + 1);
        Picture15[k]->resize(m_columnWidth, Label7[k]->geometry().bottom() + 1);
    }
    HScroll1->setGeometry(m_columnsLeft, webTop - 18, columns, 16);
    const int webWidth = std::min(width() - 2 * Margin, int(columns * 1.02));
    WebBrowser2->setGeometry((width() - webWidth) / 2, webTop, webWidth, WebPaneHeight);
    HScroll1_Change();
    Picture2->setGeometry(rect());
    if (QLabel *text = Picture2->findChild<QLabel *>(QStringLiteral("Picture2Text")))
        text->setGeometry(0, height() / 2 - 60, width(), 60);
    ProgressBar2->setGeometry(width() / 4, height() / 2 + 10, width() / 2, 24);
}

// The list lines are fixed-width columns; the widest (a points-view period
// line) must fit without clipping.
void LevelMenu::fitListFont()
{
    const int scrollBar = qApp->style() ? 20 : 16;
    const QFont font = fitted(ScreenStyle::fixedPitchFont(), QStringLiteral(" 9999 12/31①やまだはな①4999秒"),
                              m_columnWidth - scrollBar - 10, 22);
    List5[0]->setFont(font);
    for (int k = 1; k < int(List5.size()); ++k)
        List5[k]->setFont(font);
}

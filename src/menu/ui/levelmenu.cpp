#include "menu/ui/levelmenu.h"

#include <algorithm>

#include <QApplication>
#include <QFrame>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTextBrowser>

#include "state/appstate.h"
#include "app/localpage.h"
#include "app/spokentext.h"
#include "app/ui/pendinginput.h"
#include "app/ui/screenstyle.h"
#include "drill/factmap.h"
#include "drill/sessionclock.h"
#include "menu/gradefilter.h"
#include "menu/menukeys.h"
#include "menu/menurules.h"
#include "menu/resultviews.h"
#include "menu/ui/graphpane.h"
#include "menu/ui/levelcolumn.h"
#include "menu/ui/menucontrols.h"
#include "menu/ui/menuheader.h"
#include "menu/ui/menulists.h"
#include "menu/ui/menuwidgets.h"
#include "menu/ui/viewpanel.h"
#include "menu/ui/waitcover.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "store/tallies.h"

using namespace MenuWidgets;
using namespace ResultLists;

namespace {

// The columns share this width, whatever the number of levels.
constexpr int ColumnsTwips = 14592;
// The width the menu was laid out for; wider screens get wider columns.
constexpr int DesignWidthPx = 1024;
constexpr int HeaderHeight = 78;
constexpr int PanelHeight = 44;
constexpr int WebPaneHeight = 96;
constexpr int Margin = 8;

// The student's tallies at a level; no sessions where the tables end.
TallyCell cellOf(const AppState &state, int level)
{
    if (!TallyTables::contains(level, state.StudentNumber))
        return {};
    return state.ResultTallies.at(level, state.StudentNumber);
}

} // namespace

LevelMenu::LevelMenu(AppState &state, Platform &platform, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_platform(platform)
{
    named(this, MenuControls::Screen);
    setAttribute(Qt::WA_StyledBackground);
    setWindowTitle(QStringLiteral("Growna"));
    buildControls();
    connectControls();
    addShortcuts();
}

void LevelMenu::buildControls()
{
    m_header = new MenuHeader(this);
    m_page = named(new QTextBrowser(this), MenuControls::Page);
    m_page->setOpenLinks(false);
    m_page->setFocusPolicy(Qt::NoFocus);
    m_columnScroll = named(new QScrollBar(Qt::Horizontal, this), MenuControls::ColumnScroll);
    m_columnScroll->hide();
    m_viewPanel = new ViewPanel(this);
    m_cover = new WaitCover(this);
    m_lists = new MenuLists(m_state, m_platform, this, m_header, m_viewPanel, m_cover);
    m_graph = new GraphPane(
        m_state, m_platform,
        [this](std::vector<ResultLists::LogRecord> &records) { return m_lists->readWholeFile(records); }, this);
    m_graph->hide();
    // Built last, so that it lies over everything else of the menu.
    m_teacherPanel = new TeacherPanel(m_state, m_platform, this);
}

void LevelMenu::connectControls()
{
    connect(m_header, &MenuHeader::backClicked, this, &LevelMenu::goBack);
    connect(m_header, &MenuHeader::dataClicked, this, &LevelMenu::openDataTools);
    connect(m_columnScroll, &QScrollBar::valueChanged, this, &LevelMenu::placeColumns);
    connect(m_viewPanel, &ViewPanel::viewChosen, m_lists, &MenuLists::chooseView);
    connect(m_viewPanel, &ViewPanel::listChosen, m_lists, &MenuLists::chooseList);
    connect(m_viewPanel, &ViewPanel::gradeChosen, m_lists, &MenuLists::chooseGrade);
    connect(m_viewPanel, &ViewPanel::periodChosen, m_lists, &MenuLists::choosePeriod);
    connect(m_lists, &MenuLists::filled, this, &LevelMenu::showOveruseNotices);
    connect(m_lists, &MenuLists::ownHistoryShown, this, &LevelMenu::followOwnHistory);
    connect(m_viewPanel, &ViewPanel::graphRequested, this, &LevelMenu::openGraph);
    connect(m_teacherPanel, &TeacherPanel::toolChosen, this, &LevelMenu::openTool);
    connect(m_teacherPanel, &TeacherPanel::keyLocationStored, this, &LevelMenu::keyLocationStored);
}

// Window-wide, on the main keys and the keypad: a fill can leave no widget
// with the focus, and the key then goes to the window itself.
void LevelMenu::addShortcuts()
{
    const auto add = [this](Qt::Key key, auto handler) {
        auto *shortcut = new QShortcut(this);
        QList<QKeySequence> keys{QKeySequence(key)};
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            keys.append(QKeySequence(Qt::KeypadModifier | key));
        shortcut->setKeys(keys);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, handler);
    };
    for (int level = 1; level <= MenuKeys::KeyedLevels; ++level)
        add(MenuKeys::startKey(level), [this, level] { startLevelFromKey(level); });
    add(MenuKeys::BackKey, [this] { goBackFromKey(); });
}

bool LevelMenu::keyReady() const
{
    return m_keyReady && !m_lists->filling();
}

int LevelMenu::viewMode() const
{
    return m_lists->viewMode();
}

int LevelMenu::period() const
{
    return m_lists->period();
}

int LevelMenu::levelCount() const
{
    return std::clamp<int>(m_state.LevelCount, 0, MaxLevel);
}

void LevelMenu::prepare()
{
    const int n = levelCount();
    // Twips at the screen's resolution, widened or narrowed to fill the screen's width.
    const QScreen *screen = QApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    const int available = screen ? screen->availableGeometry().width() : DesignWidthPx;
    const double scale = double(available - 2 * Margin) / (ColumnsTwips * dpi / 1440.0);
    // A column's share is whole twips before it is scaled.
    // NOLINTNEXTLINE(bugprone-integer-division)
    m_columnWidth = n > 0 ? int(ColumnsTwips / n * dpi / 1440.0 * scale) : 0;

    showPage();
    applySeasonColour();
    m_viewPanel->setGradeChoices(gradeFilterTexts(), m_state.initialGradeFilter);
    m_viewPanel->setPeriodChoices(periodTexts(), DefaultPeriod);
    buildColumns();
    fitListFont();
    m_columnScroll->setRange(1, std::max(1, n - 3));
    m_columnScroll->setVisible(n > 4);
    m_cover->setGeometry(rect());
}

void LevelMenu::openGraph()
{
    m_graph->setPointsKind(m_lists->pointsKind());
    m_graph->setGradeFilter(m_viewPanel->gradeFilter());
    m_graph->open();
}

// The graph and the fact maps belong to the own-history view: they are
// filled when the view is shown, and any other view puts them away.
void LevelMenu::followOwnHistory(bool shown)
{
    for (LevelColumn *column : m_columns) {
        if (!shown) {
            column->hideFacts();
            continue;
        }
        const int level = column->level();
        column->showFacts(FactMap::storedFacts(m_state.DataFolder, m_state.StudentNumber, level),
                          m_state.LevelStandards[std::size_t(level)].TargetTime);
    }
    if (!shown) {
        m_graph->hide();
        return;
    }
    m_graph->fillLevelChooser();
    m_graph->fillRosterChooser();
}

void LevelMenu::showPage()
{
    m_page->setSearchPaths({m_state.DataFolder});
    m_page->setHtml(LocalPage::read(m_state.DataFolder + QStringLiteral("PageSeisekisita.htm")));
}

void LevelMenu::applySeasonColour()
{
    QStringList selectors;
    for (const char *name :
         {MenuControls::Screen, MenuControls::WaitCover, MenuControls::ViewPanel, MenuControls::WaitText,
          MenuControls::Title, MenuControls::Student, MenuControls::Site, MenuControls::Minutes,
          MenuControls::TodayTotal, MenuControls::ListTitle, MenuControls::GradeCaption})
        selectors.append(Controls::selector(name));
    selectors.append(QStringLiteral("QRadioButton"));
    const QString colours = ScreenStyle::seasonColours(m_state.SeasonColour);
    setStyleSheet(selectors.join(QStringLiteral(", ")) + QStringLiteral(" { %1 }").arg(colours));
}

void LevelMenu::buildColumns()
{
    for (int k = 1; k <= levelCount(); ++k) {
        auto *column = new LevelColumn(k, m_state.LevelNames[std::size_t(k)], m_columnWidth, this);
        column->showStandard(m_state.LevelStandards[std::size_t(k)], cellOf(m_state, k));
        connect(column, &LevelColumn::startRequested, this, &LevelMenu::startLevel);
        connect(column, &LevelColumn::nameClicked, this, &LevelMenu::startLevelByName);
        column->show();
        m_columns.push_back(column);
    }
    m_lists->setColumns(m_columns);
}

// The list lines are fixed-width columns; the widest (a points-view period
// line) must fit without clipping.
void LevelMenu::fitListFont()
{
    const int scrollBar = qApp->style() ? 20 : 16;
    const QFont font = fitted(ScreenStyle::fixedPitchFont(), QStringLiteral(" 9999 12/31①やまだはな①4999秒"),
                              m_columnWidth - scrollBar - 10, 22);
    for (LevelColumn *column : m_columns)
        column->setResultFont(font);
}

void LevelMenu::activate()
{
    AppState &state = m_state;
    m_header->setDataButtonShown(MenuRules::isTeacher(state));
    m_header->showMinutesSinceLogin(SessionTiming::minutesSinceLogin(m_platform.clock.tickCount(), state.loginTick));
    m_keyReady = false;
    m_cover->cover();
    m_viewPanel->setListCaptions(captionsOnRefresh());
    if (!ComputeTallies(state, m_platform))
        return;
    showTodayTotal();
    m_lists->showDefaultView();
    for (LevelColumn *column : m_columns)
        column->open(cellOf(state, column->level()));
    m_cover->hide();
    m_header->showStudent(state.StudentGrade, state.StudentName, state.SiteTitle, state.StudentNumber);
    m_header->showTitle(state.ContentTitle);
    {
        const QSignalBlocker blocker(m_columnScroll);
        m_columnScroll->setValue(1);
    }
    placeColumns();
    showOveruseNotices();
    m_cover->hideProgress();
    m_keyReady = true;
    // The focus starts on the first start button, not on the menu as a whole,
    // and that button says whose menu it is: Orca drops the notices of a
    // screen that is still being built, never its focus.
    if (!m_columns.empty()) {
        m_columns.front()->describeStart(SpokenText::join({state.StudentGrade, state.StudentName}));
        if (!focusWidget() || focusWidget() == this)
            m_columns.front()->setStartFocus();
    }
}

void LevelMenu::showTodayTotal()
{
    double today = 0;
    for (int level = 1; level <= MaxLevel; ++level)
        today += cellOf(m_state, level).todayCount;
    m_header->showTodayTotal(today);
}

void LevelMenu::showOveruseNotices()
{
    const int n = std::min<int>(levelCount(), int(m_columns.size()));
    const MenuRules::OveruseNotices notices = MenuRules::overuseNotices(m_state, n);
    m_goalCleared = notices.goalCleared;
    for (std::size_t i = 0; i < notices.shown.size(); ++i) {
        if (notices.shown[i])
            m_columns[i]->setOveruseNotice(*notices.shown[i]);
    }
}

// The screen is being left from the first start or return on: a key or
// click that was already waiting must not start a second drill.
bool LevelMenu::mayStart(int level) const
{
    return keyReady() && !m_teacherPanel->isVisible() && level >= 1 && level <= int(m_columns.size())
           && m_columns[std::size_t(level - 1)]->startEnabled();
}

// False, after telling the student, for a level the table gives no time
// limit: a lowest time of 0 (or none) would end the session after its first second.
bool LevelMenu::levelSetUp(int level)
{
    const AppState &state = m_state;
    if (LevelStandardFile::levelCanRun(state.LevelStandards[std::size_t(level)]))
        return true;
    m_platform.dialogs.tell(
        QStringLiteral("注意"),
        QStringLiteral(
            "「%1」はまだ準備ができていないため、始められません。\n%2 の最低タイムを先生に確かめてもらってください。")
            .arg(state.LevelNames[std::size_t(level)], QString::fromUtf8(LevelStandardFile::FileName)),
        DialogIcon::Warning);
    return false;
}

void LevelMenu::startLevel(int level)
{
    if (!mayStart(level) || !levelSetUp(level))
        return;
    m_keyReady = false;
    m_cover->cover();
    m_cover->repaint();
    // What was typed meanwhile reaches this menu, which drops it, and not the drill.
    PendingInput::afterDelivered(this, [this, level] { emit levelChosen(level); });
}

void LevelMenu::startLevelByName(int level)
{
    if (!mayStart(level) || !levelSetUp(level))
        return;
    m_keyReady = false;
    PendingInput::afterDelivered(this, [this, level] { emit levelChosen(level); });
}

void LevelMenu::startLevelFromKey(int level)
{
    if (level <= levelCount())
        startLevel(level);
}

void LevelMenu::goBack()
{
    if (!keyReady())
        return;
    m_keyReady = false;
    m_cover->cover();
    m_cover->repaint();
    PendingInput::afterDelivered(this, [this] { emit backRequested(); });
}

// Only while the button is enabled: a list fill turns it off.
void LevelMenu::goBackFromKey()
{
    if (m_header->backEnabled())
        goBack();
}

// The key test comes first: the panel opens the tools only when it passes.
void LevelMenu::openDataTools()
{
    m_teacherPanel->open();
}

void LevelMenu::openTool(TeacherPanel::Tool tool)
{
    // The printing and export windows open over the menu, which stays.
    if (tool == TeacherPanel::Tool::Worksheets) {
        emit worksheetsRequested();
        return;
    }
    if (tool == TeacherPanel::Tool::Export) {
        emit exportRequested();
        return;
    }
    // The other tools replace the menu, which is built afresh when one is left.
    m_keyReady = false;
    if (tool == TeacherPanel::Tool::ResultsManager)
        emit resultsManagerRequested();
    else
        emit standardEditorRequested();
}

void LevelMenu::placeColumns()
{
    const int first = m_columnScroll->value();
    for (LevelColumn *column : m_columns)
        column->move(m_columnsLeft + (column->level() - first) * m_columnWidth, m_columnsTop);
}

void LevelMenu::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeParts();
}

void LevelMenu::placeParts()
{
    const int columns = int(m_columns.size()) * m_columnWidth;
    m_columnsLeft = std::max(Margin, (width() - columns) / 2);
    m_columnsTop = HeaderHeight + PanelHeight + 8;
    m_header->setGeometry(m_columnsLeft, 0, columns, HeaderHeight);
    m_viewPanel->setGeometry(m_columnsLeft, HeaderHeight, columns, PanelHeight);
    const int webTop = height() - WebPaneHeight - Margin;
    const int columnHeight = std::max(200, webTop - m_columnsTop - 6);
    for (LevelColumn *column : m_columns)
        column->fitHeight(columnHeight);
    m_columnScroll->setGeometry(m_columnsLeft, webTop - 18, columns, 16);
    const int webWidth = std::min(width() - 2 * Margin, int(columns * 1.02));
    m_page->setGeometry((width() - webWidth) / 2, webTop, webWidth, WebPaneHeight);
    placeColumns();
    m_graph->setGeometry(m_columnsLeft, m_columnsTop, columns, std::max(200, height() - m_columnsTop - Margin));
    m_cover->setGeometry(rect());
}

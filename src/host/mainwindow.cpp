#include "host/mainwindow.h"

#include "host/hostcontrols.h"

#include <QApplication>
#include <QLayout>
#include <QScreen>
#include <QStackedWidget>
#include <QStyle>

#include "state/appstate.h"
#include "state/startup.h"
#include "app/calendartext.h"
#include "app/ui/controlnames.h"
#include "app/ui/noticelabel.h"
#include "app/ui/splashscreen.h"
#include "app/ui/waitscreen.h"
#include "drill/ui/drillscreen.h"
#include "menu/ui/levelmenu.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/programend.h"
#include "result/ui/resultscreen.h"
#include "roster/login.h"
#include "roster/ui/namescreen.h"
#include "sound/soundcues.h"
#include "store/resultsrewrite.h"
#include "teacher/ui/exportdialog.h"
#include "teacher/ui/resultsmanager.h"
#include "teacher/ui/worksheetdialog.h"
#include "teacher/ui/standardeditor.h"

MainWindow::MainWindow(AppState &state, Platform &platform, QString programFolder)
    : m_state(state)
    , m_platform(platform)
    , m_programFolder(std::move(programFolder))
{
    setObjectName(QString::fromLatin1(HostControls::Window));
    // Screens are swapped in a stack: taking the old one out of the window
    // would make it a window of its own first, which cost a quarter of
    // opening the level menu.
    m_screens = new QStackedWidget(this);
    Controls::named(m_screens, HostControls::Screens);
    setCentralWidget(m_screens);
    // The window keeps the screen's size whatever a screen would like: a
    // screen lays itself out in what the monitor has.
    layout()->setSizeConstraint(QLayout::SetNoConstraint);
    resize(1024, 700);
}

MainWindow::~MainWindow()
{
    delete m_wait;
}

void MainWindow::showScreen(QWidget *screen)
{
    QWidget *old = m_screens->currentWidget();
    m_screens->addWidget(screen);
    m_screens->setCurrentWidget(screen);
    if (old) {
        m_screens->removeWidget(old);
        old->hide();
        old->deleteLater();
    }
    setWindowTitle(screen->windowTitle());
    screen->show();
    screen->setFocus();
}

QWidget *MainWindow::currentScreen() const
{
    return m_screens->currentWidget();
}

void MainWindow::setBusy(bool busy)
{
    if (!busy) {
        // The wait panel is a window of its own; the keys belong to the
        // screens again once it is gone.
        const bool hadWait = m_wait;
        delete m_wait;
        if (hadWait && isVisible())
            activateWindow();
        return;
    }
    if (!m_wait)
        m_wait = new WaitScreen();
    m_wait->show();
    m_wait->raise();
    m_wait->repaint();
}

bool MainWindow::waitShown() const
{
    return m_wait && m_wait->isVisible();
}

void MainWindow::showWaiting(const QString &text)
{
    if (!m_waitingNotice) {
        m_waitingNotice = Controls::named(new NoticeLabel(text, this), HostControls::OtherCopyNotice);
        m_waitingNotice->setWordWrap(true);
        m_waitingNotice->setAlignment(Qt::AlignCenter);
        m_waitingNotice->setFont(Controls::sized(font(), 20, true));
        m_waitingNotice->setStyleSheet(Controls::selector(HostControls::OtherCopyNotice)
                                       + QStringLiteral(" { background: rgb(255, 255, 225); color: black;"
                                                        " border: 3px solid rgb(210, 120, 0); padding: 16px; }"));
        m_waitingNotice->hide();
    }
    m_waitingNotice->setText(text);
    // Below the middle, where the drill's "成績記録中" leaves room.
    const QRect area = m_screens->geometry();
    // On one line where the window is wide enough; the frame and padding take 40.
    const int width = std::min(area.width() - 40, m_waitingNotice->fontMetrics().horizontalAdvance(text) + 48);
    const int height = m_waitingNotice->heightForWidth(width);
    m_waitingNotice->setGeometry(area.left() + (area.width() - width) / 2,
                                 area.top() + area.height() * 3 / 4 - height / 2, width, height);
    m_waitingNotice->raise();
    m_waitingNotice->announce(text);
}

void MainWindow::hideWaiting()
{
    if (m_waitingNotice)
        m_waitingNotice->hide();
}

void MainWindow::showSplash()
{
    auto *splash = new SplashScreen(m_platform);
    connect(splash, &SplashScreen::finished, this, &MainWindow::startMainMenu);
    showScreen(splash);
    // Classroom PCs give the whole screen to the drill.
    if (const QScreen *screen = QApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    showMaximized();
    // Without a window manager nobody else makes the window active, and
    // shortcut keys reach only the active window.
    activateWindow();
    m_state.SeasonColour = CalendarText::seasonColour(m_platform.clock.today().month());
    splash->prepare(m_state.SeasonColour);
}

void MainWindow::startMainMenu()
{
    const Startup::LoadError error = Startup::LoadStartupData(m_state, m_programFolder);
    if (error.failed()) {
        m_platform.dialogs.tell(QStringLiteral("注意"), error.message(), DialogIcon::Critical);
        m_platform.programEnd.endProgram(1);
        return;
    }
    preloadSoundCues(m_state, m_platform);
    // A teacher's delete that was cut off leaves the shared file half rewritten
    // for every copy until one of them repairs it.
    ResultsRewrite::reportInterruptedDelete(m_state, m_platform);
    openNameScreen();
}

void MainWindow::openNameScreen()
{
    auto *screen = new NameScreen(m_state, m_platform);
    connect(screen, &NameScreen::studentChosen, this, &MainWindow::logIn);
    if (!screen->prepare()) {
        delete screen;
        return;
    }
    showScreen(screen);
    screen->activate();
}

void MainWindow::logIn(qint16 student, const QString &gradeFilter)
{
    logInStudent(m_state, m_platform.clock, student);
    m_state.initialGradeFilter = gradeFilter;
    openLevelMenu();
}

void MainWindow::openLevelMenu()
{
    Startup::SetUpLevelCatalogue(m_state);
    // Built in place: moving a finished widget tree into the window restyles all of it.
    auto *menu = new LevelMenu(m_state, m_platform, m_screens);
    connect(menu, &LevelMenu::levelChosen, this, [this, menu](int level) {
        m_state.goalClearedAtStart = menu->goalCleared();
        openDrill(level);
    });
    connect(menu, &LevelMenu::backRequested, this, &MainWindow::openNameScreen);
    connect(menu, &LevelMenu::standardEditorRequested, this, &MainWindow::openStandardEditor);
    connect(menu, &LevelMenu::resultsManagerRequested, this, &MainWindow::openResultsManager);
    connect(menu, &LevelMenu::worksheetsRequested, this, &MainWindow::openWorksheets);
    connect(menu, &LevelMenu::exportRequested, this, &MainWindow::openExport);
    connect(menu, &LevelMenu::keyLocationStored, this,
            [this](const QString &location) { Startup::setKeyPassLocation(m_state, location); });
    menu->prepare();
    showScreen(menu);
    menu->activate();
}

void MainWindow::openDrill(int level)
{
    m_state.CurrentLevel = static_cast<qint16>(level);
    auto *drill = new DrillScreen(m_state, m_platform, level);
    connect(drill, &DrillScreen::busy, this, &MainWindow::setBusy);
    connect(drill, &DrillScreen::backRequested, this, &MainWindow::openLevelMenu);
    connect(drill, &DrillScreen::sessionRecorded, this, &MainWindow::openResult);
    showScreen(drill);
    drill->prepare();
    drill->activate();
}

void MainWindow::openResult(const SessionOutcome &outcome)
{
    auto *result = new ResultScreen(m_state, m_platform, outcome);
    connect(result, &ResultScreen::busy, this, &MainWindow::setBusy);
    connect(result, &ResultScreen::menuRequested, this, &MainWindow::openLevelMenu);
    connect(result, &ResultScreen::repeatRequested, this, [this, level = outcome.level] { openDrill(level); });
    showScreen(result);
    result->activate();
}

void MainWindow::openStandardEditor()
{
    auto *editor = new StandardEditor(m_state, m_platform);
    connect(editor, &StandardEditor::backRequested, this, &MainWindow::openLevelMenu);
    showScreen(editor);
    editor->activate();
}

void MainWindow::openResultsManager()
{
    auto *manager = new ResultsManager(m_state, m_platform);
    connect(manager, &ResultsManager::backRequested, this, &MainWindow::openLevelMenu);
    showScreen(manager);
    manager->activate();
}

namespace {

// A dialog never larger than the screen it opens on, and wholly on it.
void fitOnScreen(QWidget &dialog, const QWidget &over)
{
    const QScreen *screen = over.screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    // Room for the title bar and the frame the window manager adds.
    const int frame = dialog.style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const QSize decoration(2 * frame, dialog.style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * frame);
    dialog.resize(dialog.size().boundedTo(available.size() - decoration).expandedTo(dialog.minimumSizeHint()));
    QRect place(QPoint(), dialog.size());
    place.moveCenter(over.geometry().center());
    place.moveBottom(std::min(place.bottom(), available.bottom()));
    place.moveRight(std::min(place.right(), available.right()));
    place.moveTop(std::max(place.top(), available.top()));
    place.moveLeft(std::max(place.left(), available.left()));
    dialog.move(place.topLeft());
}

} // namespace

void MainWindow::openWorksheets()
{
    WorksheetDialog dialog(m_state, m_platform, this);
    fitOnScreen(dialog, *this);
    dialog.exec();
}

void MainWindow::openExport()
{
    ExportDialog dialog(m_state, m_platform, m_lastExportFolder, this);
    fitOnScreen(dialog, *this);
    dialog.exec();
    m_lastExportFolder = dialog.lastFolder();
}

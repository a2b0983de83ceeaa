#include "app/ui/screenhost.h"

#include <QApplication>
#include <QScreen>
#include <QStackedWidget>

#include "app/appstate.h"
#include "app/startup.h"
#include "app/ui/basefrm.h"
#include "app/ui/firstfrm.h"
#include "drill/ui/mainfrm.h"
#include "menu/ui/seisekitime1.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/programend.h"
#include "result/ui/frmsyuuryou.h"
#include "roster/ui/namesel.h"
#include "sound/soundcues.h"

ScreenHost::ScreenHost(AppState &state, Platform &platform, QString programFolder)
    : m_state(state)
    , m_platform(platform)
    , m_programFolder(std::move(programFolder))
{
    setObjectName(QStringLiteral("ScreenHost"));
    // Screens are swapped in a stack: taking the old one out of the window
    // would make it a window of its own first, which cost a quarter of
    // opening the level menu.
    m_screens = new QStackedWidget(this);
    m_screens->setObjectName(QStringLiteral("Screens"));
    setCentralWidget(m_screens);
    resize(1024, 700);
}

ScreenHost::~ScreenHost()
{
    delete m_wait;
}

void ScreenHost::showScreen(QWidget *screen)
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

QWidget *ScreenHost::currentScreen() const
{
    return m_screens->currentWidget();
}

void ScreenHost::showWait()
{
    if (!m_wait)
        m_wait = new BASEFRM();
    m_wait->show();
    m_wait->raise();
    QCoreApplication::processEvents();
}

void ScreenHost::closeWait()
{
    delete m_wait;
}

bool ScreenHost::waitShown() const
{
    return m_wait && m_wait->isVisible();
}

void ScreenHost::showSplash()
{
    auto *splash = new Firstfrm(*this);
    showScreen(splash);
    // Classroom PCs give the whole screen to the drill.
    if (const QScreen *screen = QApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    showMaximized();
    splash->Form_Load();
}

void ScreenHost::StartMainMenu()
{
    const Startup::LoadError error = Startup::LoadStartupData(m_state, m_programFolder);
    if (error.failed()) {
        m_platform.dialogs.tell(QStringLiteral("注意"), error.message(), DialogIcon::Critical);
        m_platform.programEnd.endProgram(1);
        return;
    }
    PreloadSoundCues(m_state, m_platform);
    openNameSelection();
}

void ScreenHost::openNameSelection()
{
    auto *screen = new namesel(*this);
    if (!screen->Form_Load()) {
        delete screen;
        return;
    }
    showScreen(screen);
    screen->Form_Activate();
}

void ScreenHost::openLevelMenu()
{
    Startup::SetUpLevelCatalogue(m_state);
    // Built in place: moving a finished widget tree into the window restyles all of it.
    auto *menu = new seisekitime1(*this, m_screens);
    menu->Form_Load();
    showScreen(menu);
    menu->Form_Activate();
}

void ScreenHost::openDrill()
{
    StartDrill(*this);
}

void ScreenHost::openResult()
{
    auto *result = new FrmSyuuryou(*this);
    showScreen(result);
    result->Form_Activate();
}

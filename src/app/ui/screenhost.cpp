#include "app/ui/screenhost.h"

#include <QApplication>
#include <QScreen>

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
    resize(1024, 700);
}

ScreenHost::~ScreenHost()
{
    delete m_wait;
}

void ScreenHost::showScreen(QWidget *screen)
{
    if (QWidget *old = takeCentralWidget()) {
        old->hide();
        old->deleteLater();
    }
    setCentralWidget(screen);
    setWindowTitle(screen->windowTitle());
    screen->show();
    screen->setFocus();
}

QWidget *ScreenHost::currentScreen() const
{
    return centralWidget();
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
    auto *menu = new seisekitime1(*this, this);
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

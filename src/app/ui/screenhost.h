#pragma once

#include <QMainWindow>
#include <QPointer>

struct AppState;
struct Platform;
class BASEFRM;
class QStackedWidget;

// The one top-level window. It shows one screen at a time: opening a screen
// builds it afresh and the previous one is destroyed, so every visit
// rebuilds its contents. It also knows how to open each screen.
class ScreenHost final : public QMainWindow
{
    Q_OBJECT

public:
    ScreenHost(AppState &state, Platform &platform, QString programFolder);
    ~ScreenHost() override;

    AppState &state() { return m_state; }
    Platform &platform() { return m_platform; }
    const QString &programFolder() const { return m_programFolder; }

    // Takes ownership; the previous screen is deleted once control returns
    // to the event loop, so a handler of the old screen may call this.
    void showScreen(QWidget *screen);
    QWidget *currentScreen() const;

    void showWait();
    void closeWait();
    bool waitShown() const;

    void showSplash();
    // Loads the settings and opens the name selection screen; a failed load
    // shows what is wrong and ends the program.
    void StartMainMenu();
    void openNameSelection();
    void openLevelMenu();
    // StartDrill for CurrentLevel: a fresh drill screen.
    void openDrill();
    // The result screen of the session just recorded.
    void openResult();

private:
    AppState &m_state;
    Platform &m_platform;
    QString m_programFolder;
    QPointer<BASEFRM> m_wait;
    QStackedWidget *m_screens = nullptr;
};

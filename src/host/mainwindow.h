#pragma once

#include <QMainWindow>
#include <QPointer>

#include "platform/waitnotice.h"

struct AppState;
struct Platform;
struct SessionOutcome;
class NoticeLabel;
class QStackedWidget;
class WaitScreen;

// The one top-level window. It builds each screen, shows one at a time and
// follows the screens' signals from one to the next. Opening a screen builds
// it afresh and the previous one is destroyed, so every visit rebuilds its
// contents. While the program waits for another copy of the program it
// says so over whichever screen is showing.
class MainWindow final
    : public QMainWindow
    , public WaitNotice
{
    Q_OBJECT

public:
    MainWindow(AppState &state, Platform &platform, QString programFolder);
    ~MainWindow() override;

    QWidget *currentScreen() const;
    bool waitShown() const;

    void showWaiting(const QString &text) override;
    void hideWaiting() override;

public slots:
    void showSplash();
    // Loads the settings and opens the name screen; a failed load shows what
    // is wrong and ends the program.
    void startMainMenu();
    void openNameScreen();
    // Logs in the student the name screen confirmed and opens the level menu.
    void logIn(qint16 student, const QString &gradeFilter);
    void openLevelMenu();
    // A fresh drill of `level`, which becomes the current level.
    void openDrill(int level);
    // The result screen of the session just recorded.
    void openResult(const SessionOutcome &outcome);
    // The teacher's level standard editor, in place of the level menu.
    void openStandardEditor();
    // The teacher's list of recorded results, in place of the level menu.
    void openResultsManager();
    // The teacher's printing and export windows, over the level menu.
    void openWorksheets();
    void openExport();
    void setBusy(bool busy);

private:
    // Takes ownership; the previous screen is deleted once control returns
    // to the event loop, so it may still be running the handler that asked
    // for the change.
    void showScreen(QWidget *screen);

    AppState &m_state;
    Platform &m_platform;
    QString m_programFolder;
    // Offered to the next export while the program runs.
    QString m_lastExportFolder;
    QPointer<WaitScreen> m_wait;
    NoticeLabel *m_waitingNotice = nullptr;
    QStackedWidget *m_screens = nullptr;
};

#pragma once

#include <QTimer>
#include <QWidget>

#include "drill/ui/screenscale.h"

class QFrame;
class QLabel;
class QPushButton;
class ScreenHost;
struct AppState;
struct Platform;

// The result screen after a session: time, points, records, and whether
// the level may be repeated at once.
class FrmSyuuryou final : public QWidget
{
    Q_OBJECT

public:
    explicit FrmSyuuryou(ScreenHost &host, QWidget *parent = nullptr);

    QFrame *Picture4 = nullptr;
    QFrame *Picture1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label13 = nullptr;
    QLabel *Label14 = nullptr;
    QLabel *Label15 = nullptr;
    QLabel *Label16 = nullptr;
    QLabel *Label17 = nullptr;
    QLabel *Label18 = nullptr;
    QLabel *Label19 = nullptr;
    QLabel *Label20 = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command5 = nullptr;
    QTimer Timer1;

public slots:
    void Form_Activate();
    void Timer1_Timer();
    void Command4_Click();
    void Command5_Click();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void announce();
    void dropPendingInput();
    // Both buttons off before a button leaves, so a double click or a second
    // key cannot leave twice.
    bool beginLeaving();
    bool levelCleared() const;
    bool isGoalLevel() const;

    ScreenHost &m_host;
    AppState &m_state;
    Platform &m_platform;
    bool m_activated = false;
    // Timer1 may come due while a cue plays; its work waits for the end of
    // the evaluation, when the screen takes events again.
    bool m_evaluating = false;
    bool m_timerDue = false;
    bool m_droppingInput = false;
    bool m_leaving = false;
    ScreenScale m_scale;
};

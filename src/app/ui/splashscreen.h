#pragma once

#include <QWidget>

class QFrame;
class QTimer;
class QLabel;
struct AppState;
struct Platform;

// The splash screen: today's date in the Japanese era and the season
// colour; 100 ms after it is prepared it reports that it is finished.
class SplashScreen final : public QWidget
{
    Q_OBJECT

public:
    SplashScreen(AppState &state, Platform &platform, QWidget *parent = nullptr);

    // Seeds the random numbers, shows the date in the season colour and
    // starts the short wait before finished().
    void prepare();

signals:
    void finished();

private:
    AppState &m_state;
    Platform &m_platform;
    QFrame *m_panel = nullptr;
    QLabel *m_productName = nullptr;
    QLabel *m_date = nullptr;
    QTimer *m_pause = nullptr;
};

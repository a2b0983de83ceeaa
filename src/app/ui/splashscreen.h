#pragma once

#include <QWidget>

class QFrame;
class QTimer;
class QLabel;
struct Platform;
struct RgbColour;

// The splash screen: today's date in the Japanese era and the season
// colour; 100 ms after it is prepared it reports that it is finished.
class SplashScreen final : public QWidget
{
    Q_OBJECT

public:
    explicit SplashScreen(Platform &platform, QWidget *parent = nullptr);

    // Seeds the random numbers, shows the date in the season's colour and
    // starts the short wait before finished().
    void prepare(const RgbColour &season);

signals:
    void finished();

private:
    Platform &m_platform;
    QFrame *m_panel = nullptr;
    QLabel *m_productName = nullptr;
    QLabel *m_date = nullptr;
    QTimer *m_pause = nullptr;
};

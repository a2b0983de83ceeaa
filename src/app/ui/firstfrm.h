#pragma once

#include <QTimer>
#include <QWidget>

class QFrame;
class QLabel;
class ScreenHost;

// The splash screen: today's date in the Japanese era, the season colour,
// and 100 ms after loading the start of the program proper.
class Firstfrm final : public QWidget
{
    Q_OBJECT

public:
    explicit Firstfrm(ScreenHost &host, QWidget *parent = nullptr);

    QFrame *Picture1 = nullptr;
    QLabel *Label1 = nullptr;  // product name
    QLabel *Label2 = nullptr;  // date
    QTimer Timer1;

public slots:
    void Form_Load();
    void Timer1_Timer();

private:
    ScreenHost &m_host;
};

#include "app/ui/splashscreen.h"

#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QGridLayout>
#include <QVBoxLayout>

#include "app/calendartext.h"
#include "app/ui/controlnames.h"
#include "app/ui/splashcontrols.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "platform/random.h"

SplashScreen::SplashScreen(Platform &platform, QWidget *parent)
    : QWidget(parent)
    , m_platform(platform)
{
    setObjectName(QString::fromLatin1(SplashControls::Screen));
    setWindowTitle(QStringLiteral("カズドリ"));

    m_panel = new QFrame(this);
    Controls::named(m_panel, SplashControls::Panel);
    m_panel->setFrameShape(QFrame::Box);
    m_panel->setLineWidth(3);
    m_panel->setMinimumSize(560, 300);
    m_productName = new QLabel(QStringLiteral("カズドリ"), m_panel);
    Controls::named(m_productName, SplashControls::ProductName);
    m_productName->setAlignment(Qt::AlignCenter);
    QFont titleFont = m_productName->font();
    titleFont.setPointSize(48);
    titleFont.setBold(true);
    m_productName->setFont(titleFont);
    m_date = new QLabel(m_panel);
    Controls::named(m_date, SplashControls::Date);
    m_date->setAlignment(Qt::AlignCenter);
    QFont dateFont = m_date->font();
    dateFont.setPointSize(22);
    m_date->setFont(dateFont);

    auto *inner = new QVBoxLayout(m_panel);
    inner->setContentsMargins(40, 32, 40, 32);
    inner->addWidget(m_productName);
    inner->addWidget(m_date);
    // The panel sits in the middle of the window, whatever its size.
    auto *outer = new QGridLayout(this);
    outer->addWidget(m_panel, 0, 0, Qt::AlignCenter);

    m_pause = new QTimer(this);
    Controls::named(m_pause, SplashControls::Pause);
    m_pause->setSingleShot(true);
    m_pause->setInterval(100);
    connect(m_pause, &QTimer::timeout, this, &SplashScreen::finished);
}

void SplashScreen::prepare(const RgbColour &season)
{
    show();

    m_platform.random.seed(static_cast<quint32>(m_platform.clock.now().time().msecsSinceStartOfDay()));

    m_date->setText(CalendarText::eraDate(m_platform.clock.today()));
    const RgbColour &c = season;
    m_panel->setStyleSheet(Controls::selector(SplashControls::Panel)
                           + QStringLiteral(" { background: rgb(%1, %2, %3); }").arg(c.red).arg(c.green).arg(c.blue));
    m_productName->setAccessibleName(m_productName->text());
    m_date->setAccessibleName(m_date->text());

    // The window paints itself during the pause, before the slow start-up work.
    m_pause->start();
}

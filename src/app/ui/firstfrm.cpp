#include "app/ui/firstfrm.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QGridLayout>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/calendartext.h"
#include "app/ui/screenhost.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "platform/random.h"

Firstfrm::Firstfrm(ScreenHost &host, QWidget *parent)
    : QWidget(parent)
    , m_host(host)
{
    setObjectName(QStringLiteral("Firstfrm"));
    setWindowTitle(QStringLiteral("カズドリ"));

    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameShape(QFrame::Box);
    Picture1->setLineWidth(3);
    Picture1->setMinimumSize(560, 300);
    Label1 = new QLabel(QStringLiteral("カズドリ"), Picture1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    QFont titleFont = Label1->font();
    titleFont.setPointSize(48);
    titleFont.setBold(true);
    Label1->setFont(titleFont);
    Label2 = new QLabel(Picture1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    QFont dateFont = Label2->font();
    dateFont.setPointSize(22);
    Label2->setFont(dateFont);

    auto *inner = new QVBoxLayout(Picture1);
    inner->setContentsMargins(40, 32, 40, 32);
    inner->addWidget(Label1);
    inner->addWidget(Label2);
    // The panel sits in the middle of the window, whatever its size.
    auto *outer = new QGridLayout(this);
    outer->addWidget(Picture1, 0, 0, Qt::AlignCenter);

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setSingleShot(true);
    Timer1.setInterval(100);
    connect(&Timer1, &QTimer::timeout, this, &Firstfrm::Timer1_Timer);
}

void Firstfrm::Form_Load()
{
    QCoreApplication::processEvents();
    show();
    QCoreApplication::processEvents();

    Platform &platform = m_host.platform();
    AppState &state = m_host.state();
    platform.random.seed(static_cast<quint32>(platform.clock.now().time().msecsSinceStartOfDay()));

    const QDate today = platform.clock.today();
    Label2->setText(CalendarText::eraDate(today));
    state.SeasonColour = CalendarText::seasonColour(today.month());
    const RgbColour c = state.SeasonColour;
    Picture1->setStyleSheet(QStringLiteral("#Picture1 { background: rgb(%1, %2, %3); }")
                                .arg(c.red).arg(c.green).arg(c.blue));
    Label1->setAccessibleName(Label1->text());
    Label2->setAccessibleName(Label2->text());

    QCoreApplication::processEvents();
    Timer1.start();
}

void Firstfrm::Timer1_Timer()
{
    Timer1.stop();
    // Opening the next screen replaces (and so closes) the splash.
    m_host.StartMainMenu();
}

#include "app/ui/waitscreen.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "app/ui/controlnames.h"
#include "app/ui/waitcontrols.h"

WaitScreen::WaitScreen(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QString::fromLatin1(WaitControls::Screen));
    auto *panel = new QFrame(this);
    Controls::named(panel, WaitControls::Panel);
    panel->setFrameShape(QFrame::Box);
    panel->setLineWidth(2);
    panel->setStyleSheet(Controls::selector(WaitControls::Panel) + QStringLiteral(" { background: white; }"));
    auto *message = new QLabel(QStringLiteral("Just a moment, please."), panel);
    Controls::named(message, WaitControls::Message);
    message->setAlignment(Qt::AlignCenter);
    QFont font = message->font();
    font.setPointSize(24);
    message->setFont(font);
    auto *inner = new QVBoxLayout(panel);
    inner->setContentsMargins(48, 32, 48, 32);
    inner->addWidget(message);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panel);
}

void WaitScreen::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    adjustSize();
    // The panel is centred on the screen, whatever window is below it.
    if (const QScreen *screen = QApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }
}

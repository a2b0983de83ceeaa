#include "app/ui/waitscreen.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

WaitScreen::WaitScreen(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("BASEFRM"));
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Picture1"));
    panel->setFrameShape(QFrame::Box);
    panel->setLineWidth(2);
    panel->setStyleSheet(QStringLiteral("#Picture1 { background: white; }"));
    auto *message = new QLabel(QStringLiteral("Just a moment, please."), panel);
    message->setObjectName(QStringLiteral("Label1"));
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

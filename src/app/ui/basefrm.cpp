#include "app/ui/basefrm.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

BASEFRM::BASEFRM(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("BASEFRM"));
    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameShape(QFrame::Box);
    Picture1->setLineWidth(2);
    Picture1->setStyleSheet(QStringLiteral("#Picture1 { background: white; }"));
    Label1 = new QLabel(QStringLiteral("Just a moment, please."), Picture1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    QFont font = Label1->font();
    font.setPointSize(24);
    Label1->setFont(font);
    auto *inner = new QVBoxLayout(Picture1);
    inner->setContentsMargins(48, 32, 48, 32);
    inner->addWidget(Label1);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(Picture1);
}

void BASEFRM::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    adjustSize();
    // The panel is centred on the screen, whatever window is below it.
    if (const QScreen *screen = QApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }
}

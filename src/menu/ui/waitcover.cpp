#include "menu/ui/waitcover.h"

#include <QLabel>
#include <QProgressBar>

#include "menu/ui/menucontrols.h"
#include "menu/ui/menuwidgets.h"

using namespace MenuWidgets;

WaitCover::WaitCover(QWidget *parent)
    : QFrame(parent)
{
    named(this, MenuControls::WaitCover);
    setAutoFillBackground(true);
    m_text = named(new QLabel(QStringLiteral("Just a moment, please."), this), MenuControls::WaitText);
    m_text->setFont(pixelFont(font(), 36, true));
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setGeometry(0, 200, 1200, 60);
    m_progress = named(new QProgressBar(this), MenuControls::Progress);
    m_progress->setGeometry(200, 280, 600, 24);
    hide();
}

void WaitCover::cover()
{
    setGeometry(parentWidget()->rect());
    raise();
    show();
    m_progress->show();
}

void WaitCover::setProgressRange(int maximum)
{
    m_progress->setRange(0, maximum);
}

void WaitCover::setProgress(int value)
{
    m_progress->setValue(value);
}

void WaitCover::hideProgress()
{
    m_progress->hide();
}

void WaitCover::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    m_text->setGeometry(0, height() / 2 - 60, width(), 60);
    m_progress->setGeometry(width() / 4, height() / 2 + 10, width() / 2, 24);
}

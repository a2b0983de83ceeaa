#include "drill/ui/endoverlay.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/ui/controlnames.h"
#include "drill/ui/drillcontrols.h"
#include "drill/ui/drillwidgets.h"

using namespace DrillWidgets;
using namespace Qt::StringLiterals;

EndOverlay::EndOverlay(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QString::fromLatin1(DrillControls::EndOverlay));
    setAutoFillBackground(true);
    setStyleSheet(Controls::selector(DrillControls::EndOverlay) + u" { background: rgb(255, 250, 220); }"_s);
    auto *layout = new QVBoxLayout(this);
    m_recording = label(this, DrillControls::Recording, u"成績記録中"_s);
    m_timeUp = label(this, DrillControls::TimeUp, u"時間切れ"_s);
    m_timeUp->setStyleSheet(u"color: rgb(200, 0, 0);"_s);
    for (QLabel *l : {m_recording, m_timeUp}) {
        l->setAlignment(Qt::AlignCenter);
        setPointSize(l, 60, true);
        layout->addWidget(l);
    }
    hide();
}

void EndOverlay::cover(bool timedOut)
{
    m_timeUp->setVisible(timedOut);
    m_recording->setVisible(!timedOut);
    setGeometry(parentWidget()->rect());
    show();
    raise();
}

#include "drill/ui/endoverlay.h"

#include <QLabel>
#include <QVBoxLayout>

#include "drill/ui/drillwidgets.h"

using namespace DrillWidgets;
using namespace Qt::StringLiterals;

EndOverlay::EndOverlay(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(u"PictureEnd"_s);
    setAutoFillBackground(true);
    setStyleSheet(u"#PictureEnd { background: rgb(255, 250, 220); }"_s);
    auto *layout = new QVBoxLayout(this);
    m_recording = label(this, u"LabelRecording"_s, u"成績記録中"_s);
    m_timeUp = label(this, u"LabelTimeUp"_s, u"時間切れ"_s);
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

#include "drill/ui/drillheader.h"

#include <QHBoxLayout>
#include <QLabel>

#include "app/ui/screenscale.h"
#include "drill/ui/drillcontrols.h"
#include "drill/ui/drillwidgets.h"

using namespace DrillWidgets;

namespace {

// Longer titles would push the student's name off the line.
constexpr qsizetype LongTitle = 9;

} // namespace

DrillHeader::DrillHeader(QWidget *parent)
    : QWidget(parent)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    m_title = label(this, DrillControls::Title);
    m_student = label(this, DrillControls::Student);
    m_site = label(this, DrillControls::Site);
    setPointSize(m_title, 16.8, true);
    setPointSize(m_student, 20, true);
    setPointSize(m_site, 14);
    row->addWidget(m_title);
    row->addStretch(1);
    row->addWidget(m_student);
    row->addStretch(1);
    row->addWidget(m_site);
}

void DrillHeader::showTitle(const QString &title, ScreenScale &scale)
{
    m_title->setText(title);
    scale.setPointSize(m_title, title.size() > LongTitle ? 14 : 16.8);
}

void DrillHeader::showStudent(const QString &name)
{
    m_student->setText(name);
}

void DrillHeader::showSite(const QString &site)
{
    m_site->setText(site);
}

#include "teacher/ui/distributionpanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>

#include "app/ui/controlnames.h"
#include "app/ui/screenstyle.h"
#include "teacher/timedistribution.h"
#include "teacher/ui/standardeditorcontrols.h"

namespace {

QLabel *caption(const QString &text, const char *name, QWidget *parent)
{
    return Controls::named(new QLabel(text, parent), name);
}

QListWidget *barList(const char *name, const QString &accessibleName, QWidget *parent)
{
    auto *list = Controls::named(new QListWidget(parent), name);
    list->setAccessibleName(accessibleName);
    list->setFont(ScreenStyle::fixedPitchFont(14));
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    return list;
}

void fill(QListWidget *list, const QStringList &lines)
{
    list->setUpdatesEnabled(false);
    list->clear();
    list->addItems(lines);
    list->setUpdatesEnabled(true);
}

} // namespace

DistributionPanel::DistributionPanel(QWidget *parent)
    : QFrame(parent)
{
    Controls::named(this, StandardEditorControls::Distribution);
    setFrameShape(QFrame::StyledPanel);
    m_title = caption(QStringLiteral("現在までの成績度数分布"), StandardEditorControls::DistributionTitle, this);
    QFont titleFont = m_title->font();
    titleFont.setPointSize(12);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_allCaption = caption(QStringLiteral("全成績"), StandardEditorControls::AllCaption, this);
    m_bestCaption = caption(QStringLiteral("最高タイム"), StandardEditorControls::BestCaption, this);
    m_allResults = barList(StandardEditorControls::AllResults, m_allCaption->text(), this);
    m_bestTimes = barList(StandardEditorControls::BestTimes, m_bestCaption->text(), this);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_title, 0, 0, 1, 2);
    layout->addWidget(m_allCaption, 1, 0);
    layout->addWidget(m_bestCaption, 1, 1);
    layout->addWidget(m_allResults, 2, 0);
    layout->addWidget(m_bestTimes, 2, 1);
    layout->setRowStretch(2, 1);
}

void DistributionPanel::showLevel(const TimeDistribution &distribution, int level)
{
    fill(m_allResults, distribution.allResultLines(level));
    fill(m_bestTimes, distribution.bestTimeLines(level));
}

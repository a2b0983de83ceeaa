#include "drill/ui/statusline.h"

#include <QHBoxLayout>
#include <QLabel>

#include "app/spokentext.h"
#include "app/ui/controlnames.h"
#include "app/ui/noticelabel.h"
#include "drill/ui/drillcontrols.h"
#include "drill/ui/drillwidgets.h"

using namespace DrillWidgets;
using namespace Qt::StringLiterals;

namespace {

constexpr int PartSpacing = 18;

} // namespace

StatusLine::StatusLine(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QString::fromLatin1(DrillControls::StatusLine));
    setStyleSheet(Controls::selector(DrillControls::StatusLine)
                  + u" { background: rgb(225, 238, 255); border-radius: 6px; }"_s);
    m_notice = NoticeLabel::unseen(this, QString::fromLatin1(DrillControls::StatusNotice));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(12, 4, 12, 4);
    row->setSpacing(6);

    // The level name is text, not a number: no right alignment, no fixed width.
    row->addWidget(label(this, {}, u"レベル"_s));
    m_level = label(this, DrillControls::Level);
    setPointSize(m_level, 16, true);
    row->addWidget(m_level);
    row->addSpacing(PartSpacing);
    m_parts.push_back({u"レベル"_s, m_level, QString()});

    m_remaining = addPart(row, u"残り"_s, DrillControls::Remaining, u"問"_s);
    m_time = addPart(row, u"タイム"_s, DrillControls::Time, QString());
    row->addStretch(1);
    m_levelCount = addPart(row, u"このレベル"_s, DrillControls::LevelCount, u"回目"_s);
    m_today = addPart(row, u"本日"_s, DrillControls::Today, u"回目"_s);
    m_minutes = addPart(row, u"起動後"_s, DrillControls::Minutes, u"分"_s);
    for (QLabel *caption : findChildren<QLabel *>()) {
        if (caption->objectName().isEmpty())
            setPointSize(caption, 13);
    }
}

QLabel *StatusLine::addPart(QHBoxLayout *row, const QString &caption, const char *name, const QString &unit)
{
    row->addWidget(label(this, {}, caption));
    QLabel *value = label(this, name);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(u"00000"_s));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setPointSize(value, 16, true);
    row->addWidget(value);
    if (!unit.isEmpty())
        row->addWidget(label(this, {}, unit));
    row->addSpacing(PartSpacing);
    m_parts.push_back({caption, value, unit});
    return value;
}

void StatusLine::showLevel(const QString &name)
{
    m_level->setText(name);
    describe();
}

void StatusLine::showRemaining(int problems)
{
    showValue(m_remaining, problems);
}

void StatusLine::showTime(qint32 seconds)
{
    showValue(m_time, seconds);
}

void StatusLine::showLevelCount(int count)
{
    showValue(m_levelCount, count);
}

void StatusLine::showToday(int count)
{
    showValue(m_today, count);
}

void StatusLine::showMinutes(int minutes)
{
    showValue(m_minutes, minutes);
}

void StatusLine::showValue(QLabel *value, qint64 number)
{
    value->setText(QString::number(number));
    describe();
}

void StatusLine::tell()
{
    m_notice->announce(accessibleName());
}

void StatusLine::describe()
{
    QString line;
    for (const Part &part : m_parts)
        line += u"%1 %2%3 "_s.arg(part.caption, part.value->text(), part.unit);
    setAccessibleName(SpokenText::join({line}));
}

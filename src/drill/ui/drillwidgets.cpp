#include "drill/ui/drillwidgets.h"

#include <QLabel>

namespace DrillWidgets {

QLabel *label(QWidget *parent, const char *name, const QString &text)
{
    auto *l = new QLabel(parent);
    // The drill shows the student's name and the site title from the files.
    l->setTextFormat(Qt::PlainText);
    l->setText(text);
    if (name)
        l->setObjectName(QString::fromLatin1(name));
    return l;
}

void setPointSize(QWidget *widget, qreal points, bool bold)
{
    QFont font = widget->font();
    font.setPointSizeF(points);
    font.setBold(bold);
    widget->setFont(font);
}

void keepPlaceWhenHidden(QWidget *widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

} // namespace DrillWidgets

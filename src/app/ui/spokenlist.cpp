#include "app/ui/spokenlist.h"

#include <QListWidget>

#include "app/spokentext.h"

namespace SpokenList {

void addLines(QListWidget *list, const QStringList &lines, const QStringList &spoken)
{
    const int first = list->count();
    list->addItems(lines);
    const int n = int(std::min(lines.size(), spoken.size()));
    for (int i = 0; i < n; ++i)
        list->item(first + i)->setData(Qt::AccessibleTextRole, spoken[i]);
}

void describeCurrentLine(QListWidget *list, const QString &caption)
{
    const QListWidgetItem *item = list->currentItem();
    const QString line = item ? item->data(Qt::AccessibleTextRole).toString() : QString();
    list->setAccessibleDescription(SpokenText::join({line.isEmpty() && item ? item->text() : line, caption}));
}

} // namespace SpokenList

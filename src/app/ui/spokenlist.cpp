#include "app/ui/spokenlist.h"

#include <QListWidget>

namespace SpokenList {

void addLines(QListWidget *list, const QStringList &lines, const QStringList &spoken)
{
    const int first = list->count();
    list->addItems(lines);
    const int n = int(std::min(lines.size(), spoken.size()));
    for (int i = 0; i < n; ++i)
        list->item(first + i)->setData(Qt::AccessibleTextRole, spoken[i]);
}

} // namespace SpokenList

#pragma once

#include <QStringList>

class QListWidget;

namespace SpokenList {

// Appends `lines` to `list`; line i is read by a screen reader as
// `spoken`[i] (lines without one keep their own text).
void addLines(QListWidget *list, const QStringList &lines, const QStringList &spoken);

} // namespace SpokenList

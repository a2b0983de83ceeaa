#pragma once

#include <QStringList>

class QListWidget;

namespace SpokenList {

// Appends `lines` to `list`; line i is read by a screen reader as
// `spoken`[i] (lines without one keep their own text).
void addLines(QListWidget *list, const QStringList &lines, const QStringList &spoken);

// The list's description: its current line as read aloud, then `caption`.
// A reader that is not told of the line's own focus still hears each line
// the arrows reach, as a change on the focused list.
void describeCurrentLine(QListWidget *list, const QString &caption);

} // namespace SpokenList

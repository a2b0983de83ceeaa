#pragma once

#include <QString>
#include <QStringList>

// The editor's own texts: grid titles, column help, the distribution lists.
namespace EditorTexts {

// "レベル" and the nine field titles, then three empty titles: row 0 of the grid.
QStringList gridTitles();
// Help title, line break, help text for grid column 1..12; empty for the rest.
QString columnHelp(int column);

// Why `character` was kept out of a cell, naming it even when it is invisible.
QString refusedInput(const QString &character);
// Why the save wrote nothing: the cell at `level` and `column` would read back
// from `fileName` as another value.
QString notReadBack(const QString &fileName, int level, int column, const QString &text);

} // namespace EditorTexts

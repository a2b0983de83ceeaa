#pragma once

#include <QString>
#include <QStringList>

// The editor's own texts: grid titles, column help, the distribution lists.
namespace EditorTexts {

// "レベル" and the nine field titles, then three empty titles: row 0 of the grid.
QStringList gridTitles();
// Help title, line break, help text for grid column 1..12; empty for the rest.
QString columnHelp(int column);

} // namespace EditorTexts

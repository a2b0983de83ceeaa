#pragma once

#include <QString>
#include <QStringView>

#include <initializer_list>

// What a screen reader says for a line of fixed-width columns: the padding
// that lines the columns up on screen means nothing when heard.
namespace SpokenText {

// The pieces joined by single blanks; blanks and ideographic spaces inside
// a piece shrink to one blank, at its ends they go, and empty pieces are
// left out. One pass over the characters.
QString join(std::initializer_list<QStringView> pieces);

} // namespace SpokenText

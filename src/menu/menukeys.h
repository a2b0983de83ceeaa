#pragma once

#include <Qt>

// The level menu's keys: a key per level, and one to go back.
namespace MenuKeys {

// Levels 1..9 have their digit, 10..13 the letters a..d; higher levels have none.
inline constexpr int KeyedLevels = 13;
inline constexpr Qt::Key BackKey = Qt::Key_0;

// The key that starts `level`; Qt::Key_unknown for a level without one.
Qt::Key startKey(int level);

} // namespace MenuKeys

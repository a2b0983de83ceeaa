#include "menu/menukeys.h"

namespace MenuKeys {

Qt::Key startKey(int level)
{
    if (level >= 1 && level <= 9)
        return Qt::Key(Qt::Key_0 + level);
    if (level >= 10 && level <= KeyedLevels)
        return Qt::Key(Qt::Key_A + (level - 10));
    return Qt::Key_unknown;
}

} // namespace MenuKeys

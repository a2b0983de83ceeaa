#include "menu/ui/menuwidgets.h"

#include <QFontMetrics>

namespace MenuWidgets {

QFont pixelFont(QFont font, int pixels, bool bold)
{
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QFont fitted(QFont font, const QString &sample, int width, int largest)
{
    // Fixed-pitch columns line up at even sizes only.
    const int step = font.styleHint() == QFont::TypeWriter ? 2 : 1;
    for (int px = largest - (step == 2 ? largest % 2 : 0); px > 8; px -= step) {
        font.setPixelSize(px);
        if (QFontMetrics(font).horizontalAdvance(sample) <= width)
            return font;
    }
    font.setPixelSize(8);
    return font;
}

} // namespace MenuWidgets

#include "app/ui/screenstyle.h"

#include <algorithm>

namespace ScreenStyle {

QString rgb(const RgbColour &c)
{
    return QStringLiteral("rgb(%1, %2, %3)").arg(c.red).arg(c.green).arg(c.blue);
}

QString textOn(const RgbColour &c)
{
    return 299 * c.red + 587 * c.green + 114 * c.blue < 128000 ? QStringLiteral("white") : QStringLiteral("black");
}

QFont fixedPitchFont()
{
    QFont font;
    font.setFamilies(
        {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"), QStringLiteral("Noto Sans Mono CJK JP")});
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

int columnPixels(int pixels)
{
    return std::max(8, pixels - pixels % 2);
}

QFont fixedPitchFont(int pixels)
{
    QFont font = fixedPitchFont();
    font.setPixelSize(columnPixels(pixels));
    return font;
}

QString seasonColours(const RgbColour &colour)
{
    return QStringLiteral("background: %1; color: %2;").arg(rgb(colour), textOn(colour));
}

} // namespace ScreenStyle

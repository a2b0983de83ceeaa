#pragma once

#include <QFont>
#include <QString>

#include "app/calendartext.h"

// Looks shared by the screens that use the season colour and fixed-pitch lists.
namespace ScreenStyle {

// A style-sheet colour.
QString rgb(const RgbColour &colour);

// Black on the light season colours, white on the dark ones.
QString textOn(const RgbColour &colour);

// The style-sheet body that paints a control in the season colour with
// readable text on it.
QString seasonColours(const RgbColour &colour);

// A font in which a full-width character is exactly two half-width ones, so
// that list columns line up.
QFont fixedPitchFont();
// The same at about `pixels` high: an even size, since only there is a
// half-width character exactly half a full-width one.
QFont fixedPitchFont(int pixels);
int columnPixels(int pixels);

} // namespace ScreenStyle

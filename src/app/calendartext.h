#pragma once

#include <QDate>
#include <QString>

struct RgbColour
{
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const RgbColour &, const RgbColour &) = default;
};

namespace CalendarText {

// The date in the Japanese era, e.g. "令和8年 12月 09日（水）". The first year
// of an era is written "1年" (not "元年"), so that every year reads as a number.
QString eraDate(QDate date);

// Background colour of the roster screen and the menu for the month 1..12.
RgbColour seasonColour(int month);

} // namespace CalendarText

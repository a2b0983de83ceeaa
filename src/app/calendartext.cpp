#include "app/calendartext.h"

#include <unicode/calendar.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/unistr.h>

#include <memory>

namespace CalendarText {

QString eraDate(QDate date)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::Locale locale("ja_JP@calendar=japanese");
    // "y=latn" keeps the first year of an era as 1 instead of 元.
    icu::SimpleDateFormat format(icu::UnicodeString(u"Gy年 M月 dd日（E）"), icu::UnicodeString(u"y=latn"), locale,
                                 status);
    if (U_FAILURE(status))
        return date.toString(u"yyyy年 M月 dd日");

    std::unique_ptr<icu::Calendar> calendar(
        icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(), locale, status));
    if (U_FAILURE(status))
        return date.toString(u"yyyy年 M月 dd日");
    calendar->clear();
    // The Japanese calendar keeps Gregorian fields for setting a date.
    calendar->set(UCAL_EXTENDED_YEAR, date.year());
    calendar->set(UCAL_MONTH, date.month() - 1);
    calendar->set(UCAL_DATE, date.day());
    calendar->set(UCAL_HOUR_OF_DAY, 12);
    const UDate when = calendar->getTime(status);
    format.setTimeZone(*icu::TimeZone::getGMT());
    format.adoptCalendar(calendar.release());

    icu::UnicodeString text;
    format.format(when, text);
    if (U_FAILURE(status))
        return date.toString(u"yyyy年 M月 dd日");
    return QString(reinterpret_cast<const QChar *>(text.getBuffer()), text.length());
}

RgbColour seasonColour(int month)
{
    if (month == 1 || month == 2)
        return {255, 128, 0};
    if (month >= 6 && month <= 8)
        return {0, 192, 192};
    if (month >= 9 && month <= 11)
        return {192, 64, 0};
    // Spring and December share the light green.
    return {192, 255, 192};
}

} // namespace CalendarText

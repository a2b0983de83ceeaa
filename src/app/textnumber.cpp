#include "app/textnumber.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace TextNumber {

double leadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    const qsizetype start = i;
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool digit = c >= u'0' && c <= u'9';
        if (!digit && (c != u'.' || seenPoint))
            break;
        seenDigit = seenDigit || digit;
        seenPoint = seenPoint || !digit;
    }
    if (!seenDigit)
        return 0.0;
    // Converted from ASCII on the stack: the roster alone has thousands of
    // numbers, and a heap string for each was a tenth of the name screen.
    const QStringView digits = text.sliced(start, i - start);
    std::array<char, 64> shortText{};
    QByteArray longText;
    const char *from = shortText.data();
    if (digits.size() <= qsizetype(shortText.size())) {
        for (qsizetype k = 0; k < digits.size(); ++k)
            shortText[std::size_t(k)] = char(digits[k].unicode());
    } else {
        longText = digits.toLatin1();
        from = longText.constData();
    }
    double value = 0.0;
    if (std::from_chars(from, from + digits.size(), value).ec != std::errc())
        return 0.0;
    return negative ? -value : value;
}

qint64 roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return 0;
    return static_cast<qint64>(std::nearbyint(value));
}

qint64 toWhole(QStringView text, qint64 low, qint64 high)
{
    const double value = std::clamp(leadingNumber(text), double(low), double(high));
    return std::clamp(roundHalfEven(value), low, high);
}

} // namespace TextNumber

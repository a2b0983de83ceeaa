#include "app/textnumber.h"

#include <algorithm>
#include <cmath>

namespace TextNumber {

double leadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    QString number;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        number.append(text[i++]);
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            seenDigit = true;
            number.append(c);
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
            number.append(c);
        } else {
            break;
        }
    }
    if (!seenDigit)
        return 0.0;
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? value : 0.0;
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

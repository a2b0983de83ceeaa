#include "store/decimalmultiplier.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace {

// A float's shortest form has at most nine significant digits, so a base
// of up to 10^9 times them stays inside 64 bits.
constexpr qint64 BaseLimit = 1000000000;
constexpr int LargestShift = 18;

struct ShortestText
{
    char buffer[32];
    std::string_view text;
};

// The shortest text that reads back as the same float, not the double's
// long expansion of it (0.8f is 0.800000011920929 as a double).
void writeShortest(float value, ShortestText &out)
{
    const auto result = std::to_chars(out.buffer, out.buffer + sizeof out.buffer, value);
    out.text = std::string_view(out.buffer, std::size_t(result.ptr - out.buffer));
}

} // namespace

DecimalMultiplier::DecimalMultiplier(float stored)
    : m_stored(stored)
{
    ShortestText shortest;
    writeShortest(stored, shortest);
    const std::string_view text = shortest.text;
    if (std::isnan(stored))
        return;
    m_negative = std::signbit(stored);
    if (std::isinf(stored)) {
        m_infinite = true;
        return;
    }
    // Digits with the point dropped, then the exponent of "1.5e-07".
    int fractionDigits = 0;
    bool afterPoint = false;
    std::size_t i = m_negative ? 1 : 0;
    for (; i < text.size() && text[i] != 'e'; ++i) {
        if (text[i] == '.') {
            afterPoint = true;
            continue;
        }
        m_digits = m_digits * 10 + (text[i] - '0');
        fractionDigits += afterPoint ? 1 : 0;
    }
    int exponent = 0;
    if (i < text.size()) {
        const char *from = text.data() + i + 1;
        if (*from == '+')
            ++from;
        std::from_chars(from, text.data() + text.size(), exponent);
    }
    m_exponent = exponent - fractionDigits;
}

QString DecimalMultiplier::text() const
{
    ShortestText shortest;
    writeShortest(m_stored, shortest);
    return QString::fromLatin1(shortest.text.data(), qsizetype(shortest.text.size()));
}

qint32 DecimalMultiplier::times(qint64 base, qint32 cap) const
{
    if (base <= 0 || m_negative || (m_digits == 0 && !m_infinite))
        return 0;
    if (m_infinite || base >= BaseLimit)
        return cap;
    qint64 product = base * m_digits;
    if (m_exponent >= 0) {
        for (int e = 0; e < m_exponent && product < cap; ++e)
            product *= 10;
    } else if (-m_exponent > LargestShift) {
        product = 0;
    } else {
        for (int e = 0; e < -m_exponent; ++e)
            product /= 10;
    }
    return product >= cap ? cap : qint32(product);
}

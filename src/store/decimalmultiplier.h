#pragma once

#include <QString>

// A level's point multiplier as the teacher wrote it. The table stores it as
// a single-precision value, which cannot hold 1.4 or 0.9 exactly; the
// shortest decimal text that reads back as that value is what the teacher
// typed and what the screens show, so products are taken from it:
// 5 × 1.4 is 7, not 6.
class DecimalMultiplier final
{
public:
    explicit DecimalMultiplier(float stored);

    // The shortest decimal form: 1, 1.5, 0.8.
    QString text() const;
    // ⌊base × multiplier⌋, exact; 0 for a product that is not positive,
    // and never more than `cap`.
    qint32 times(qint64 base, qint32 cap) const;

private:
    float m_stored = 0;
    // The value is m_digits × 10^m_exponent; NaN keeps no digits.
    qint64 m_digits = 0;
    int m_exponent = 0;
    bool m_negative = false;
    bool m_infinite = false;
};

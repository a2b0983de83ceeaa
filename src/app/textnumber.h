#pragma once

#include <QString>

namespace TextNumber {

// The leading decimal number of a text: blanks skipped, optional sign,
// digits with at most one decimal point; no number gives 0.
double leadingNumber(QStringView text);

// Rounds halves to even, as the school's files were written by a program
// that converted numbers that way.
qint64 roundHalfEven(double value);

// leadingNumber rounded half to even and held within [low, high].
qint64 toWhole(QStringView text, qint64 low, qint64 high);

} // namespace TextNumber

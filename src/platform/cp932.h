#pragma once

#include <QByteArray>
#include <QString>

// Windows code page 932 (Shift_JIS with the NEC and IBM extensions), which is
// what the school's existing text and record files are written in.
namespace Cp932 {

// False when the Qt build lacks an exact cp932 converter (then nothing can be
// read correctly and start-up must stop).
bool isAvailable();

QString decode(QByteArrayView bytes);
// Characters with no cp932 form become "?" so that fixed-width fields keep
// their byte count predictable.
QByteArray encode(QStringView text);

// Encodes and pads with spaces (or cuts) to exactly `width` bytes; a cut
// never leaves half of a double-byte character behind.
QByteArray encodeFixed(QStringView text, int width);

} // namespace Cp932

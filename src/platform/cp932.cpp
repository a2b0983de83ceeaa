#include "platform/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// "windows-31j" is ICU's name for Microsoft's cp932; plain "Shift_JIS" maps
// 0x8160 and 0x817C to different characters than Windows does.
constexpr auto CodecName = "windows-31j";

bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

} // namespace

namespace Cp932 {

bool isAvailable()
{
    QStringDecoder decoder(CodecName);
    return decoder.isValid();
}

QString decode(QByteArrayView bytes)
{
    QStringDecoder decoder(CodecName);
    if (!decoder.isValid())
        return QString();
    return decoder.decode(bytes);
}

QByteArray encode(QStringView text)
{
    QStringEncoder encoder(CodecName);
    if (!encoder.isValid())
        return QByteArray();
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError())
        return bytes;
    // ICU substitutes 0xFCFC, which Windows does not; go character by
    // character and write "?" as Windows does.
    bytes.clear();
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        QStringEncoder one(CodecName);
        const QByteArray piece = one.encode(text.mid(i, len));
        bytes.append(one.hasError() ? QByteArray("?") : piece);
        i += len;
    }
    return bytes;
}

QByteArray encodeFixed(QStringView text, int width)
{
    QByteArray bytes = encode(text);
    if (bytes.size() > width) {
        int cut = 0;
        while (cut < width) {
            const int step = isLeadByte(static_cast<unsigned char>(bytes[cut])) ? 2 : 1;
            if (cut + step > width)
                break;
            cut += step;
        }
        bytes.truncate(cut);
    }
    while (bytes.size() < width)
        bytes.append(' ');
    return bytes;
}

} // namespace Cp932

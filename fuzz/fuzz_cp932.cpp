// The cp932 codec every text file and the site code go through. The bytes
// are decoded as a file's text; they are also taken as UTF-16 text to encode.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <QString>

#include "platform/cp932.h"

namespace {

[[noreturn]] void broken(const char *what, const QString &text)
{
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(text));
    std::abort();
}

// Text read from a file and written back reads the same, as long as the
// file held nothing the codec had to replace.
void checkReadWrite(QByteArrayView bytes)
{
    const QString text = Cp932::decode(bytes);
    if (text.contains(QChar::ReplacementCharacter))
        return;
    const QByteArray written = Cp932::encode(text);
    if (Cp932::decode(written) != text)
        broken("text read back differs", text);
}

// A fixed-width field is exactly that wide and never ends in half a character.
void checkFixed(QStringView text)
{
    const QByteArray whole = Cp932::encode(text);
    for (int width : {1, 5, 20}) {
        const QByteArray field = Cp932::encodeFixed(text, width);
        if (field.size() != width)
            broken("fixed field of another width", text.toString());
        if (Cp932::decode(field).contains(QChar::ReplacementCharacter)
            && !Cp932::decode(whole).contains(QChar::ReplacementCharacter))
            broken("fixed field cut a character in half", text.toString());
    }
}

// Every character becomes one character or "?", so a text without
// surrogates keeps its length through a write and a read.
void checkWriteRead(QStringView text)
{
    for (QChar c : text) {
        if (c.isSurrogate())
            return;
    }
    const QString back = Cp932::decode(Cp932::encode(text));
    if (back.size() != text.size())
        broken("written text read back with another length", text.toString());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    checkReadWrite(bytes);
    // Copied out: the input need not be aligned for 16-bit units.
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * 2);
    const QString text = QString::fromStdU16String(units);
    checkFixed(text);
    checkWriteRead(text);
    return 0;
}

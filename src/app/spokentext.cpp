#include "app/spokentext.h"

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == QChar(0x3000);
}

} // namespace

namespace SpokenText {

QString join(std::initializer_list<QStringView> pieces)
{
    qsizetype size = 0;
    for (QStringView piece : pieces)
        size += piece.size() + 1;
    QString spoken;
    spoken.reserve(size);
    bool gap = false;
    for (QStringView piece : pieces) {
        for (QChar c : piece) {
            if (isBlank(c)) {
                gap = true;
                continue;
            }
            if (gap && !spoken.isEmpty())
                spoken.append(u' ');
            gap = false;
            spoken.append(c);
        }
        gap = true;
    }
    return spoken;
}

} // namespace SpokenText

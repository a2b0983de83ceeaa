#include "app/columns.h"

namespace Columns {

QString padLeft(const QString &text, int n)
{
    const QString padded = QString(n, u' ') + text;
    return padded.right(n);
}

QString padName(const QString &text, int n)
{
    const QString padded = text + QString(n, QChar(0x3000));
    return padded.left(n);
}

} // namespace Columns

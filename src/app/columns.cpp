#include "app/columns.h"

namespace Columns {

// Built in one allocation: list fills pad thousands of columns.
QString padLeft(const QString &text, int n)
{
    if (text.size() >= n)
        return text.right(n);
    QString padded(n, u' ');
    padded.replace(n - text.size(), text.size(), text);
    return padded;
}

QString padName(const QString &text, int n)
{
    if (text.size() >= n)
        return text.left(n);
    QString padded(n, QChar(0x3000));
    padded.replace(0, text.size(), text);
    return padded;
}

} // namespace Columns

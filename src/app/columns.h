#pragma once

#include <QString>

// Fixed-width columns of the program's list lines.
namespace Columns {

// Right-aligned in n characters: n blanks before the text, last n kept.
QString padLeft(const QString &text, int n);
inline QString padLeft(qint64 number, int n)
{
    return padLeft(QString::number(number), n);
}

// Left-aligned in n characters: ideographic spaces after the text, first n kept.
QString padName(const QString &text, int n);

} // namespace Columns

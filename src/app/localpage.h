#pragma once

#include <QByteArray>
#include <QString>

// The school's own HTML pages shown in the program's web views.
namespace LocalPage {

// Decodes by the page's charset meta tag; a page without one was written on
// a Japanese Windows machine, so it is read as cp932.
QString decode(const QByteArray &bytes);

// The decoded page; empty when the file is missing or unreadable.
QString read(const QString &path);

} // namespace LocalPage

#pragma once

#include <QFont>
#include <QString>

#include "app/ui/controlnames.h"

// Small helpers the parts of the level menu share.
namespace MenuWidgets {

QFont pixelFont(QFont font, int pixels, bool bold = false);
// The largest pixel size, from `largest` down, in which `sample` fits `width`.
QFont fitted(QFont font, const QString &sample, int width, int largest);

using Controls::arrayName;
using Controls::named;

} // namespace MenuWidgets

#pragma once

#include <QFont>
#include <QString>

#include "app/ui/controlnames.h"

// Small helpers the parts of the level menu share.
namespace MenuWidgets {

QFont pixelFont(QFont font, int pixels, bool bold = false);
// The largest pixel size, from `largest` down, in which `sample` fits `width`.
QFont fitted(QFont font, const QString &sample, int width, int largest);
// The objectName of element `index` of a control array: "Command4_3".
QString arrayName(const char *control, int index);

using Controls::named;

} // namespace MenuWidgets

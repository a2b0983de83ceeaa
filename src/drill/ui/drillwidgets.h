#pragma once

#include <QString>

class QLabel;
class QWidget;

// Small helpers shared by the parts of the drill screen.
namespace DrillWidgets {

// A label under `parent`; a null name leaves it without an objectName.
QLabel *label(QWidget *parent, const char *name, const QString &text = {});
void setPointSize(QWidget *widget, qreal points, bool bold = false);
// Keeps the place of a widget in its layout while it is hidden, so the
// screen does not jump when the correct answer or the blocks appear.
void keepPlaceWhenHidden(QWidget *widget);

} // namespace DrillWidgets

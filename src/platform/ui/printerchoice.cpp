#include "platform/ui/printerchoice.h"

#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>

namespace PrinterChoice {

namespace {

// The paper is chosen in the printer properties, a dialog of Qt's own inside
// the print dialog, which keeps its result once confirmed.
bool paperConfirmedIn(const QPrintDialog &dialog)
{
    for (const QDialog *inner : dialog.findChildren<QDialog *>()) {
        if (inner->inherits("QPrintPropertiesDialog") && inner->result() == QDialog::Accepted)
            return true;
    }
    return false;
}

} // namespace

void setA4Portrait(QPrinter &printer)
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
}

bool chooseInDialog(QPrinter &printer, QWidget *parent)
{
    const QPageLayout laidOutFor = printer.pageLayout();
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("印刷"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (!paperConfirmedIn(dialog))
        printer.setPageLayout(laidOutFor);
    return true;
}

} // namespace PrinterChoice

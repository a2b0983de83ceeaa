#pragma once

class QPrinter;
class QWidget;

// Every print of the program is laid out for A4 portrait, but a printer
// queue whose default paper is Letter makes Qt's print dialog put Letter on
// the printer. The page is therefore set before the dialog and again after
// it, unless the teacher chose a paper in the dialog.
namespace PrinterChoice {

// A4 portrait, keeping the printer's margins.
void setA4Portrait(QPrinter &printer);

// The print dialog over `parent`; false when cancelled. The page layout
// on `printer` when it is called is the one printed unless the teacher
// confirmed another in the dialog's printer properties.
bool chooseInDialog(QPrinter &printer, QWidget *parent);

} // namespace PrinterChoice

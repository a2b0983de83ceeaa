#pragma once

#include <QRectF>

#include <vector>

#include "teacher/worksheetplan.h"

class QPainter;
class QPrinter;

// Draws worksheets for paper: the same drawing goes to a printer, a PDF
// file and the print preview.
namespace WorksheetPainter {

// A4 portrait with even margins, which every printer can reach.
void setUpPaper(QPrinter &printer);

// One page in `area`, the page's printable area in the painter's device
// pixels. An answer sheet repeats its sheet with the answers in red.
void paintPage(QPainter &painter, const QRectF &area, const Worksheet &sheet, const WorksheetTexts &texts,
               bool answers);

// Every page on `printer`, a new paper each; false when the printer (or the
// PDF file) could not be opened.
bool printPages(QPrinter &printer, const std::vector<Worksheet> &sheets, const std::vector<WorksheetTexts> &texts,
                const std::vector<WorksheetPage> &pages);

} // namespace WorksheetPainter

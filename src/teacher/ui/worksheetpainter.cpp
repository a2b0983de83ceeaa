#include "teacher/ui/worksheetpainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

#include "platform/ui/printerchoice.h"

namespace {

constexpr double PaperMarginMm = 12;
// The drawing is laid out in millimetres of this width and scaled to the area.
constexpr double ContentWidthMm = 210 - 2 * PaperMarginMm;
constexpr double BodyTopMm = 30;
constexpr double FooterHeightMm = 7;
constexpr int NumberedColumns = 4;

const QColor AnswerColour(200, 0, 0);
const QColor HeadingFill(232, 232, 232);
const QColor QuietText(90, 90, 90);

// Millimetres on the page in device pixels, from the area's top left.
struct Paper
{
    QRectF area;
    double unit = 1;

    double mm(double millimetres) const { return millimetres * unit; }
    double heightMm() const { return area.height() / unit; }
    QRectF rect(double x, double y, double w, double h) const
    {
        return {area.left() + mm(x), area.top() + mm(y), mm(w), mm(h)};
    }
    QPointF point(double x, double y) const { return {area.left() + mm(x), area.top() + mm(y)}; }
};

// The textbook typeface schools print with when it is there; the CJK sans
// everywhere else, so kana and the operators always come out.
QFont sheetFont(const Paper &paper, double heightMm, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("UD デジタル 教科書体 N-R"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("Yu Gothic"), QStringLiteral("MS Gothic")});
    font.setPixelSize(std::max(1, int(paper.mm(heightMm))));
    font.setBold(bold);
    return font;
}

QPen line(const Paper &paper, double widthMm, const QColor &colour = Qt::black)
{
    return QPen(colour, paper.mm(widthMm), Qt::SolidLine, Qt::SquareCap);
}

void underline(QPainter &painter, const Paper &paper, double x, double y, double width)
{
    painter.setPen(line(paper, 0.25));
    painter.drawLine(paper.point(x, y), paper.point(x + width, y));
}

void paintHeader(QPainter &painter, const Paper &paper, const Worksheet &sheet, const WorksheetTexts &texts,
                 bool answers)
{
    painter.setPen(Qt::black);
    painter.setFont(sheetFont(paper, 6.5, true));
    const QRectF titleBox = paper.rect(0, 0, 130, 10);
    QRectF titleDrawn;
    painter.drawText(titleBox, Qt::AlignLeft | Qt::AlignVCenter, texts.title, &titleDrawn);
    if (answers) {
        painter.setFont(sheetFont(paper, 5, true));
        const QRectF badge(titleDrawn.right() + paper.mm(4), paper.rect(0, 1.5, 0, 7).top(), paper.mm(20), paper.mm(7));
        painter.setPen(line(paper, 0.5, AnswerColour));
        painter.drawRoundedRect(badge, paper.mm(1.5), paper.mm(1.5));
        painter.drawText(badge, Qt::AlignCenter, QStringLiteral("こたえ"));
    }

    painter.setPen(Qt::black);
    painter.setFont(sheetFont(paper, 4.5));
    painter.drawText(paper.rect(140, 0, 46, 9), Qt::AlignRight | Qt::AlignBottom, QStringLiteral("月　　　日"));
    underline(painter, paper, 140, 9.5, 46);

    painter.drawText(paper.rect(0, 14, 20, 9), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("なまえ"));
    underline(painter, paper, 17, 23.5, 95);
    if (!texts.name.isEmpty()) {
        painter.setFont(sheetFont(paper, 5.5));
        painter.drawText(paper.rect(20, 14, 92, 9), Qt::AlignLeft | Qt::AlignBottom, texts.name);
        painter.setFont(sheetFont(paper, 4.5));
    }
    // A 100マス sheet is timed: the student writes down how long it took.
    if (sheet.layout == Worksheet::Layout::HundredSquares) {
        painter.drawText(paper.rect(118, 14, 68, 9), Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("タイム　　　　分　　　　秒"));
        underline(painter, paper, 118, 23.5, 68);
    }
}

void paintFooter(QPainter &painter, const Paper &paper, const WorksheetTexts &texts)
{
    painter.setPen(QuietText);
    painter.setFont(sheetFont(paper, 2.8));
    const QRectF footer = paper.rect(0, paper.heightMm() - 4, ContentWidthMm, 4);
    painter.drawText(footer, Qt::AlignLeft | Qt::AlignBottom, texts.footer);
    painter.drawText(footer, Qt::AlignRight | Qt::AlignBottom, texts.seed);
}

// Thin lines between cells, thicker ones after the headings and after the
// fifth row and column so the eye keeps its place, and a strong frame.
void paintGridLines(QPainter &painter, const Paper &paper, double left, double top, double cell, int rows,
                    bool headingRow)
{
    const int columns = FactMap::Side + 1;
    const auto weight = [](int index, int headings) {
        if (index == headings || index == headings + 5)
            return 0.6;
        return 0.2;
    };
    for (int r = 1; r < rows; ++r) {
        painter.setPen(line(paper, weight(r, headingRow ? 1 : 0)));
        painter.drawLine(paper.point(left, top + r * cell), paper.point(left + columns * cell, top + r * cell));
    }
    for (int c = 1; c < columns; ++c) {
        painter.setPen(line(paper, weight(c, 1)));
        painter.drawLine(paper.point(left + c * cell, top), paper.point(left + c * cell, top + rows * cell));
    }
    painter.setPen(line(paper, 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(paper.rect(left, top, columns * cell, rows * cell));
}

// Division has no heading row: each cell shows its dividend and the row
// starts with its divisor.
void paintHundredSquares(QPainter &painter, const Paper &paper, const Worksheet &sheet, bool answers)
{
    const bool division = sheet.quotientsInCells();
    const int headingRows = division ? 0 : 1;
    const int rows = FactMap::Side + headingRows;
    const double available = paper.heightMm() - BodyTopMm - FooterHeightMm - 4;
    const double cell = std::min(ContentWidthMm, available) / (FactMap::Side + 1);
    const double left = (ContentWidthMm - cell * (FactMap::Side + 1)) / 2;
    const double top = BodyTopMm + 2;

    painter.setPen(Qt::NoPen);
    painter.setBrush(HeadingFill);
    painter.drawRect(paper.rect(left, top, cell, rows * cell));
    if (headingRows)
        painter.drawRect(paper.rect(left, top, (FactMap::Side + 1) * cell, cell));

    const QString op = sheet.problems.empty() ? QString() : sheet.problems.front().face.Operator;
    painter.setPen(Qt::black);
    if (headingRows) {
        painter.setFont(sheetFont(paper, 8, true));
        painter.drawText(paper.rect(left, top, cell, cell), Qt::AlignCenter, op);
    }
    painter.setFont(sheetFont(paper, division ? 6 : 7, true));
    for (int i = 0; i < FactMap::Side; ++i) {
        const double y = top + (i + headingRows) * cell;
        const QString side = QString::number(sheet.rowOperand(i));
        painter.drawText(paper.rect(left, y, cell, cell), Qt::AlignCenter, division ? op + side : side);
        if (headingRows) {
            painter.drawText(paper.rect(left + (i + 1) * cell, top, cell, cell), Qt::AlignCenter,
                             QString::number(sheet.columnOperand(i)));
        }
    }

    for (std::size_t k = 0; k < sheet.problems.size(); ++k) {
        const ProblemFace &face = sheet.problems[k].face;
        const int r = int(k) / FactMap::Side;
        const int c = int(k) % FactMap::Side;
        const QRectF box = paper.rect(left + (c + 1) * cell, top + (r + headingRows) * cell, cell, cell);
        if (division) {
            painter.setPen(answers ? QuietText : QColor(Qt::black));
            painter.setFont(sheetFont(paper, 4.8));
            painter.drawText(box.adjusted(paper.mm(1.2), paper.mm(0.4), 0, 0), Qt::AlignLeft | Qt::AlignTop,
                             QString::number(face.FirstOperand));
        }
        if (!answers)
            continue;
        painter.setPen(AnswerColour);
        painter.setFont(sheetFont(paper, 6.5));
        const QRectF answerBox = division ? box.adjusted(0, paper.mm(cell * 0.35), -paper.mm(2), 0) : box;
        painter.drawText(answerBox, division ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter,
                         QString::number(face.ExpectedAnswer));
    }
    paintGridLines(painter, paper, left, top, cell, rows, headingRows != 0);
}

// Numbered down each column, as a reader goes: 1..25 in the first column.
void paintNumbered(QPainter &painter, const Paper &paper, const Worksheet &sheet, bool answers)
{
    const int perColumn = (MaxProblemCount + NumberedColumns - 1) / NumberedColumns;
    const double columnWidth = ContentWidthMm / NumberedColumns;
    const double rowHeight = (paper.heightMm() - BodyTopMm - FooterHeightMm - 2) / perColumn;
    const double numberWidth = 7.5;
    const double answerWidth = 13;
    const QFont numberFont = sheetFont(paper, 2.8);
    const QFont questionFont = sheetFont(paper, std::min(4.8, rowHeight * 0.55));
    const QFont &answerFont = questionFont;

    painter.setPen(line(paper, 0.2, QColor(170, 170, 170)));
    for (int c = 1; c < NumberedColumns; ++c) {
        const double x = c * columnWidth;
        painter.drawLine(paper.point(x - 0.5, BodyTopMm), paper.point(x - 0.5, BodyTopMm + perColumn * rowHeight));
    }

    for (std::size_t k = 0; k < sheet.problems.size(); ++k) {
        const int column = int(k) / perColumn;
        const double x = column * columnWidth;
        const double y = BodyTopMm + int(k) % perColumn * rowHeight;
        painter.setPen(QuietText);
        painter.setFont(numberFont);
        painter.drawText(paper.rect(x, y, numberWidth, rowHeight), Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("(%1)").arg(k + 1));
        painter.setPen(Qt::black);
        painter.setFont(questionFont);
        const double answerLeft = x + columnWidth - answerWidth - 2;
        const double questionLeft = x + numberWidth + 0.5;
        painter.drawText(paper.rect(questionLeft, y, answerLeft - 0.8 - questionLeft, rowHeight),
                         Qt::AlignRight | Qt::AlignVCenter, sheet.problems[k].question());
        const QRectF answerBox = paper.rect(answerLeft, y + rowHeight * 0.12, answerWidth, rowHeight * 0.76);
        painter.setPen(line(paper, 0.2, QuietText));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(answerBox);
        if (answers) {
            painter.setPen(AnswerColour);
            painter.setFont(answerFont);
            painter.drawText(answerBox, Qt::AlignCenter, QString::number(sheet.problems[k].face.ExpectedAnswer));
        }
    }
}

} // namespace

namespace WorksheetPainter {

void setUpPaper(QPrinter &printer)
{
    PrinterChoice::setA4Portrait(printer);
    printer.setPageMargins(QMarginsF(PaperMarginMm, PaperMarginMm, PaperMarginMm, PaperMarginMm),
                           QPageLayout::Millimeter);
}

void paintPage(QPainter &painter, const QRectF &area, const Worksheet &sheet, const WorksheetTexts &texts, bool answers)
{
    const Paper paper{area, area.width() / ContentWidthMm};
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    paintHeader(painter, paper, sheet, texts, answers);
    if (sheet.layout == Worksheet::Layout::HundredSquares)
        paintHundredSquares(painter, paper, sheet, answers);
    else
        paintNumbered(painter, paper, sheet, answers);
    paintFooter(painter, paper, texts);
    painter.restore();
}

bool printPages(QPrinter &printer, const std::vector<Worksheet> &sheets, const std::vector<WorksheetTexts> &texts,
                const std::vector<WorksheetPage> &pages)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRectF area(QPointF(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            printer.newPage();
        const std::size_t sheet = pages[i].sheet;
        paintPage(painter, area, sheets[sheet], texts[sheet], pages[i].answers);
    }
    painter.end();
    return true;
}

} // namespace WorksheetPainter

// Worksheets planned and printed to a PDF file with their answer sheets,
// against the floor: a PDF of as many pages, each with one line of text in
// the same typeface, which any printed sheet must pay for (opening the
// printer, embedding the font, writing the pages).
#include <benchmark/benchmark.h>

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include "state/appstate.h"
#include "state/startup.h"
#include "support/benchschool.h"
#include "teacher/ui/worksheetpainter.h"

namespace {

void pdfPrinter(QPrinter &printer, const QTemporaryDir &dir)
{
    WorksheetPainter::setUpPaper(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("sheets.pdf")));
}

void BM_Floor_PdfPages(benchmark::State &st)
{
    QTemporaryDir dir;
    const int pages = int(st.range(0)) * 2;
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(200);
    for (auto _ : st) {
        QPrinter printer(QPrinter::HighResolution);
        pdfPrinter(printer, dir);
        QPainter painter(&printer);
        painter.setFont(font);
        for (int page = 0; page < pages; ++page) {
            if (page > 0)
                printer.newPage();
            painter.drawText(QPointF(100, 300), QStringLiteral("100マス計算　足し算 %1").arg(page));
        }
    }
}

void BM_WorksheetsPrinted(benchmark::State &st)
{
    QTemporaryDir dir;
    AppState state;
    Startup::SetProductTitle(state);
    Startup::SetUpLevelCatalogue(state);
    BenchPlatform bench;
    WorksheetRequest request;
    request.level = 3;
    request.layout = st.range(1) == 0 ? Worksheet::Layout::HundredSquares : Worksheet::Layout::Numbered;
    request.sheetCount = int(st.range(0));
    for (auto _ : st) {
        const std::vector<Worksheet> sheets = WorksheetPlan::sheetsFor(request, bench.platform, dir.path());
        std::vector<WorksheetTexts> texts;
        for (const Worksheet &sheet : sheets)
            texts.push_back(WorksheetPlan::textsOf(sheet, state));
        QPrinter printer(QPrinter::HighResolution);
        pdfPrinter(printer, dir);
        WorksheetPainter::printPages(printer, sheets, texts, WorksheetPlan::pagesOf(sheets, true));
    }
}

} // namespace

BENCHMARK(BM_Floor_PdfPages)->Arg(1)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WorksheetsPrinted)
    ->ArgsProduct({{1, 10, 30}, {0, 1}})
    ->ArgNames({"sheets", "numbered"})
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return BenchSchool::runWithWidgets(argc, argv);
}

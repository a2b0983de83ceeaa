// The teacher's spreadsheet export of the whole results file, read, written
// as CSV and saved, against its floor: the whole results file read and
// decoded once. Over results files of 1 000 to 1 000 000 records, in both
// encodings; the per-student summary besides, which also counts the tallies;
// and the .xlsx workbook of the same rows (the results and the summary
// sheets, no student's facts), to hold against the CSV of the results.
#include <benchmark/benchmark.h>

#include <QFile>

#include "state/startup.h"
#include "roster/rosterfile.h"
#include "support/benchschool.h"
#include "teacher/resultsexport.h"

namespace {

BenchSchool::Fixture &exportSchool(benchmark::State &st)
{
    BenchSchool::Fixture &f = BenchSchool::schoolOf(int(st.range(0)), BenchSchool::Students);
    Startup::SetUpLevelCatalogue(*f.state);
    f.state->SiteCode = QStringLiteral("00123");
    f.state->SiteTitle = QStringLiteral("本校");
    RosterFile::load(*f.state, f.clock.today());
    return f;
}

void exportTable(benchmark::State &st, ResultsExport::Table table)
{
    BenchSchool::Fixture &f = exportSchool(st);
    const CsvEncoding encoding = st.range(1) == 0 ? CsvEncoding::Utf8WithBom : CsvEncoding::Cp932;
    const QString path = f.dir.filePath(QStringLiteral("書き出し.csv"));
    ResultsExport::Outcome outcome;
    for (auto _ : st)
        outcome = ResultsExport::exportTo(*f.state, f.platform, {table, encoding, {}}, path);
    if (!outcome.succeeded())
        st.SkipWithError("the export failed");
    st.counters["rows"] = double(outcome.rows);
    st.counters["MB"] = double(QFile(path).size()) / 1e6;
}

void BM_Floor_Export(benchmark::State &st)
{
    BenchSchool::measureWholeFileRead(st, exportSchool(st));
}

void BM_ExportResults(benchmark::State &st)
{
    exportTable(st, ResultsExport::Table::Results);
}

void BM_ExportSummary(benchmark::State &st)
{
    exportTable(st, ResultsExport::Table::Summary);
}

void BM_ExportWorkbook(benchmark::State &st)
{
    BenchSchool::Fixture &f = exportSchool(st);
    const QString path = f.dir.filePath(QStringLiteral("書き出し.xlsx"));
    ResultsExport::Outcome outcome;
    for (auto _ : st)
        outcome = ResultsExport::exportWorkbook(*f.state, f.platform, {}, path);
    if (!outcome.succeeded())
        st.SkipWithError("the export failed");
    st.counters["rows"] = double(outcome.sheetRows[0] + outcome.sheetRows[1]);
    st.counters["MB"] = double(QFile(path).size()) / 1e6;
}

void floorSizes(benchmark::internal::Benchmark *b)
{
    for (long records : BenchSchool::RecordCounts)
        b->Args({records, 0});
    b->ArgNames({"records", "cp932"})->Unit(benchmark::kMillisecond);
}

void exportSizes(benchmark::internal::Benchmark *b)
{
    for (long records : BenchSchool::RecordCounts) {
        b->Args({records, 0});
        b->Args({records, 1});
    }
    b->ArgNames({"records", "cp932"})->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_Floor_Export)->Apply(floorSizes);
BENCHMARK(BM_ExportResults)->Apply(exportSizes);
BENCHMARK(BM_ExportSummary)->Apply(exportSizes);
BENCHMARK(BM_ExportWorkbook)->Apply(floorSizes);

int main(int argc, char **argv)
{
    return BenchSchool::runWithWidgets(argc, argv);
}

// The teacher tools' readers. The bytes are the results file, read whole by
// the results list, the editor's time distribution and the spreadsheet
// export; the same bytes are also a student's statistics file, whose weak
// facts the export and the worksheets read.
#include <cstdio>
#include <cstdlib>

#include "fuzzschool.h"
#include "store/resultsfile.h"
#include "teacher/resultsexport.h"
#include "teacher/resultslist.h"
#include "teacher/timedistribution.h"
#include "teacher/worksheetplan.h"

namespace {

constexpr qint16 Student = 7;

[[noreturn]] void broken(const char *what, qint64 value)
{
    std::fprintf(stderr, "%s: %lld\n", what, static_cast<long long>(value));
    std::abort();
}

void listRecords(const AppState &state, Platform &platform, const QString &path)
{
    ResultsListing listing;
    if (listing.read(platform, path).failed())
        return;
    const ResultsList::LineContext context{&state.roster, state.SiteCode, state.SiteTitle,
                                           ResultsList::numberWidth(listing.recordCount())};
    for (int line = 0; line < listing.lineCount(); ++line)
        (void)ResultsList::line(listing.recordNumber(line), listing.record(line), context);
    for (qint32 number : {0, 1, listing.recordCount(), listing.recordCount() + 1}) {
        const int line = listing.lineAtOrAfter(number);
        if (line < -1 || line >= listing.lineCount())
            broken("line outside the list", line);
    }
}

void showDistribution(const AppState &state, Platform &platform)
{
    DistributionSource source(state, platform);
    if (source.refresh() != DistributionSource::Status::Read)
        return;
    for (int level = 0; level <= state.LevelCount + 1; ++level) {
        (void)source.distribution().allResultLines(level);
        (void)source.distribution().bestTimeLines(level);
    }
}

void exportTables(FuzzSchool &school)
{
    const QString path = school.layout().root + QStringLiteral("export.csv");
    const std::pair<ResultsExport::Table, CsvEncoding> requests[] = {
        {ResultsExport::Table::Results, CsvEncoding::Utf8WithBom},
        {ResultsExport::Table::Summary, CsvEncoding::Cp932},
        {ResultsExport::Table::Facts, CsvEncoding::Utf8WithBom},
    };
    for (const auto &[table, encoding] : requests) {
        const ResultsExport::Request request{table, encoding, {Student, 1}};
        const ResultsExport::Outcome outcome =
            ResultsExport::exportTo(school.state(), school.platform(), request, path);
        if (outcome.programEnding)
            return;
    }
}

void planWorksheets(FuzzSchool &school)
{
    for (int level = 1; level <= school.state().LevelCount; ++level) {
        WorksheetRequest request;
        request.level = level;
        request.firstSeed = 4321;
        request.weakStudents = {Student};
        const std::vector<Worksheet> sheets =
            WorksheetPlan::sheetsFor(request, school.platform(), school.state().DataFolder);
        for (const Worksheet &sheet : sheets)
            (void)WorksheetPlan::textsOf(sheet, school.state());
        (void)WorksheetPlan::pagesOf(sheets, true);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzSchool &school = FuzzSchool::instance();
    school.forgetRun();
    FuzzSchool::write(school.resultsPath(), data, size);
    FuzzSchool::write(school.statisticsPath(Student), data, size);

    listRecords(school.state(), school.platform(), school.resultsPath());
    showDistribution(school.state(), school.platform());
    exportTables(school);
    planWorksheets(school);
    return 0;
}

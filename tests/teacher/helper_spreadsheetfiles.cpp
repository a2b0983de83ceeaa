// Writes the teacher's exports of a small school whose names are the hard
// cases, for tools/check-spreadsheet.sh to open in a real spreadsheet
// program: helper_spreadsheetfiles <folder> makes 成績.xlsx, 成績-utf8.csv
// and 成績-cp932.csv there.
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

#include "state/appstate.h"
#include "app/oledate.h"
#include "state/startup.h"
#include "drill/problemstat.h"
#include "roster/grades.h"
#include "store/resultsfile.h"
#include "support/resultfiles.h"
#include "support/testplatform.h"
#include "teacher/resultsexport.h"

using namespace Qt::StringLiterals;

namespace {

double clockTime(int hours, int minutes, int seconds)
{
    return (hours * 3600 + minutes * 60 + seconds) / 86400.0;
}

bool exported(const ResultsExport::Outcome &outcome)
{
    if (!outcome.succeeded())
        std::fprintf(stderr, "helper_spreadsheetfiles: %s\n", qPrintable(outcome.problem));
    return outcome.succeeded();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: helper_spreadsheetfiles <folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir school;
    TestPlatform test;
    AppState state;
    state.DataFolder = school.path() + u'/';
    state.SiteCode = u"00123"_s;
    state.SiteTitle = u"本校"_s;
    Startup::SetUpLevelCatalogue(state);
    for (int level = 1; level <= 4; ++level) {
        LevelStandard &row = state.LevelStandards[std::size_t(level)];
        row.TargetTime = 100;
        row.PointMultiplier = 1.0f;
        row.ClearCount = 5;
        row.ClearPoints = 40;
        row.JudgeDays = u"14"_s;
        row.OveruseDays = u"1"_s;
    }
    // Cohort 2017 is in its third year of school in the school year 2026.
    state.roster.clear(Roster::SchoolYear(test.clock.today(), 4));
    const QStringList names{u"髙橋①"_s, u"山田～はな"_s, u"佐藤,一郎"_s, u"\"ジョー\""_s, u"=1+2"_s, u"@SUM(1)"_s};
    for (int i = 0; i < names.size(); ++i) {
        RosterEntry entry;
        entry.Number = qint16(i + 1);
        entry.CohortYear = 2017;
        entry.Name = RosterTable::fixedField(names[i]);
        state.roster.add(entry, 0);
    }
    // One session each, in date order: 50 s, 100 s, 199 s, a time-out, a
    // session given up, 80 s at another site.
    const QDate first(2026, 12, 1);
    const QList<ResultRecord> records{
        ResultRecord::make(OleDate::fromDate(first), clockTime(9, 5, 7), 1, 1, 50, u"00123"_s),
        ResultRecord::make(OleDate::fromDate(first), clockTime(13, 40, 0), 2, 2, 100, u"00123"_s),
        ResultRecord::make(OleDate::fromDate(first.addDays(1)), clockTime(10, 0, 59), 3, 3, 199, u"00123"_s),
        ResultRecord::make(OleDate::fromDate(first.addDays(1)), clockTime(11, 30, 0), 4, 4, 99999, u"00123"_s),
        ResultRecord::make(OleDate::fromDate(first.addDays(2)), clockTime(8, 30, 0), 5, 1, 6000, u"00123"_s),
        ResultRecord::make(OleDate::fromDate(first.addDays(2)), clockTime(23, 59, 59), 6, 1, 80, u"00999"_s)};
    ResultFiles::write(ResultsFile::pathIn(state.DataFolder), ResultFiles::encode(records));
    // Student 1 tried two facts of addition.
    LevelStats stats{};
    stats[0] = {3, 1, 10};
    stats[1] = {2, 0, 3};
    if (!ProblemStatFile::writeLevel(ProblemStatFile::pathFor(state.DataFolder, 1), 1, stats, nullptr))
        return 1;

    using ResultsExport::Table;
    const bool ok =
        exported(ResultsExport::exportWorkbook(state, test.platform, {1}, out.filePath(u"成績.xlsx"_s)))
        && exported(ResultsExport::exportTo(state, test.platform, {Table::Results, CsvEncoding::Utf8WithBom, {}},
                                            out.filePath(u"成績-utf8.csv"_s)))
        && exported(ResultsExport::exportTo(state, test.platform, {Table::Results, CsvEncoding::Cp932, {}},
                                            out.filePath(u"成績-cp932.csv"_s)));
    return ok ? 0 : 1;
}

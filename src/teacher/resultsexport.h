#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

#include "teacher/csvwriter.h"
#include "teacher/tablesink.h"

class ResultsListing;
struct AppState;
struct Platform;

// The teacher's spreadsheet export: three tables, written as the three
// sheets of one .xlsx workbook or one of them as a CSV file. Names and grades
// come from state.roster, level names from state.LevelNames, as the
// teacher's screens show them. A session with a time of 5000 or more did not
// finish, as the tallies count it: its seconds are empty and it is told as
// a time-out (99998 and more) or a session given up.
namespace ResultsExport {

enum class Table {
    // One row per record the teacher's list shows, in record order.
    Results,
    // One row per student and level with records, by student then level.
    Summary,
    // The 100 facts of every arithmetic level a chosen student has tried.
    Facts,
};

QStringList header(Table table);

// The workbook's name for the table's sheet.
QString sheetName(Table table);

// Each writes its header and rows and returns the number of rows below the
// header. The summary's "cleared" column is read from the tallies of the
// last ComputeTallies.
qint64 writeResults(TableSink &sink, const ResultsListing &listing, const AppState &state);
qint64 writeSummary(TableSink &sink, const ResultsListing &listing, const AppState &state);
qint64 writeFacts(TableSink &sink, const AppState &state, const QList<qint16> &students);

struct Request
{
    Table table = Table::Results;
    CsvEncoding encoding = CsvEncoding::Utf8WithBom;
    // For Table::Facts, in the order they are written.
    QList<qint16> students;
};

struct Outcome
{
    // Of the CSV's table; of the workbook's first sheet.
    qint64 rows = 0;
    // A workbook's rows by sheet, in Table order.
    std::array<qint64, 3> sheetRows{};
    // What the teacher is told when nothing was written; empty on success.
    QString problem;
    // The results file could not be read and the program is ending.
    bool programEnding = false;

    bool succeeded() const { return problem.isEmpty() && !programEnding; }
};

// Reads what the table needs and writes `path` whole, or leaves it as it
// was: nothing else is created or changed.
Outcome exportTo(AppState &state, Platform &platform, const Request &request, const QString &path);
// The same for the workbook of all three tables, the facts of `students`.
Outcome exportWorkbook(AppState &state, Platform &platform, const QList<qint16> &students, const QString &path);

// File names the chooser starts with: the table's name (the results' for
// the workbook) and the day.
QString suggestedFileName(Table table, QDate today);
QString suggestedWorkbookName(QDate today);

} // namespace ResultsExport

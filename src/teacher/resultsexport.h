#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include "teacher/csvwriter.h"

class ResultsListing;
struct AppState;
struct Platform;

// The teacher's spreadsheet export: three tables, each written as one CSV
// file. Names and grades come from state.Roster, level names from
// state.LevelNames, as the teacher's screens show them.
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

// Each writes its header and rows and returns the number of rows below the
// header. The summary's "cleared" column is read from the tallies of the
// last ComputeTallies.
qint64 writeResults(CsvWriter &csv, const ResultsListing &listing, const AppState &state);
qint64 writeSummary(CsvWriter &csv, const ResultsListing &listing, const AppState &state);
qint64 writeFacts(CsvWriter &csv, const AppState &state, const QList<qint16> &students);

struct Request
{
    Table table = Table::Results;
    CsvEncoding encoding = CsvEncoding::Utf8WithBom;
    // For Table::Facts, in the order they are written.
    QList<qint16> students;
};

struct Outcome
{
    qint64 rows = 0;
    // What the teacher is told when nothing was written; empty on success.
    QString problem;
    // The results file could not be read and the program is ending.
    bool programEnding = false;

    bool succeeded() const { return problem.isEmpty() && !programEnding; }
};

// Reads what the table needs and writes `path` whole, or leaves it as it
// was: nothing else is created or changed.
Outcome exportTo(AppState &state, Platform &platform, const Request &request, const QString &path);

// A file name the chooser starts with: the table's name and the day.
QString suggestedFileName(Table table, QDate today);

} // namespace ResultsExport

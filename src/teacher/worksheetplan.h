#pragma once

#include <QString>

#include <vector>

#include "teacher/worksheet.h"

class Random;
struct AppState;

// What the teacher asked to print.
struct WorksheetRequest
{
    int level = 1;
    Worksheet::Layout layout = Worksheet::Layout::HundredSquares;
    int sheetCount = 1;
    bool answerSheets = true;
    // The seed of the first sheet, to print a sheet again; 0 draws a new one.
    quint32 firstSeed = 0;
    // Students who get a numbered sheet of their own weak facts each.
    std::vector<int> weakStudents;
};

// One printed page: a sheet, or the answer sheet that follows it.
struct WorksheetPage
{
    std::size_t sheet = 0;
    bool answers = false;
};

// The texts printed around a sheet's problems.
struct WorksheetTexts
{
    QString title;
    // Printed on the name line; empty leaves the line for the student.
    QString name;
    QString footer;
    QString seed;
};

// Turning the teacher's choices into sheets and pages.
namespace WorksheetPlan {

// Seeds stay short enough to read off a footer and type back in.
inline constexpr int MaxSeed = 999999;

// The level's sheets in print order, each with a seed of its own drawn from
// `random` (the first one `request.firstSeed` when given), then one weak-facts
// sheet per student from the statistics files in `dataFolder`.
std::vector<Worksheet> sheetsFor(const WorksheetRequest &request, Random &random, const QString &dataFolder);

// Each sheet, followed by its answer sheet when asked for.
std::vector<WorksheetPage> pagesOf(const std::vector<Worksheet> &sheets, bool answerSheets);

WorksheetTexts textsOf(const Worksheet &sheet, const AppState &state);

} // namespace WorksheetPlan

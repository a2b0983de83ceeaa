#pragma once

#include <QList>
#include <QString>

#include <utility>
#include <vector>

#include "teacher/worksheet.h"

struct Platform;
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
// the platform's random numbers (the first one `request.firstSeed` when
// given), then one weak-facts sheet per student from the statistics files in
// `dataFolder`. A statistics file another copy holds is waited for as the
// results file is; one that cannot be read gives a sheet as for a student who
// never practised, and its student number and reason go into `unread`.
std::vector<Worksheet> sheetsFor(const WorksheetRequest &request, Platform &platform, const QString &dataFolder,
                                 QList<std::pair<int, QString>> *unread = nullptr);

// Each sheet, followed by its answer sheet when asked for.
std::vector<WorksheetPage> pagesOf(const std::vector<Worksheet> &sheets, bool answerSheets);

WorksheetTexts textsOf(const Worksheet &sheet, const AppState &state);

} // namespace WorksheetPlan

#pragma once

#include <QList>
#include <QString>

#include <functional>

#include "roster/rosterfile.h"

struct AppState;
struct Platform;
class RosterTable;
class TallyTables;

// The lines of the name list: pure text building, so the screen only shows them.
namespace NameList {

inline constexpr auto FirstLine = "－－－－－－";
inline constexpr auto Prompt = "あなたの名前を選んでネ";
inline constexpr int ModeCount = 4;
inline constexpr int DefaultMode = 1;

// A student's tallies summed over every level.
struct Sums
{
    qint64 todayCount = 0;
    qint64 todayPoints = 0;
    qint64 totalCount = 0;
    qint64 totalPoints = 0;
};

enum class Figure { TodayCount, TodayPoints, TotalCount, TotalPoints };

// One figure right-aligned in its column, or the column's blank text for 0.
QString figureText(Figure figure, qint64 sum);
// The two figures of display mode 0..3, joined by "/"; an unknown mode shows mode 1.
QString figurePair(int mode, const Sums &sums);

// Grade label, a space and the name, padded with ideographic spaces to 9
// characters (11 for pre-school); longer texts are kept whole.
QString labelAndName(const QString &gradeLabel, const QString &name, int gradeNumber);

struct Student
{
    qint16 number = 0;
    qint16 cohortYear = 0;
    int gradeNumber = 0;
    QString gradeLabel;
    QString name; // trimmed
    Sums sums;
};

// A student's tallies summed over levels 1..35; zeros for a number outside the tables.
Sums sumsOf(const TallyTables &tallies, int number);

// The offered entries of the roster, with their sums from `sumsOf(number)`.
QList<Student> offeredStudents(const RosterTable &roster, const std::function<Sums(int)> &sumsOf);

// The hidden sort line: four-digit cohort year, label, name, figures, "*", number.
QString sortLine(const Student &student, int mode);

// What a screen reader says for a student's line: label, name and the two
// figures of the mode, a figure of 0 said as "0" where the line shows blanks.
QString spokenLine(const Student &student, int mode);

// One visible line of the name list (from line 1 on), the key line that
// sorted it, and what a screen reader says for it.
struct Line
{
    QString text;
    QString key;
    qint16 number = 0;
    QString spoken;
};

// What the name screen's list rebuild does short of showing the lines:
// recomputes the tallies, rereads the roster into state.roster and builds the
// lines. False when the program is ending after a file error.
bool rebuild(AppState &state, Platform &platform, int mode, const QString &filter, QList<Line> &lines,
             RosterFile::ReadResult &roster);

// Orders the students by their sort lines and keeps those passing the filter.
QList<Line> build(const QList<Student> &students, int mode, const QString &filter);

// The number after the "*" of a key line; 0 when there is none.
qint16 numberOfKey(const QString &key);

// What a click shows of a line: its first ten characters, blanks trimmed.
QString clickedName(const QString &line);
// What a double-click shows: the line before its first "/", blanks trimmed.
QString doubleClickedName(const QString &line);

} // namespace NameList

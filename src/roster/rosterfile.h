#pragma once

#include <QDate>
#include <QString>

struct AppState;
class RosterTable;

// Reading of the roster "新名簿.txt", which is kept outside the program.
namespace RosterFile {

inline constexpr auto FileName = "新名簿.txt";

struct ReadResult
{
    QString file;
    QString problem; // empty when the file could be read
    // Read, but no entry has a name that is more than blanks: nobody could
    // log in, so it is told like a missing file.
    bool noNames = false;
    int badNumbers = 0; // entries skipped: number outside 1..MaxStudent
    int overLimit = 0;  // entries after the MaxStudent-th, ignored

    bool failed() const { return !problem.isEmpty() || noNames; }
    // The text to show when the file could not be read or names nobody.
    QString message() const;
    // The text to show about skipped entries; empty when none were skipped.
    QString notice() const;
};

// Rebuilds `table` from the file. A file that cannot be read leaves the
// table empty and says why; the program carries on without names.
ReadResult read(const QString &path, int schoolYear, int rosterStatusSwitch, RosterTable &table);

// Rebuilds state.roster from RosterFolder & "新名簿.txt", with the school
// year of `today` and the common settings.
ReadResult load(AppState &state, QDate today);

} // namespace RosterFile

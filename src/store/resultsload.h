#pragma once

#include <algorithm>

#include "state/appstate.h"
#include "store/resultrecord.h"

struct Platform;

// LoadResults in its parts, so that ComputeTallies can count each record in
// the same pass that stores it.
namespace ResultsLoad {

// Reads the window into the read buffer, with the retry rules. The number of
// whole records read, or -1 when the program is ending after an error message.
qint32 readWindow(AppState &state, Platform &platform);

// Empties ResultTable and the best tables for a pass.
void clearBests(AppState &state);

inline bool admits(const ResultEntry &e)
{
    // Written this way round so that a NaN date is skipped as well.
    return e.date >= 0 && BestTimeTable::contains(e.level, e.studentNumber);
}

// A record dated later than this many days after today was written by a PC
// whose clock is wrong (a day of slack is left for clocks a little off
// around midnight).
inline constexpr int FutureDaysTolerated = 1;

// The day number from which on a record's date is impossible.
double impossibleFrom(const QDateTime &now);

// A record no session can have written: a negative time score, or a date
// beyond the tolerated future. It stays in the file and in ResultTable, so
// the lists still show it, but it makes no best time and counts nowhere.
inline bool possible(const ResultEntry &e, double impossibleFromDay)
{
    return e.timeScore >= 0 && e.date < impossibleFromDay;
}

// Stores the admitted records as ResultTable entries, lowers PersonalBest
// with the possible ones, and hands each possible entry to `visit`. Returns
// the cells of the visited entries, for a visitor that writes a table of
// its own.
template <typename Visit>
WrittenCells storeEntries(AppState &state, qint32 records, double impossibleFromDay, Visit &&visit)
{
    LoadedResults &table = state.ResultTable;
    const unsigned char *bytes = table.readBuffer.data();
    qint32 count = 0;
    WrittenCells written;
    for (qint32 i = 0; i < records; ++i) {
        const ResultEntry e = ResultRecord::decodeEntry(bytes + static_cast<std::size_t>(i) * ResultRecordLength);
        if (!admits(e))
            continue;
        table.entries[static_cast<std::size_t>(count++)] = e;
        if (!possible(e, impossibleFromDay))
            continue;
        written.add(e.level, e.studentNumber);
        qint32 &best = state.PersonalBest.writeUnnoted(e.level, e.studentNumber);
        best = std::min(best, e.timeScore);
        visit(e);
    }
    table.count = count;
    state.PersonalBest.note(written);
    return written;
}

// ClassBest from PersonalBest.
void finish(AppState &state);

} // namespace ResultsLoad

#pragma once

#include <QString>

#include <functional>

#include "store/resultrecord.h"
#include "store/resultsfile.h"

struct AppState;
struct Platform;

// Changes and deletions of single records of the shared results file while
// other copies of the program append to it and load it. Both take the
// whole-file lock the appends take, and both first make sure that the record
// is still the one the teacher opened.
namespace ResultsRewrite {

// The copy of the whole file a delete keeps until its rewrite is on the disk.
inline constexpr auto BackupFileName = "成績累積データtemp.dat";
QString backupPathIn(const QString &dataFolder);

enum class Outcome {
    Done,
    // The record at that number is no longer the one opened: another
    // teacher's delete moved it, or changed it. Nothing was written.
    Moved,
    // A delete that stopped part-way has left its backup: the file must be
    // repaired before anything else is rewritten. Nothing was written.
    RepairPending,
    Failed,
};

enum class Repair;

struct Result
{
    Outcome outcome = Outcome::Done;
    FileFault fault;
    // For a delete that failed after its backup was written: what was done
    // at once to undo it (Repair::NoBackup when it failed before that).
    Repair undone{};
};

// The points a delete passes, for tests that stop a copy on the way.
enum class DeleteStep { BackupWritten, ShiftBlockWritten, ShiftDone, Truncated };
using StepHook = std::function<void(DeleteStep)>;

// Records moved per write while the records after a deleted one move up.
inline constexpr qint32 ShiftBlockRecords = 4096;

// Writes `student` and `timeScore` into record `number`, every other field as
// `opened` holds it.
Result changeRecord(const AppState &state, Platform &platform, qint32 number, const ResultRecord &opened,
                    qint16 student, qint32 timeScore);

// Removes record `number` in place: the whole file is first copied to the
// backup and synced, the following records move up by one, the file is cut by
// one record and synced, and only then is the backup removed. Stopped at any
// point, every record is in the file or in the backup.
Result deleteRecord(const AppState &state, Platform &platform, qint32 number, const ResultRecord &opened,
                    const StepHook &hook = {});

enum class Repair {
    NoBackup = 0,
    // Another copy holds the lock: its delete may still be running.
    Busy,
    // The delete had not cut the file: every position it held is written back
    // from the backup, so the record it was deleting is there again.
    RolledBack,
    // The delete had cut the file, so it was complete; only the backup was left.
    Completed,
    // The file does not look like the backup with or without one record; both
    // are left as they are.
    NotRecognised,
    Failed,
};

struct RepairResult
{
    Repair outcome = Repair::NoBackup;
    FileFault fault;
};

// Finishes the work of a delete that stopped part-way, keeping the records
// other copies appended since. Never waits for the lock.
RepairResult repairInterruptedDelete(const AppState &state, Platform &platform);

// Who reads a repair's message: whoever sits at a PC as it starts, or the
// teacher in the results manager, who is the one to sort out a backup left over.
enum class Reader { AnyoneAtStart, Teacher };

// What to tell about a repair; empty when there is nothing to say.
QString repairMessage(const RepairResult &result, const QString &backupPath, Reader reader);

// Repairs and says what happened; empty when there is nothing to say.
QString repairAndDescribe(const AppState &state, Platform &platform, Reader reader);

// Repairs and tells; true when a backup was found (repaired or not).
bool reportInterruptedDelete(const AppState &state, Platform &platform, Reader reader = Reader::AnyoneAtStart);

// The teacher's action on record `number` that `result` says was not done
// (or not wholly), and why; empty for Outcome::Done. `repair` is what a
// pending repair found (for Outcome::RepairPending).
enum class Action { Change, Delete };
QString notDoneMessage(Action action, qint32 number, const Result &result, const QString &resultsPath,
                       const QString &backupPath, const QString &repair);

} // namespace ResultsRewrite

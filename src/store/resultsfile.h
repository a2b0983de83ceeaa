#pragma once

#include <functional>

#include <QFile>
#include <QString>

#include "store/resultrecord.h"

struct AppState;
struct Platform;
class FileLock;

// What went wrong with the results file, with the error number and text the
// messages show.
struct FileFault
{
    // Denied: the system refused access; while another copy holds the lock
    // that only means "wait", as for Busy.
    enum class Kind { None, Busy, NotFound, Denied, Other };

    Kind kind = Kind::None;
    int number = 0;
    QString description;

    bool failed() const { return kind != Kind::None; }
};

// Random access to the results file by 1-based record number. Record
// numbers are 32-bit: a file is not limited to 32767 records.
class ResultsFile final
{
public:
    enum class Access { ReadOnly, ReadWrite };

    static constexpr auto FileName = "成績累積データ.dat";
    static QString pathIn(const QString &dataFolder);

    const QString &path() const { return m_path; }
    // Creates an empty file when none exists.
    FileFault open(const QString &path, Access access);
    void close() { m_file.close(); }

    // Whole records only: a partial last record is not counted.
    qint32 recordCount(FileFault *fault);
    // Reads up to `count` records from `first` into `buffer` in one read;
    // `read` receives the number of whole records that arrived.
    FileFault readRecords(qint32 first, qint32 count, unsigned char *buffer, qint32 *read);
    FileFault readRecord(qint32 number, ResultRecord &record);
    FileFault writeRecord(qint32 number, const ResultRecord &record);
    // Writes `count` encoded records from `bytes`, the first as record `first`.
    FileFault writeRecords(qint32 first, qint32 count, const unsigned char *bytes);
    // Cuts the file to its first `count` records.
    FileFault truncate(qint32 count);
    // Returns once everything written is on the disk.
    FileFault sync();

private:
    QString m_path;
    QFile m_file;
};

// Opens the results file of `state.DataFolder` on `file`, creating it when missing.
// While another copy holds the file it waits a second at a time (window kept
// responsive) without limit; any other fault is returned to the caller.
FileFault OpenResultsFile(const AppState &state, Platform &platform, ResultsFile &file, ResultsFile::Access access);
// Runs `attempt` again, a second at a time with the waiting notice, for as
// long as it fails because another copy holds `path`; its last fault.
FileFault retryWhileHeld(Platform &platform, const QString &path, const std::function<FileFault()> &attempt);
// The fault of a call on `path` that failed with the system error `code`,
// described by `text`.
FileFault faultOfError(int code, const QString &path, const QString &text);

// OpenResultsFile for a results file named by its path.
FileFault openResultsFileAt(Platform &platform, ResultsFile &file, const QString &path, ResultsFile::Access access);
// ResultsFile::readRecords, waiting like OpenResultsFile while another copy
// holds the file.
FileFault readResultsWaiting(Platform &platform, ResultsFile &file, qint32 first, qint32 count, unsigned char *buffer,
                             qint32 *read);

// Takes the whole-file lock every writer of the results file takes, waiting
// a second at a time while another copy holds it. False when the lock
// cannot be taken at all; `error` says why.
bool waitForResultsLock(Platform &platform, const QString &path, QString *error);
// The lock the writers take: the platform's, or the real one when it has none.
FileLock &resultsLock(Platform &platform);

// Appends one record dated now under the lock, after making the day's backup
// copy of the file when it is the day's first append. False when the program
// is ending after an error message; the caller returns at once. A failed
// backup never stops the append: it is told once a day.
bool AppendResult(AppState &state, Platform &platform, qint16 studentNumber, qint16 level, qint32 timeScore);

// Rebuilds ResultTable (the newest 20000 records), PersonalBest and ClassBest.
// False when the program is ending after an error message.
bool LoadResults(AppState &state, Platform &platform);

// Only students 1..1000 count for the class best.
inline constexpr int ClassBestStudents = 1000;

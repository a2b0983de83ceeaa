#pragma once

#include <QByteArray>
#include <QString>

#include <array>

#include "drill/drillproblem.h"

class Dialogs;

// One 16-byte record of a student's statistics file.
struct ProblemStat
{
    float CorrectCount = 0;
    float WrongCount = 0;
    double TotalTime = 0;

    static constexpr int Size = 16;
    QByteArray toBytes() const;
    // `bytes` may be shorter than a record: missing bytes read as zero.
    static ProblemStat fromBytes(QByteArrayView bytes);
    friend bool operator==(const ProblemStat &, const ProblemStat &) = default;
};

using LevelStats = std::array<ProblemStat, MaxProblemCount>;

// "成績記録" & student number & ".dat": 100 records per level, level L's
// problem i at record (L - 1) * 100 + i. Only the level's own 100 records are
// ever written, in place, so other levels survive any failure.
namespace ProblemStatFile {

inline constexpr int CreatedRecordCount = 1000;
inline constexpr int MaxFileLevel = 35;

QString pathFor(const QString &dataFolder, int studentNumber);

// A new file of 1000 zero records; an existing file is left as it is.
bool create(const QString &path, QString *error);

// Records past the end of a short file count as never tried. On failure
// `systemError` (when given) receives the system's error number, 0 if none.
bool readLevel(const QString &path, int level, LevelStats &stats, QString *error, int *systemError = nullptr);

// Writes records of `level` in place. A file too short to reach them is
// first extended with zero records from its own end; it is never truncated.
bool writeLevel(const QString &path, int level, const LevelStats &stats, QString *error);

} // namespace ProblemStatFile

// The statistics of one student and level for one drill screen. Failures are
// told through Dialogs; after a failed read nothing is saved, so the stored
// counters are never replaced by this session's alone.
class LevelStatistics final
{
public:
    LevelStatistics(const QString &dataFolder, int studentNumber, int level, Dialogs &dialogs);

    // Fills the counters of problems 1..100 (zero when nothing can be read).
    void load(DrillProblemTable &problems);
    // Writes the counters back; false when nothing was written.
    bool save(const DrillProblemTable &problems);

    const QString &path() const { return m_path; }
    bool savable() const { return m_savable; }

private:
    void report(const QString &problem, const QString &consequence);

    QString m_path;
    int m_level;
    Dialogs &m_dialogs;
    bool m_savable = false;
};

#pragma once

#include <QString>
#include <QStringList>

#include <array>

// One row of the level standard table "タイム回数データ.txt"; row n is level n.
struct LevelStandard
{
    // As ClearPoints: the level has no points condition. As the ClearCount
    // of any level: the goal panel never shows.
    static constexpr qint16 NoClearCondition = 9999;

    qint32 TargetTime = 0;
    qint32 MinimumTime = 0;
    qint32 ClearPoints = 0;
    qint16 ClearCount = 0;
    float PointMultiplier = 0.0f;
    // Fields 6..12 keep whatever the file holds: a number in its canonical
    // decimal form when the text is numeric, otherwise the text itself.
    QString OveruseCount;
    QString OverusePoints;
    QString JudgeDays;
    QString OveruseDays;
    // Columns 10..12 are written back as read; nothing uses them.
    QString unusedColumn10;
    QString unusedColumn11;
    QString unusedColumn12;

    double overuseCountValue() const;
    double overusePointsValue() const;
    double judgeDaysValue() const;
    double overuseDaysValue() const;
};

inline constexpr int LevelRowCount = 36;
using LevelStandardTable = std::array<LevelStandard, LevelRowCount>;

namespace LevelStandardFile {

inline constexpr auto FileName = "タイム回数データ.txt";

// The header line as the editor writes it: nine titles and three empty values.
QStringList headerTexts();

// Reads the table into `table`, row 0 first. Rows after the file's last row
// keep their values; rows beyond 35 are not stored. An incomplete last row
// gets empty values for the missing fields. False with `error` when the file
// cannot be read.
bool read(const QString &path, LevelStandardTable &table, QString *error);

// The twelve cell texts of a row, as the editor shows and writes them.
QStringList toTexts(const LevelStandard &row);

// The bytes of a table file holding these rows: cp932, CR LF line ends.
QByteArray encode(const QList<QStringList> &rows);

// Replaces the file with the given rows of twelve texts each (row 0 is the
// header), every line ended by CR LF. False with `error` on a write failure,
// in which case the old file is left as it was.
bool write(const QString &path, const QList<QStringList> &rows, QString *error);

// A level whose MinimumTime is not above 0 cannot be started: its time
// limit would end every session after its first second.
bool levelCanRun(const LevelStandard &level);

// The first of levels 1..`levels` whose MinimumTime is not above 0, where
// every drill would run out of time at once; 0 when all can run.
int firstLevelThatCannotRun(const LevelStandardTable &table, int levels);

// The header followed by levels 1..levelCount of the table.
QList<QStringList> toRows(const LevelStandardTable &table, int levelCount);

} // namespace LevelStandardFile

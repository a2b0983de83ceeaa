#pragma once

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <type_traits>
#include <vector>

#include "app/limits.h"
#include "app/timescore.h"

inline constexpr int ResultWindow = 20000;
inline constexpr int ResultRecordLength = 44;

// The cells a pass over the records wrote: these levels, over these
// students. Gathered in registers, where a span per level would make every
// record wait on the previous one's store.
struct WrittenCells
{
    quint64 levels = 0;
    int first = MaxStudent + 1;
    int last = -1;

    void add(int level, int student)
    {
        levels |= quint64(1) << level;
        first = std::min(first, student);
        last = std::max(last, student);
    }
};
static_assert(MaxLevel < 64);

// A table over levels 1..MaxLevel and students 1..MaxStudent, allocated once
// with every cell blank; row and column 0 exist but stay unused. Cells are
// written only through write(), which notes the students written on each
// level, or by a pass through writeUnnoted() and one note() at its end, so
// that a reset touches only the written span: a school uses a handful of
// the 35 levels and far fewer students than the table holds, and what is
// reset for nothing pushes the records out of the cache before a pass.
template <typename T>
class LevelStudentTable
{
public:
    // Students written on a level since the last reset; none when first > last.
    struct WrittenSpan
    {
        int first = MaxStudent + 1;
        int last = -1;
    };

    // Blank is the value-initialised T, reset by clearing the bytes.
    LevelStudentTable()
        : LevelStudentTable(T{})
    {
        static_assert(std::is_trivially_copyable_v<T>);
        m_blankIsZero = true;
    }
    explicit LevelStudentTable(const T &blank)
        : m_blank(blank)
        , m_cells(static_cast<std::size_t>(MaxLevel + 1) * (MaxStudent + 1), blank)
    {
    }

    static bool contains(int level, int student)
    {
        return level >= 1 && level <= MaxLevel && student >= 1 && student <= MaxStudent;
    }
    const T &at(int level, int student) const
    {
        Q_ASSERT(contains(level, student));
        return m_cells[index(level, student)];
    }
    T &write(int level, int student)
    {
        Q_ASSERT(contains(level, student));
        WrittenSpan &span = m_written[static_cast<std::size_t>(level)];
        span.first = std::min(span.first, student);
        span.last = std::max(span.last, student);
        return m_cells[index(level, student)];
    }
    // For a pass: the cell, which the pass notes with note() once it is done.
    T &writeUnnoted(int level, int student)
    {
        Q_ASSERT(contains(level, student));
        return m_cells[index(level, student)];
    }
    void note(const WrittenCells &cells)
    {
        for (int level = 0; level <= MaxLevel; ++level) {
            if (cells.levels >> level & 1) {
                WrittenSpan &span = m_written[static_cast<std::size_t>(level)];
                span.first = std::min(span.first, cells.first);
                span.last = std::max(span.last, cells.last);
            }
        }
    }
    const WrittenSpan &written(int level) const { return m_written[static_cast<std::size_t>(level)]; }

    // Every written cell back to blank.
    void reset()
    {
        for (int level = MaxLevel; level >= 0; --level) {
            const WrittenSpan &span = written(level);
            if (span.first <= span.last)
                blankStudents(level, span.first, span.last);
        }
        m_written.fill({});
    }
    // The same, by blanking all the memory whether written or not.
    void resetAll()
    {
        for (int level = MaxLevel; level >= 0; --level)
            blankStudents(level, 0, MaxStudent);
        m_written.fill({});
    }

private:
    static std::size_t index(int level, int student)
    {
        return static_cast<std::size_t>(level) * (MaxStudent + 1) + static_cast<std::size_t>(student);
    }
    void blankStudents(int level, int first, int last)
    {
        T *from = m_cells.data() + index(level, first);
        const auto count = static_cast<std::size_t>(last - first + 1);
        if (m_blankIsZero)
            std::memset(static_cast<void *>(from), 0, count * sizeof(T));
        else
            std::fill(from, from + count, m_blank);
    }

    T m_blank;
    bool m_blankIsZero = false;
    std::vector<T> m_cells;
    std::array<WrittenSpan, MaxLevel + 1> m_written{};
};

// One loaded record: what the tallies and rankings need of it.
struct ResultEntry
{
    double date = 0;
    qint32 timeScore = 0;
    qint16 studentNumber = 0;
    qint16 level = 0;
};

// The newest records of the results file, in file order (entries[0 .. count-1]).
struct LoadedResults
{
    LoadedResults()
        : entries(ResultWindow)
        , readBuffer(static_cast<std::size_t>(ResultWindow) * ResultRecordLength)
        , countedBuffer(readBuffer.size())
    {
    }
    qint32 count = 0;
    std::vector<ResultEntry> entries;
    // Raw bytes of the window, kept so that a load does not allocate.
    std::vector<unsigned char> readBuffer;
    // Record number of the first record in readBuffer.
    qint32 firstRecord = 1;

    // The window the tallies were last counted from, byte for byte, so that
    // the next count can start from there when the file only grew.
    std::vector<unsigned char> countedBuffer;
    qint32 countedFirst = 0;
    qint32 countedRecords = -1;
};

// Lowest time score per level and student; TimeScore::NoTime when there is none.
class BestTimeTable final : public LevelStudentTable<qint32>
{
public:
    BestTimeTable()
        : LevelStudentTable<qint32>(TimeScore::NoTime)
    {
    }
};
// Lowest time score per level over students 1..1000; index 0 unused.
using ClassBestTimes = std::array<qint32, MaxLevel + 1>;

// The eight tallies of one level and student.
struct TallyCell
{
    float todayCount = 0;
    qint32 todayPoints = 0;
    qint32 periodPoints = 0;
    qint32 overusePoints = 0;
    qint32 totalPoints = 0;
    qint16 periodCount = 0;
    qint16 overuseCount = 0;
    qint16 totalCount = 0;
};

inline constexpr int PointsMemoSpan = 1024;

// The eight tallies of every level and student, with the scratch of a
// computation.
class TallyTables final : public LevelStudentTable<TallyCell>
{
public:
    TallyTables()
        : pointsMemo(static_cast<std::size_t>(MaxLevel + 1) * PointsMemoSpan)
    {
    }

    // The points of each level and time below PointsMemoSpan, -1 until
    // worked out. Kept here so no pass allocates.
    std::vector<qint32> pointsMemo;

    // What the last count depended on besides the window's bytes (see
    // ComputeTallies); bit patterns, so that any change shows.
    std::array<quint64, 2 + 4 * (MaxLevel + 1)> countedBasis{};
    // Every counted date was a whole day, so a period's bound mattered only
    // by its day.
    bool countedWholeDays = false;
    // How many counts continued from the one before rather than starting over.
    int continuedCounts = 0;
};

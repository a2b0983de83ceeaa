#pragma once

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <type_traits>
#include <vector>

#include "app/limits.h"

inline constexpr qint32 NoTime = 99999;
// A time score from here on marks a session that was not finished normally.
inline constexpr qint32 UnfinishedTime = 5000;
inline constexpr int ResultWindow = 20000;
inline constexpr int ResultRecordLength = 44;

// A table over levels 1..MaxLevel and students 1..MaxStudent, allocated once;
// row and column 0 exist but stay unused.
template <typename T>
class LevelStudentTable
{
public:
    LevelStudentTable()
        : m_cells(static_cast<std::size_t>(MaxLevel + 1) * (MaxStudent + 1))
    {
    }

    static bool contains(int level, int student)
    {
        return level >= 1 && level <= MaxLevel && student >= 1 && student <= MaxStudent;
    }
    T &at(int level, int student)
    {
        Q_ASSERT(contains(level, student));
        return m_cells[index(level, student)];
    }
    const T &at(int level, int student) const
    {
        Q_ASSERT(contains(level, student));
        return m_cells[index(level, student)];
    }
    // Both go from the last level down, so that the low levels, where the
    // sessions are, are still in the cache when the records are counted.
    void fill(const T &value)
    {
        constexpr std::ptrdiff_t rowSize = MaxStudent + 1;
        const auto last = m_cells.end() - rowSize;
        std::fill(last, m_cells.end(), value);
        for (auto to = last; to != m_cells.begin();)
            std::copy(last, last + rowSize, to -= rowSize);
    }
    // Every cell to its value-initialised state.
    void clear()
    {
        for (int level = MaxLevel; level >= 0; --level)
            clearLevel(level);
    }
    void clearLevel(int level) { clearStudents(level, 0, MaxStudent); }
    // Cells first..last of one level to their value-initialised state.
    void clearStudents(int level, int first, int last)
    {
        const auto from = m_cells.begin() + static_cast<std::ptrdiff_t>(index(level, first));
        const auto count = static_cast<std::size_t>(last - first + 1);
        if constexpr (std::is_trivially_copyable_v<T>)
            std::memset(static_cast<void *>(&*from), 0, count * sizeof(T));
        else
            std::fill(from, from + static_cast<std::ptrdiff_t>(count), T{});
    }

private:
    static std::size_t index(int level, int student)
    {
        return static_cast<std::size_t>(level) * (MaxStudent + 1) + static_cast<std::size_t>(student);
    }
    std::vector<T> m_cells;
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
    {
    }
    qint32 count = 0;
    std::vector<ResultEntry> entries;
    // Raw bytes of the window, kept so that a load does not allocate.
    std::vector<unsigned char> readBuffer;
};

// Lowest time score per level and student; NoTime when there is none.
using BestTimeTable = LevelStudentTable<qint32>;
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

// The eight tallies of every level and student. Cells are written only
// through write(), which notes the students written on each level, so that
// clearing touches only that span: a school uses a handful of the 35 levels
// and far fewer students than the table holds, and the table is 5 MB. What
// is cleared for nothing pushes the records out of the cache before the pass.
class TallyTables final
{
public:
    TallyTables()
        : pointsMemo(static_cast<std::size_t>(MaxLevel + 1) * PointsMemoSpan)
    {
    }

    static bool contains(int level, int student) { return LevelStudentTable<TallyCell>::contains(level, student); }
    const TallyCell &at(int level, int student) const { return m_cells.at(level, student); }
    TallyCell &write(int level, int student)
    {
        WrittenSpan &span = m_written[static_cast<std::size_t>(level)];
        span.first = std::min(span.first, student);
        span.last = std::max(span.last, student);
        return m_cells.at(level, student);
    }
    // Every cell back to zero.
    void clear()
    {
        for (int level = MaxLevel; level >= 0; --level) {
            const WrittenSpan &span = m_written[static_cast<std::size_t>(level)];
            if (span.first <= span.last)
                m_cells.clearStudents(level, span.first, span.last);
        }
        m_written.fill({});
    }
    // The same, by clearing all the memory whether written or not.
    void clearAll()
    {
        m_cells.clear();
        m_written.fill({});
    }

    // Scratch of one computation: the points of each level and time below
    // PointsMemoSpan, -1 until worked out. Kept here so no pass allocates.
    std::vector<qint32> pointsMemo;

private:
    // Students written on a level since the last clear; none when first > last.
    struct WrittenSpan
    {
        int first = MaxStudent + 1;
        int last = -1;
    };
    LevelStudentTable<TallyCell> m_cells;
    std::array<WrittenSpan, MaxLevel + 1> m_written{};
};

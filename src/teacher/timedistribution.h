#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

struct AppState;
struct Platform;

// How the recorded session times of each level fall into ten-second
// buckets: every result, and each student's best time.
class TimeDistribution final
{
public:
    // Levels 1..50 are counted; anything else in the file is not a level
    // the editor can show and is left out.
    static constexpr int MaxLevel = 50;
    static constexpr int BucketCount = 101;
    static constexpr int LastAllBucket = 100;
    static constexpr int LastBestBucket = 30;

    // `records` holds `count` whole 44-byte records in file order.
    static TimeDistribution fromRecords(const unsigned char *records, qint64 count);

    int resultCount(int level) const;
    int allResults(int level, int bucket) const;
    int bestTimes(int level, int bucket) const;

    // The lists as shown: a header line, then one line per bucket 0..100.
    QStringList allResultLines(int level) const;
    QStringList bestTimeLines(int level) const;

private:
    using Histogram = std::array<std::array<int, BucketCount>, MaxLevel + 1>;
    static bool isCounted(int level, int bucket);
    static QStringList histogramLines(const Histogram &histogram, int level, const QString &headerStart,
                                      const QString &headerEnd);

    std::array<int, MaxLevel + 1> m_counts{};
    Histogram m_all{};
    Histogram m_best{};
};

// The distribution of the results file, read whole in one block at every
// refresh: a correction in place may leave the file's size and time of change
// as they were, and a full read costs less than a key press is worth.
class DistributionSource final
{
public:
    enum class Status { Read, Missing, Failed };

    DistributionSource(const AppState &state, Platform &platform);

    // `error` says what went wrong when the status is Failed. A missing or
    // unreadable file leaves an empty distribution.
    Status refresh(QString *error = nullptr);
    const TimeDistribution &distribution() const { return m_distribution; }
    QString path() const;

private:
    const AppState &m_state;
    Platform &m_platform;
    TimeDistribution m_distribution;
    std::vector<unsigned char> m_buffer;
};

#include "teacher/timedistribution.h"

#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <unordered_map>

#include "state/appstate.h"
#include "app/limits.h"
#include "store/resultrecord.h"
#include "store/resultsfile.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qint32 NoBest = INT32_MAX;

QString bucketLine(int bucket, int stars)
{
    return QString(u"  "_s + QString::number(bucket * 10)).right(4) + u'～' + QString(stars, u'★');
}

} // namespace

bool TimeDistribution::isCounted(int level, int bucket)
{
    return level >= 1 && level <= MaxLevel && bucket >= 0 && bucket < BucketCount;
}

TimeDistribution TimeDistribution::fromRecords(const unsigned char *records, qint64 count)
{
    using namespace ResultRecordLayout;
    TimeDistribution d;
    // Best time per level and student: a flat table for the roster's numbers,
    // a map for whatever else a merged or damaged file holds.
    std::vector<qint32> best(std::size_t(MaxLevel + 1) * (MaxStudent + 1), NoBest);
    std::unordered_map<qint64, qint32> otherBest;
    for (qint64 i = 0; i < count; ++i) {
        const unsigned char *record = records + i * ResultRecordLength;
        const int level = qFromLittleEndian<qint16>(record + LevelAt);
        const qint32 time = qFromLittleEndian<qint32>(record + TimeScoreAt);
        // A negative time is no session at all and has no bucket.
        if (level < 1 || level > MaxLevel || time < 0)
            continue;
        const int student = qFromLittleEndian<qint16>(record + StudentAt);
        ++d.m_counts[std::size_t(level)];
        ++d.m_all[std::size_t(level)][std::size_t(std::min(time / 10, LastAllBucket))];
        qint32 &slot = student >= 0 && student <= MaxStudent
                           ? best[std::size_t(level) * (MaxStudent + 1) + std::size_t(student)]
                           : otherBest.try_emplace(qint64(level) << 32 | quint16(student), NoBest).first->second;
        slot = std::min(slot, time);
    }
    for (int level = 1; level <= MaxLevel; ++level) {
        const qint32 *row = best.data() + std::size_t(level) * (MaxStudent + 1);
        for (int student = 0; student <= MaxStudent; ++student) {
            if (row[student] != NoBest)
                ++d.m_best[std::size_t(level)][std::size_t(std::min(row[student] / 10, LastBestBucket))];
        }
    }
    for (const auto &[key, time] : otherBest)
        ++d.m_best[std::size_t(key >> 32)][std::size_t(std::min(time / 10, LastBestBucket))];
    return d;
}

int TimeDistribution::resultCount(int level) const
{
    return isCounted(level, 0) ? m_counts[std::size_t(level)] : 0;
}

int TimeDistribution::allResults(int level, int bucket) const
{
    return isCounted(level, bucket) ? m_all[std::size_t(level)][std::size_t(bucket)] : 0;
}

int TimeDistribution::bestTimes(int level, int bucket) const
{
    return isCounted(level, bucket) ? m_best[std::size_t(level)][std::size_t(bucket)] : 0;
}

QStringList TimeDistribution::histogramLines(const Histogram &histogram, int level, const QString &headerStart,
                                             const QString &headerEnd)
{
    static const std::array<int, BucketCount> none{};
    const auto &row = isCounted(level, 0) ? histogram[std::size_t(level)] : none;
    const int scale = std::max(*std::max_element(row.begin(), row.end()) / 10, 1);
    QStringList lines{QString::number(level) + headerStart + QString::number(scale) + headerEnd};
    for (int bucket = 0; bucket < BucketCount; ++bucket)
        // Counts are never negative, so adding a half rounds them.
        // NOLINTNEXTLINE(bugprone-incorrect-roundings)
        lines.append(bucketLine(bucket, int(double(row[std::size_t(bucket)]) / scale + 0.5)));
    return lines;
}

QStringList TimeDistribution::allResultLines(int level) const
{
    return histogramLines(m_all, level, u"レベル 今まで"_s + QString::number(resultCount(level)) + u"回  （★="_s,
                          u"）"_s);
}

QStringList TimeDistribution::bestTimeLines(int level) const
{
    return histogramLines(m_best, level, u"レベル （★="_s, u"）"_s);
}

DistributionSource::DistributionSource(const AppState &state, Platform &platform)
    : m_state(state)
    , m_platform(platform)
{
}

QString DistributionSource::path() const
{
    return ResultsFile::pathIn(m_state.DataFolder);
}

DistributionSource::Status DistributionSource::refresh(QString *error)
{
    m_distribution = {};
    // The editor only reads the file: a missing one is not created here.
    if (!QFileInfo::exists(path()))
        return Status::Missing;

    ResultsFile file;
    FileFault fault = OpenResultsFile(m_state, m_platform, file, ResultsFile::Access::ReadOnly);
    qint32 count = 0;
    qint32 got = 0;
    if (!fault.failed())
        count = file.recordCount(&fault);
    if (!fault.failed()) {
        m_buffer.resize(std::size_t(count) * ResultRecordLength);
        fault = readResultsWaiting(m_platform, file, 1, count, m_buffer.data(), &got);
    }
    file.close();
    if (fault.failed()) {
        if (error)
            *error = fault.description;
        return Status::Failed;
    }
    m_distribution = TimeDistribution::fromRecords(m_buffer.data(), got);
    return Status::Read;
}

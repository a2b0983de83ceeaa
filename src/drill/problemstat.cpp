#include "drill/problemstat.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <bit>

#include "platform/dialogs.h"
#include "platform/systemerror.h"

using namespace Qt::StringLiterals;

namespace {

qint64 levelOffset(int level)
{
    return qint64(level - 1) * MaxProblemCount * ProblemStat::Size;
}

bool levelInRange(int level, QString *error)
{
    if (level >= 1 && level <= ProblemStatFile::MaxFileLevel)
        return true;
    if (error)
        *error = QStringLiteral("レベル%1は記録できません。").arg(level);
    return false;
}

// `captured` is the errno read right after the failed call.
bool fail(QString *error, const QFile &file, int captured)
{
    if (error)
        *error = SystemError::describeFailure(file, captured);
    return false;
}

bool writeAll(QFile &file, const QByteArray &bytes, QString *error)
{
    SystemError::clear();
    const qint64 written = file.write(bytes);
    const int captured = SystemError::last();
    if (written == bytes.size())
        return true;
    if (error)
        *error = SystemError::describeWriteFailure(file, written, captured);
    return false;
}

bool flushed(QFile &file, QString *error)
{
    SystemError::clear();
    return file.flush() || fail(error, file, SystemError::last());
}

} // namespace

QByteArray ProblemStat::toBytes() const
{
    QByteArray bytes(Size, '\0');
    qToLittleEndian(std::bit_cast<quint32>(CorrectCount), bytes.data());
    qToLittleEndian(std::bit_cast<quint32>(WrongCount), bytes.data() + 4);
    qToLittleEndian(std::bit_cast<quint64>(TotalTime), bytes.data() + 8);
    return bytes;
}

ProblemStat ProblemStat::fromBytes(QByteArrayView bytes)
{
    QByteArray record(bytes.data(), std::min<qsizetype>(bytes.size(), Size));
    record.append(Size - record.size(), '\0');
    ProblemStat stat;
    stat.CorrectCount = std::bit_cast<float>(qFromLittleEndian<quint32>(record.constData()));
    stat.WrongCount = std::bit_cast<float>(qFromLittleEndian<quint32>(record.constData() + 4));
    stat.TotalTime = std::bit_cast<double>(qFromLittleEndian<quint64>(record.constData() + 8));
    return stat;
}

namespace ProblemStatFile {

QString pathFor(const QString &dataFolder, int studentNumber)
{
    return u"%1成績記録%2.dat"_s.arg(dataFolder, QString::number(studentNumber));
}

bool create(const QString &path, QString *error)
{
    QFile file(path);
    SystemError::clear();
    // NewOnly: another copy of the program may have made it a moment ago.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        const int captured = SystemError::last();
        return QFileInfo::exists(path) || fail(error, file, captured);
    }
    const QByteArray zeros(qsizetype(CreatedRecordCount) * ProblemStat::Size, '\0');
    return writeAll(file, zeros, error) && flushed(file, error);
}

bool readLevel(const QString &path, int level, LevelStats &stats, QString *error, int *systemError)
{
    if (!levelInRange(level, error))
        return false;
    const auto failed = [&](const QFile &file, int captured) {
        if (systemError)
            *systemError = captured;
        return fail(error, file, captured);
    };
    QFile file(path);
    SystemError::clear();
    if (!file.open(QIODevice::ReadOnly))
        return failed(file, SystemError::last());
    QByteArray bytes;
    if (file.size() > levelOffset(level)) {
        SystemError::clear();
        if (!file.seek(levelOffset(level)))
            return failed(file, SystemError::last());
        bytes = file.read(qint64(MaxProblemCount) * ProblemStat::Size);
        if (file.error() != QFileDevice::NoError)
            return failed(file, SystemError::last());
    }
    for (int i = 0; i < MaxProblemCount; ++i)
        stats[std::size_t(i)] = ProblemStat::fromBytes(bytes.mid(qsizetype(i) * ProblemStat::Size));
    return true;
}

bool writeLevel(const QString &path, int level, const LevelStats &stats, QString *error)
{
    if (!levelInRange(level, error))
        return false;
    QFile file(path);
    SystemError::clear();
    if (!file.open(QIODevice::ReadWrite))
        return fail(error, file, SystemError::last());
    const qint64 start = levelOffset(level);
    if (file.size() < start) {
        const QByteArray gap(start - file.size(), '\0');
        SystemError::clear();
        if (!file.seek(file.size()))
            return fail(error, file, SystemError::last());
        if (!writeAll(file, gap, error))
            return false;
    }
    QByteArray bytes;
    for (const ProblemStat &stat : stats)
        bytes += stat.toBytes();
    SystemError::clear();
    if (!file.seek(start))
        return fail(error, file, SystemError::last());
    return writeAll(file, bytes, error) && flushed(file, error);
}

} // namespace ProblemStatFile

LevelStatistics::LevelStatistics(const QString &dataFolder, int studentNumber, int level, Dialogs &dialogs)
    : m_path(ProblemStatFile::pathFor(dataFolder, studentNumber))
    , m_level(level)
    , m_dialogs(dialogs)
{
}

void LevelStatistics::load(DrillProblemTable &problems)
{
    LevelStats stats{};
    QString error;
    const bool existed = QFileInfo::exists(m_path);
    if (!existed && !ProblemStatFile::create(m_path, &error)) {
        // Nothing is stored yet, so the session's counters can still be kept.
        report(error, QStringLiteral("終わったときにもう一度保存します。"));
        m_savable = true;
    } else if (!ProblemStatFile::readLevel(m_path, m_level, stats, &error)) {
        report(error, QStringLiteral("今回の問題ごとの記録は保存しません。"));
        m_savable = false;
    } else {
        m_savable = true;
    }
    for (int i = 1; i <= MaxProblemCount; ++i) {
        problems[std::size_t(i)].CorrectCount = stats[std::size_t(i - 1)].CorrectCount;
        problems[std::size_t(i)].WrongCount = stats[std::size_t(i - 1)].WrongCount;
        problems[std::size_t(i)].TotalTime = stats[std::size_t(i - 1)].TotalTime;
    }
}

bool LevelStatistics::save(const DrillProblemTable &problems)
{
    if (!m_savable)
        return false;
    LevelStats stats;
    for (int i = 1; i <= MaxProblemCount; ++i)
        stats[std::size_t(i - 1)] = {problems[std::size_t(i)].CorrectCount, problems[std::size_t(i)].WrongCount,
                                     problems[std::size_t(i)].TotalTime};
    QString error;
    // A file that vanished since loading gets its full size back first.
    if (!QFileInfo::exists(m_path))
        ProblemStatFile::create(m_path, nullptr);
    if (!ProblemStatFile::writeLevel(m_path, m_level, stats, &error)) {
        report(error, QStringLiteral("今回の問題ごとの記録は保存できませんでした。"));
        return false;
    }
    return true;
}

void LevelStatistics::report(const QString &problem, const QString &consequence)
{
    m_dialogs.tell(QStringLiteral("注意"),
                   QStringLiteral("成績記録ファイル「%1」を使えません（%2）。\r\n%3").arg(m_path, problem, consequence),
                   DialogIcon::Warning);
}

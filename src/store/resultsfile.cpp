#include "store/resultsfile.h"

#include <cerrno>

#include <QDir>
#include <QFileInfo>

#include "state/appstate.h"
#include "app/oledate.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/filelock.h"
#include "platform/pause.h"
#include "platform/platform.h"
#include "platform/programend.h"
#include "platform/systemerror.h"
#include "platform/waitnotice.h"
#include "store/dailybackup.h"
#include "store/resultsload.h"

namespace {

// Error numbers as the messages have always shown them.
constexpr int ErrFileNotFound = 53;
constexpr int ErrDeviceIo = 57;
constexpr int ErrDiskFull = 61;
constexpr int ErrPermissionDenied = 70;
constexpr int ErrPathFileAccess = 75;

constexpr int HeldRetryMs = 1000;
constexpr int NotFoundRetryMs = 5000;
constexpr int NotFoundRetries = 3;

constexpr int StepOpen = 3;
constexpr int StepMeasure = 4;
constexpr int StepRead = 5;

FileLock &lockOf(Platform &platform)
{
    static OsFileLock fallback;
    return platform.fileLock ? *platform.fileLock : fallback;
}

Pause &pauseOf(Platform &platform)
{
    static EventLoopPause fallback;
    return platform.pause ? *platform.pause : fallback;
}

// Waits a second at a time while another copy holds the file, saying so on
// the screen from the first wait until the waiting is over.
class OtherCopyWait final
{
public:
    explicit OtherCopyWait(Platform &platform)
        : m_platform(platform)
    {
    }
    OtherCopyWait(const OtherCopyWait &) = delete;
    OtherCopyWait &operator=(const OtherCopyWait &) = delete;
    ~OtherCopyWait()
    {
        if (m_shown)
            m_platform.waitNotice->hideWaiting();
    }

    void waitASecond()
    {
        if (m_platform.waitNotice && !m_shown) {
            m_platform.waitNotice->showWaiting(
                QStringLiteral("他のコンピューターが成績を記録しています。しばらくお待ちください。"));
            m_shown = true;
        }
        pauseOf(m_platform).wait(HeldRetryMs);
    }

private:
    Platform &m_platform;
    bool m_shown = false;
};

bool folderExists(const QString &path)
{
    return QFileInfo(path).absoluteDir().exists();
}

// `code` is the errno value of the failing call (0 where the system gave none).
FileFault classify(int code, int fallbackNumber, const QString &path, const QString &text)
{
    FileFault fault{FileFault::Kind::Other, fallbackNumber, text};
    if (code == ENOENT || code == ENOTDIR || !folderExists(path)) {
        fault.kind = FileFault::Kind::NotFound;
        fault.number = ErrFileNotFound;
    } else if (code == EBUSY || code == ETXTBSY || code == EAGAIN) {
        fault.kind = FileFault::Kind::Busy;
        fault.number = ErrPermissionDenied;
    } else if (code == ENOSPC) {
        fault.number = ErrDiskFull;
    } else if (code == EACCES || code == EPERM) {
        fault.kind = FileFault::Kind::Denied;
    }
    return fault;
}

// A share that enforces byte-range locks, or an older copy that locks the
// whole file, refuses access to the records while another copy writes.
bool mustWait(Platform &platform, const FileFault &fault, const QString &path)
{
    return fault.kind == FileFault::Kind::Busy
           || (fault.kind == FileFault::Kind::Denied && lockOf(platform).heldElsewhere(path));
}

void backUpIfDue(AppState &state, Platform &platform)
{
    const QDate today = platform.clock.now().date();
    QString error;
    if (DailyBackup::makeIfDue(state.DataFolder, today, &error) || state.backupFailureToldOn == today)
        return;
    state.backupFailureToldOn = today;
    platform.dialogs.tell(
        QStringLiteral("注意"),
        QStringLiteral("成績データのバックアップを作れませんでした。成績の記録は続けます。\n%1").arg(error),
        DialogIcon::Warning);
}

// The fault of the call that just failed on `file`; `code` is the errno
// read right after it.
FileFault faultOf(const QFile &file, int code, int fallbackNumber, const QString &path)
{
    const int cause = SystemError::causeOf(file, code);
    return classify(cause, fallbackNumber, path, SystemError::describeFor(path, cause));
}

// The messages call the file by its old title only; the teacher needs its path.
QString describedAt(const QString &description, const QString &path)
{
    return QStringLiteral("%1（%2）").arg(description, QDir::toNativeSeparators(path));
}

void endWith(Platform &platform, const QString &text)
{
    platform.dialogs.tell(QStringLiteral("注意"), text, DialogIcon::Critical);
    platform.programEnd.endProgram(1);
}

bool appendFailed(Platform &platform, const QString &description, const QString &path)
{
    endWith(platform, QStringLiteral("成績ランダムファイル記録%1").arg(describedAt(description, path)));
    return false;
}

struct LoadFailure
{
    QString path;
    int step = 0;
    qint32 position = 0;
    FileFault fault;
};

// The fields of the record being read when the failure came: none has been
// decoded yet, as the window is read in one block before any is looked at.
QString loadFailureText(const LoadFailure &f)
{
    const ResultRecord none;
    const QString step = QString::number(f.step);
    const QString number = QString::number(f.fault.number);
    return QStringLiteral("成績ランダムファイル表示%1%2%3%2/date%4/i=%5/time=%6/name=/Bangou=%7/level=%8/time=%9line%1")
        .arg(step, number, describedAt(f.fault.description, f.path),
             OleDate::toDate(none.date).toString(QStringLiteral("yyyy/MM/dd")), QString::number(f.position),
             OleDate::toDateTime(none.timeOfDay).time().toString(QStringLiteral("HH:mm:ss")),
             QString::number(none.studentNumber), QString::number(none.level), QString::number(none.timeScore));
}

// Steps 3 to 5: open, measure, read the window in one block. `got` receives
// the number of whole records read.
LoadFailure readWindow(const AppState &state, LoadedResults &table, qint32 *got)
{
    ResultsFile file;
    LoadFailure failure;
    failure.path = ResultsFile::pathIn(state.DataFolder);
    failure.step = StepOpen;
    failure.fault = file.open(failure.path, ResultsFile::Access::ReadOnly);
    if (failure.fault.failed())
        return failure;
    failure.step = StepMeasure;
    const qint32 n = file.recordCount(&failure.fault);
    if (failure.fault.failed())
        return failure;
    const qint32 first = n > ResultWindow ? n - (ResultWindow - 1) : 1;
    table.firstRecord = first;
    failure.step = StepRead;
    failure.position = first;
    failure.fault = file.readRecords(first, n - first + 1, table.readBuffer.data(), got);
    return failure;
}

void fillClassBest(AppState &state)
{
    for (int level = 1; level <= MaxLevel; ++level) {
        // Cells outside the written span hold TimeScore::NoTime and cannot lower the best.
        const BestTimeTable::WrittenSpan &span = state.PersonalBest.written(level);
        const int last = std::min(span.last, ClassBestStudents);
        const qint32 *row = &state.PersonalBest.at(level, 1) - 1;
        // A running minimum rather than min_element: no position is needed,
        // and without one the loop is vectorised.
        qint32 best = TimeScore::NoTime;
        for (int student = span.first; student <= last; ++student)
            best = std::min(best, row[student]);
        state.ClassBest[static_cast<std::size_t>(level)] = best;
    }
}

} // namespace

QString ResultsFile::pathIn(const QString &dataFolder)
{
    return dataFolder + QString::fromUtf8(FileName);
}

FileFault ResultsFile::open(const QString &path, Access access)
{
    m_file.close();
    m_path = path;
    m_file.setFileName(m_path);
    // A reader must not need write access, but the file is still created
    // when it does not exist yet.
    const bool readOnly = access == Access::ReadOnly && QFileInfo::exists(m_path);
    const QIODevice::OpenMode mode = (readOnly ? QIODevice::ReadOnly : QIODevice::ReadWrite) | QIODevice::Unbuffered;
    SystemError::clear();
    if (m_file.open(mode))
        return {};
    return faultOf(m_file, SystemError::last(), ErrPathFileAccess, m_path);
}

qint32 ResultsFile::recordCount(FileFault *fault)
{
    SystemError::clear();
    const qint64 size = m_file.size();
    if (size < 0) {
        *fault = faultOf(m_file, SystemError::last(), ErrDeviceIo, m_path);
        return 0;
    }
    return static_cast<qint32>(std::min<qint64>(size / ResultRecordLength, INT32_MAX));
}

FileFault ResultsFile::readRecords(qint32 first, qint32 count, unsigned char *buffer, qint32 *read)
{
    *read = 0;
    if (count <= 0)
        return {};
    SystemError::clear();
    const qint64 wanted = qint64(count) * ResultRecordLength;
    if (!m_file.seek(qint64(first - 1) * ResultRecordLength))
        return faultOf(m_file, SystemError::last(), ErrDeviceIo, m_path);
    const qint64 bytes = m_file.read(reinterpret_cast<char *>(buffer), wanted);
    if (bytes < 0)
        return faultOf(m_file, SystemError::last(), ErrDeviceIo, m_path);
    // The file may have been cut short since it was measured: keep what came.
    *read = static_cast<qint32>(bytes / ResultRecordLength);
    return {};
}

FileFault ResultsFile::readRecord(qint32 number, ResultRecord &record)
{
    unsigned char bytes[ResultRecordLength];
    qint32 got = 0;
    FileFault fault = readRecords(number, 1, bytes, &got);
    if (!fault.failed() && got != 1)
        fault = {FileFault::Kind::Other, ErrDeviceIo, QStringLiteral("ファイルの終わりより先は読めません")};
    if (!fault.failed())
        record = ResultRecord::decode(bytes);
    return fault;
}

FileFault ResultsFile::writeRecord(qint32 number, const ResultRecord &record)
{
    unsigned char bytes[ResultRecordLength];
    record.encode(bytes);
    return writeRecords(number, 1, bytes);
}

FileFault ResultsFile::writeRecords(qint32 first, qint32 count, const unsigned char *bytes)
{
    SystemError::clear();
    // Where the last write left off needs no seek; a device such as /dev/full
    // cannot seek at all.
    const qint64 at = qint64(first - 1) * ResultRecordLength;
    if (m_file.pos() != at && !m_file.seek(at))
        return faultOf(m_file, SystemError::last(), ErrDeviceIo, m_path);
    const qint64 wanted = qint64(count) * ResultRecordLength;
    const qint64 written = m_file.write(reinterpret_cast<const char *>(bytes), wanted);
    const int code = SystemError::last();
    if (written == wanted)
        return {};
    // A failed or short write is never worth a retry.
    FileFault fault = faultOf(m_file, SystemError::writeCause(m_file, written, code), ErrDeviceIo, m_path);
    fault.kind = FileFault::Kind::Other;
    return fault;
}

FileFault ResultsFile::truncate(qint32 count)
{
    SystemError::clear();
    if (m_file.resize(qint64(count) * ResultRecordLength))
        return {};
    FileFault fault = faultOf(m_file, SystemError::last(), ErrDeviceIo, m_path);
    fault.kind = FileFault::Kind::Other;
    return fault;
}

FileFault ResultsFile::sync()
{
    SystemError::clear();
    if (SystemError::syncToDisk(m_file))
        return {};
    FileFault fault = faultOf(m_file, SystemError::last(), ErrDeviceIo, m_path);
    fault.kind = FileFault::Kind::Other;
    return fault;
}

FileFault OpenResultsFile(const AppState &state, Platform &platform, ResultsFile &file, ResultsFile::Access access)
{
    return openResultsFileAt(platform, file, ResultsFile::pathIn(state.DataFolder), access);
}

FileFault retryWhileHeld(Platform &platform, const QString &path, const std::function<FileFault()> &attempt)
{
    OtherCopyWait waiting(platform);
    for (;;) {
        FileFault fault = attempt();
        if (!mustWait(platform, fault, path))
            return fault;
        waiting.waitASecond();
    }
}

FileFault faultOfError(int code, const QString &path, const QString &text)
{
    return classify(code, ErrDeviceIo, path, text);
}

FileFault openResultsFileAt(Platform &platform, ResultsFile &file, const QString &path, ResultsFile::Access access)
{
    return retryWhileHeld(platform, path, [&] { return file.open(path, access); });
}

FileFault readResultsWaiting(Platform &platform, ResultsFile &file, qint32 first, qint32 count, unsigned char *buffer,
                             qint32 *read)
{
    return retryWhileHeld(platform, file.path(), [&] { return file.readRecords(first, count, buffer, read); });
}

bool waitForResultsLock(Platform &platform, const QString &path, QString *error)
{
    OtherCopyWait waiting(platform);
    for (;;) {
        const FileLock::Result result = lockOf(platform).tryLock(path, error);
        if (result != FileLock::Result::Busy)
            return result == FileLock::Result::Locked;
        waiting.waitASecond();
    }
}

FileLock &resultsLock(Platform &platform)
{
    return lockOf(platform);
}

bool AppendResult(AppState &state, Platform &platform, qint16 studentNumber, qint16 level, qint32 timeScore)
{
    ResultsFile file;
    FileFault fault = OpenResultsFile(state, platform, file, ResultsFile::Access::ReadWrite);
    if (fault.failed())
        return appendFailed(platform, fault.description, file.path());

    QString error;
    if (!waitForResultsLock(platform, file.path(), &error))
        return appendFailed(platform, error, file.path());
    FileLock &lock = lockOf(platform);
    backUpIfDue(state, platform);

    // Measured under the lock, so a record another copy just wrote is not overwritten.
    const qint32 last = file.recordCount(&fault);
    if (!fault.failed()) {
        const QDateTime now = platform.clock.now();
        const ResultRecord record =
            ResultRecord::make(OleDate::fromDate(now.date()), now.time().msecsSinceStartOfDay() / 86400000.0,
                               studentNumber, level, timeScore, state.SiteCode);
        fault = file.writeRecord(last + 1, record);
    }
    file.close();
    lock.unlock(file.path());
    if (fault.failed())
        return appendFailed(platform, fault.description, file.path());
    return true;
}

namespace ResultsLoad {

qint32 readWindow(AppState &state, Platform &platform)
{
    int notFoundRetries = 0;
    qint32 records = 0;
    OtherCopyWait waiting(platform);
    for (;;) {
        const LoadFailure failure = ::readWindow(state, state.ResultTable, &records);
        if (!failure.fault.failed())
            return records;
        if (mustWait(platform, failure.fault, ResultsFile::pathIn(state.DataFolder))) {
            waiting.waitASecond();
            continue;
        }
        if (failure.fault.kind == FileFault::Kind::NotFound && notFoundRetries < NotFoundRetries) {
            ++notFoundRetries;
            pauseOf(platform).wait(NotFoundRetryMs);
            continue;
        }
        if (failure.fault.kind == FileFault::Kind::NotFound)
            endWith(platform,
                    QStringLiteral("ファイルがありません%1%2%3")
                        .arg(QString::number(failure.step), describedAt(failure.fault.description, failure.path),
                             QString::number(failure.fault.number)));
        else
            endWith(platform, loadFailureText(failure));
        return -1;
    }
}

void clearBests(AppState &state)
{
    state.ResultTable.count = 0;
    state.PersonalBest.reset();
    state.ClassBest.fill(TimeScore::NoTime);
}

void finish(AppState &state)
{
    fillClassBest(state);
}

double impossibleFrom(const QDateTime &now)
{
    return OleDate::fromDate(now.date()) + 1 + FutureDaysTolerated;
}

} // namespace ResultsLoad

bool LoadResults(AppState &state, Platform &platform)
{
    const qint32 records = ResultsLoad::readWindow(state, platform);
    ResultsLoad::clearBests(state);
    // The tallies no longer match the tables they were counted with.
    state.ResultTable.countedRecords = -1;
    if (records < 0)
        return false;
    ResultsLoad::storeEntries(state, records, ResultsLoad::impossibleFrom(platform.clock.now()),
                              [](const ResultEntry &) {});
    ResultsLoad::finish(state);
    return true;
}

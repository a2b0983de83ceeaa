#include "store/resultsrewrite.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstring>
#include <vector>

#include "state/appstate.h"
#include "platform/dialogs.h"
#include "platform/filelock.h"
#include "platform/platform.h"
#include "platform/systemerror.h"

namespace ResultsRewrite {

namespace {

using Bytes = std::vector<unsigned char>;

FileFault otherFault(const QString &description)
{
    return {FileFault::Kind::Other, 0, description};
}

// The results file opened for writing and locked as the appends lock it;
// both are let go when it goes out of scope.
class LockedFile
{
public:
    LockedFile(Platform &platform)
        : m_lock(resultsLock(platform))
    {
    }
    LockedFile(const LockedFile &) = delete;
    LockedFile &operator=(const LockedFile &) = delete;
    ~LockedFile()
    {
        file.close();
        if (m_locked)
            m_lock.unlock(file.path());
    }

    // Waits while another copy holds the file or its lock.
    FileFault openWaiting(const AppState &state, Platform &platform)
    {
        FileFault fault = OpenResultsFile(state, platform, file, ResultsFile::Access::ReadWrite);
        if (fault.failed())
            return fault;
        QString error;
        m_locked = waitForResultsLock(platform, file.path(), &error);
        return m_locked ? FileFault{} : otherFault(error);
    }

    // Busy at once when another copy holds the lock.
    FileLock::Result openIfFree(const AppState &state, FileFault *fault)
    {
        *fault = file.open(ResultsFile::pathIn(state.DataFolder), ResultsFile::Access::ReadWrite);
        if (fault->failed())
            return fault->kind == FileFault::Kind::Busy ? FileLock::Result::Busy : FileLock::Result::Failed;
        QString error;
        const FileLock::Result result = m_lock.tryLock(file.path(), &error);
        m_locked = result == FileLock::Result::Locked;
        if (result == FileLock::Result::Failed)
            *fault = otherFault(error);
        return result;
    }

    ResultsFile file;

private:
    FileLock &m_lock;
    bool m_locked = false;
};

FileFault readAll(ResultsFile &file, Bytes &bytes, qint32 *count)
{
    FileFault fault;
    const qint32 n = file.recordCount(&fault);
    if (fault.failed())
        return fault;
    bytes.resize(std::size_t(n) * ResultRecordLength);
    return file.readRecords(1, n, bytes.data(), count);
}

// Is record `number` still, byte for byte, the one the teacher opened?
Result checkStillThere(ResultsFile &file, qint32 number, const ResultRecord &opened, qint32 *count)
{
    FileFault fault;
    *count = file.recordCount(&fault);
    if (fault.failed())
        return {Outcome::Failed, fault};
    if (number < 1 || number > *count)
        return {Outcome::Moved, {}};
    ResultRecord now;
    fault = file.readRecord(number, now);
    if (fault.failed())
        return {Outcome::Failed, fault};
    unsigned char expected[ResultRecordLength];
    unsigned char found[ResultRecordLength];
    opened.encode(expected);
    now.encode(found);
    if (std::memcmp(expected, found, ResultRecordLength) != 0)
        return {Outcome::Moved, {}};
    return {Outcome::Done, {}};
}

// Opens and locks, refuses while a repair is pending and checks the record.
Result prepare(LockedFile &locked, const AppState &state, Platform &platform, qint32 number, const ResultRecord &opened,
               qint32 *count)
{
    const FileFault fault = locked.openWaiting(state, platform);
    if (fault.failed())
        return {Outcome::Failed, fault};
    if (QFileInfo::exists(backupPathIn(state.DataFolder)))
        return {Outcome::RepairPending, {}};
    return checkStillThere(locked.file, number, opened, count);
}

FileFault writeBackup(const QString &path, const Bytes &bytes)
{
    // Written under another name and renamed once synced: a backup that
    // exists is always whole.
    QSaveFile backup(path);
    SystemError::clear();
    if (!backup.open(QIODevice::WriteOnly))
        return otherFault(SystemError::describeFailure(backup, SystemError::last()));
    const auto size = qint64(bytes.size());
    SystemError::clear();
    const qint64 written = backup.write(reinterpret_cast<const char *>(bytes.data()), size);
    const int captured = SystemError::last();
    if (written != size)
        return otherFault(SystemError::describeWriteFailure(backup, written, captured));
    SystemError::clear();
    if (!backup.commit())
        return otherFault(SystemError::describeFailure(backup, SystemError::last()));
    return {};
}

FileFault shiftUp(ResultsFile &file, const Bytes &bytes, qint32 number, qint32 count, const StepHook &hook)
{
    for (qint32 from = number + 1; from <= count; from += ShiftBlockRecords) {
        const qint32 n = std::min(ShiftBlockRecords, count - from + 1);
        FileFault fault = file.writeRecords(from - 1, n, bytes.data() + std::size_t(from - 1) * ResultRecordLength);
        if (fault.failed())
            return fault;
        if (hook)
            hook(DeleteStep::ShiftBlockWritten);
    }
    return {};
}

bool sameRecords(const Bytes &a, qint32 atA, const Bytes &b, qint32 atB, qint32 count)
{
    if (count <= 0)
        return true;
    return std::memcmp(a.data() + std::size_t(atA - 1) * ResultRecordLength,
                       b.data() + std::size_t(atB - 1) * ResultRecordLength, std::size_t(count) * ResultRecordLength)
           == 0;
}

// The file's first n - 1 records are the backup's n records with one left out.
bool isBackupLessOne(const Bytes &file, qint32 fileCount, const Bytes &backup, qint32 backupCount)
{
    const qint32 kept = backupCount - 1;
    if (fileCount < kept)
        return false;
    qint32 same = 0;
    while (same < kept && sameRecords(file, same + 1, backup, same + 1, 1))
        ++same;
    return sameRecords(file, same + 1, backup, same + 2, kept - same);
}

Repair decideRepair(const Bytes &file, qint32 fileCount, const Bytes &backup, qint32 backupCount)
{
    if (backupCount == 0)
        return Repair::Completed;
    // The delete writes only below the backup's last position until it cuts
    // the file; records other copies appended since lie beyond it.
    if (fileCount >= backupCount && sameRecords(file, backupCount, backup, backupCount, 1))
        return Repair::RolledBack;
    if (isBackupLessOne(file, fileCount, backup, backupCount))
        return Repair::Completed;
    return Repair::NotRecognised;
}

FileFault readBackup(const QString &path, Bytes &bytes, qint32 *count)
{
    QFile backup(path);
    SystemError::clear();
    if (!backup.open(QIODevice::ReadOnly))
        return otherFault(SystemError::describeFailure(backup, SystemError::last()));
    const QByteArray all = backup.readAll();
    if (backup.error() != QFileDevice::NoError)
        return otherFault(SystemError::describeFailure(backup, SystemError::last()));
    *count = qint32(all.size() / ResultRecordLength);
    bytes.assign(all.constBegin(), all.constBegin() + qsizetype(*count) * ResultRecordLength);
    return {};
}

// The repair itself, on the file its caller has opened and locked.
RepairResult repairLocked(ResultsFile &file, const QString &backupPath)
{
    Bytes backup;
    qint32 backupCount = 0;
    Bytes records;
    qint32 fileCount = 0;
    FileFault fault = readBackup(backupPath, backup, &backupCount);
    if (!fault.failed())
        fault = readAll(file, records, &fileCount);
    if (fault.failed())
        return {Repair::Failed, fault};

    const Repair repair = decideRepair(records, fileCount, backup, backupCount);
    if (repair == Repair::NotRecognised)
        return {repair, {}};
    if (repair == Repair::RolledBack) {
        fault = file.writeRecords(1, backupCount, backup.data());
        if (!fault.failed())
            fault = file.sync();
        if (fault.failed())
            return {Repair::Failed, fault};
    }
    QFile::remove(backupPath);
    return {repair, {}};
}

// A delete that failed after its backup was written is undone at once, under
// the lock it still holds, rather than left for the next start. The undo
// opens the file afresh: the handle that failed may stay broken.
Result failedPartWay(const QString &resultsPath, const QString &backupPath, const FileFault &fault)
{
    Result result{Outcome::Failed, fault};
    ResultsFile fresh;
    const FileFault opened = fresh.open(resultsPath, ResultsFile::Access::ReadWrite);
    result.undone = opened.failed() ? Repair::Failed : repairLocked(fresh, backupPath).outcome;
    return result;
}

} // namespace

QString backupPathIn(const QString &dataFolder)
{
    return dataFolder + QString::fromUtf8(BackupFileName);
}

Result changeRecord(const AppState &state, Platform &platform, qint32 number, const ResultRecord &opened,
                    qint16 student, qint32 timeScore)
{
    LockedFile locked(platform);
    qint32 count = 0;
    Result ready = prepare(locked, state, platform, number, opened, &count);
    if (ready.outcome != Outcome::Done)
        return ready;
    ResultRecord changed = opened;
    changed.studentNumber = student;
    changed.timeScore = timeScore;
    FileFault fault = locked.file.writeRecord(number, changed);
    if (!fault.failed())
        fault = locked.file.sync();
    return {fault.failed() ? Outcome::Failed : Outcome::Done, fault};
}

Result deleteRecord(const AppState &state, Platform &platform, qint32 number, const ResultRecord &opened,
                    const StepHook &hook)
{
    LockedFile locked(platform);
    qint32 count = 0;
    Result ready = prepare(locked, state, platform, number, opened, &count);
    if (ready.outcome != Outcome::Done)
        return ready;
    const auto step = [&hook](DeleteStep s) {
        if (hook)
            hook(s);
    };

    Bytes bytes;
    qint32 read = 0;
    FileFault fault = readAll(locked.file, bytes, &read);
    if (!fault.failed() && read != count)
        fault = otherFault(QStringLiteral("読んでいる途中でファイルが短くなりました"));
    const QString backupPath = backupPathIn(state.DataFolder);
    if (!fault.failed())
        fault = writeBackup(backupPath, bytes);
    if (fault.failed())
        return {Outcome::Failed, fault};
    step(DeleteStep::BackupWritten);

    fault = shiftUp(locked.file, bytes, number, count, hook);
    if (!fault.failed())
        fault = locked.file.sync();
    if (fault.failed())
        return failedPartWay(locked.file.path(), backupPath, fault);
    step(DeleteStep::ShiftDone);

    fault = locked.file.truncate(count - 1);
    if (!fault.failed())
        fault = locked.file.sync();
    if (fault.failed())
        return failedPartWay(locked.file.path(), backupPath, fault);
    step(DeleteStep::Truncated);

    QFile::remove(backupPath);
    return {};
}

RepairResult repairInterruptedDelete(const AppState &state, Platform &platform)
{
    const QString backupPath = backupPathIn(state.DataFolder);
    if (!QFileInfo::exists(backupPath))
        return {};
    LockedFile locked(platform);
    FileFault fault;
    const FileLock::Result lock = locked.openIfFree(state, &fault);
    if (lock == FileLock::Result::Busy)
        return {Repair::Busy, {}};
    if (lock == FileLock::Result::Failed)
        return {Repair::Failed, fault};
    // The copy that held the lock may have finished meanwhile.
    if (!QFileInfo::exists(backupPath))
        return {};
    return repairLocked(locked.file, backupPath);
}

namespace {

// Where the teacher reads how to tell which of the two files is right.
QString whatToDo(Reader reader)
{
    if (reader == Reader::Teacher)
        return QStringLiteral("どちらが正しいかを確かめる手順は、利用の手引きの「7. エラーメッセージと対処」"
                              "（起動したとき）にあります。");
    return QStringLiteral("先生に知らせてください（手引きの「7. エラーメッセージと対処」に対処があります）。");
}

} // namespace

QString repairMessage(const RepairResult &result, const QString &backupPath, Reader reader)
{
    switch (result.outcome) {
    case Repair::NoBackup:
    case Repair::Busy:
        return {};
    case Repair::RolledBack:
        return QStringLiteral("成績データの消去が途中で止まっていました。"
                              "消去する前の記録にもどしました（その後の記録もそのまま残っています）。"
                              "消去は、もう一度やり直してください。");
    case Repair::Completed:
        return QStringLiteral("成績データの消去が途中で止まっていましたが、消去はすんでいました。"
                              "残っていた控えのファイルを片付けました。");
    case Repair::NotRecognised:
        return QStringLiteral("成績データの消去が途中で止まったときの控え\n%1\nが残っていますが、"
                              "今の成績データと合わないため、どちらもそのままにしてあります。")
                   .arg(backupPath)
               + whatToDo(reader);
    case Repair::Failed:
        break;
    }
    return QStringLiteral("成績データの消去が途中で止まったときの控え\n%1\nを確かめられませんでした。").arg(backupPath)
           + whatToDo(reader) + u'\n' + result.fault.description;
}

QString repairAndDescribe(const AppState &state, Platform &platform, Reader reader)
{
    return repairMessage(repairInterruptedDelete(state, platform), backupPathIn(state.DataFolder), reader);
}

bool reportInterruptedDelete(const AppState &state, Platform &platform, Reader reader)
{
    const QString text = repairAndDescribe(state, platform, reader);
    if (text.isEmpty())
        return false;
    platform.dialogs.tell(QStringLiteral("注意"), text, DialogIcon::Warning);
    return true;
}

namespace {

QString undoneText(Repair undone, const QString &backupPath)
{
    switch (undone) {
    case Repair::NoBackup:
        return {};
    case Repair::RolledBack:
        return QStringLiteral("消去する前の記録にもどしました。記録は1件も失われていません。");
    case Repair::Completed:
        return QStringLiteral("ただし消去は最後まですんでいました。");
    case Repair::Busy:
    case Repair::NotRecognised:
    case Repair::Failed:
        break;
    }
    return QStringLiteral("消去する前の記録にもどせませんでした。控え\n%1\nが残っています。"
                          "次にカズドリを起動したとき、もう一度もどします。")
        .arg(backupPath);
}

} // namespace

QString notDoneMessage(Action action, qint32 number, const Result &result, const QString &resultsPath,
                       const QString &backupPath, const QString &repair)
{
    const QString done = action == Action::Change ? QStringLiteral("変更") : QStringLiteral("消去");
    const QString notDone = QStringLiteral("記録%1の%2はしていません。").arg(QString::number(number), done);
    switch (result.outcome) {
    case Outcome::Done:
        return {};
    case Outcome::Moved:
        return notDone + u'\n'
               + QStringLiteral("この記録は、ほかのパソコンで変更または消去されました。一覧を作り直します。");
    case Outcome::RepairPending:
        return notDone + u'\n'
               + (repair.isEmpty() ? QStringLiteral("ほかのパソコンで成績データを消去しているところです。"
                                                    "しばらくしてから、もう一度やり直してください。")
                                   : repair + u'\n'
                                         + QStringLiteral("記録%1の%2は、一覧を確かめてからやり直してください。")
                                               .arg(QString::number(number), done));
    case Outcome::Failed:
        break;
    }
    const QString failed = result.undone == Repair::NoBackup
                               ? notDone
                               : QStringLiteral("記録%1の消去は途中で失敗しました。").arg(QString::number(number));
    const QString text =
        failed + u'\n'
        + QStringLiteral("%1 を書き換えられませんでした。\n%2").arg(resultsPath, result.fault.description);
    const QString undone = undoneText(result.undone, backupPath);
    return undone.isEmpty() ? text : text + u'\n' + undone;
}

} // namespace ResultsRewrite

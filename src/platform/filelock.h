#pragma once

#include <QHash>
#include <QString>

// An exclusive lock between running copies of the program that share a file.
// Only writers take it; readers never do and are never held up by it.
//
// The lock covers one byte far beyond any real file, never the data: where
// locks are enforced per handle (Windows, SMB shares), a lock on the records
// would refuse the holder's own writes through its other handle and every
// other copy's reads.
class FileLock
{
public:
    enum class Result { Locked, Busy, Failed };
    static constexpr qint64 LockedOffset = qint64(1) << 62;
    static constexpr qint64 LockedLength = 1;

    virtual ~FileLock() = default;
    // Never waits: Busy when another holder has the lock.
    virtual Result tryLock(const QString &path, QString *error) = 0;
    virtual void unlock(const QString &path) = 0;
    // True while another holder has the lock; false when this one holds it.
    virtual bool heldElsewhere(const QString &path) = 0;
};

// Open-file-description locks on Linux, LockFileEx on Windows. The lock is
// taken through a handle of its own, so it does not matter how the caller
// opened the file.
class OsFileLock final : public FileLock
{
public:
    OsFileLock() = default;
    OsFileLock(const OsFileLock &) = delete;
    OsFileLock &operator=(const OsFileLock &) = delete;
    ~OsFileLock() override;

    Result tryLock(const QString &path, QString *error) override;
    void unlock(const QString &path) override;
    bool heldElsewhere(const QString &path) override;

private:
    QHash<QString, qintptr> m_held;
};

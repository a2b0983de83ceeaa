#pragma once

#include <QHash>
#include <QString>

// An exclusive lock on a whole file between running copies of the program.
// Only writers take it; readers never do and are never held up by it.
class FileLock
{
public:
    enum class Result { Locked, Busy, Failed };

    virtual ~FileLock() = default;
    // Never waits: Busy when another holder has the lock.
    virtual Result tryLock(const QString &path, QString *error) = 0;
    virtual void unlock(const QString &path) = 0;
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

private:
    QHash<QString, qintptr> m_held;
};

#include "platform/filelock.h"

#include <QFile>

#include "platform/systemerror.h"

#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_WIN
constexpr DWORD LockOffsetHigh = DWORD(FileLock::LockedOffset >> 32);
constexpr DWORD LockLength = DWORD(FileLock::LockedLength);

FileLock::Result lockHandle(qintptr handle, QString *error)
{
    OVERLAPPED where{};
    where.OffsetHigh = LockOffsetHigh;
    if (LockFileEx(reinterpret_cast<HANDLE>(handle), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, LockLength,
                   0, &where))
        return FileLock::Result::Locked;
    if (GetLastError() == ERROR_LOCK_VIOLATION || GetLastError() == ERROR_IO_PENDING)
        return FileLock::Result::Busy;
    if (error)
        *error = SystemError::describeWindowsError(GetLastError());
    return FileLock::Result::Failed;
}

qintptr openHandle(const QString &path, QString *error)
{
    const HANDLE h = CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        if (error)
            *error = SystemError::describeWindowsError(GetLastError());
        return -1;
    }
    return reinterpret_cast<qintptr>(h);
}

void closeHandle(qintptr handle)
{
    CloseHandle(reinterpret_cast<HANDLE>(handle));
}
#else
FileLock::Result lockHandle(qintptr handle, QString *error)
{
    struct flock far
    {
    };
    far.l_type = F_WRLCK;
    far.l_whence = SEEK_SET;
    far.l_start = FileLock::LockedOffset;
    far.l_len = FileLock::LockedLength;
    if (fcntl(static_cast<int>(handle), F_OFD_SETLK, &far) == 0)
        return FileLock::Result::Locked;
    if (errno == EAGAIN || errno == EACCES)
        return FileLock::Result::Busy;
    if (error)
        *error = SystemError::describe(errno);
    return FileLock::Result::Failed;
}

qintptr openHandle(const QString &path, QString *error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0 && error)
        *error = SystemError::describeFor(path, errno);
    return fd;
}

void closeHandle(qintptr handle)
{
    // Closing the last descriptor of the description also drops its lock.
    ::close(static_cast<int>(handle));
}
#endif

} // namespace

OsFileLock::~OsFileLock()
{
    for (const qintptr handle : std::as_const(m_held))
        closeHandle(handle);
}

FileLock::Result OsFileLock::tryLock(const QString &path, QString *error)
{
    if (m_held.contains(path))
        return Result::Locked;
    const qintptr handle = openHandle(path, error);
    if (handle < 0)
        return Result::Failed;
    const Result result = lockHandle(handle, error);
    if (result == Result::Locked)
        m_held.insert(path, handle);
    else
        closeHandle(handle);
    return result;
}

bool OsFileLock::heldElsewhere(const QString &path)
{
    if (m_held.contains(path))
        return false;
    // A lock that cannot be tried at all (no access) is no sign of a holder.
    const Result result = tryLock(path, nullptr);
    if (result == Result::Locked)
        unlock(path);
    return result == Result::Busy;
}

void OsFileLock::unlock(const QString &path)
{
    const auto it = m_held.constFind(path);
    if (it == m_held.cend())
        return;
    closeHandle(it.value());
    m_held.erase(it);
}

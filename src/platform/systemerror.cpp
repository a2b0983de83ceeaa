#include "platform/systemerror.h"

#include <cerrno>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace SystemError {

namespace {
// Windows error codes, by value so that the mapping is built and tested everywhere.
constexpr unsigned long FileNotFound = 2;
constexpr unsigned long PathNotFound = 3;
constexpr unsigned long AccessDenied = 5;
constexpr unsigned long SharingViolation = 32;
constexpr unsigned long LockViolation = 33;
constexpr unsigned long HandleDiskFull = 39;
constexpr unsigned long BadNetPath = 53;
constexpr unsigned long DiskFull = 112;
constexpr unsigned long UserMappedFile = 1224;
} // namespace

int errnoFromWindowsError(unsigned long code)
{
    switch (code) {
    case FileNotFound:
    case PathNotFound:
    case BadNetPath:
        return ENOENT;
    case AccessDenied:
        return EACCES;
    // Another PC has the file open without sharing it, or holds a lock on the
    // bytes: both pass when that copy is done.
    case SharingViolation:
    case UserMappedFile:
        return EBUSY;
    case LockViolation:
        return EAGAIN;
    case HandleDiskFull:
    case DiskFull:
        return ENOSPC;
    default:
        return 0;
    }
}

#ifdef Q_OS_WIN
void clear()
{
    SetLastError(0);
    errno = 0;
}

int last()
{
    if (const int mapped = errnoFromWindowsError(GetLastError()))
        return mapped;
    return errno;
}

bool syncToDisk(QFileDevice &file)
{
    if (!file.flush())
        return false;
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle);
}
#else
void clear()
{
    errno = 0;
}

int last()
{
    return errno;
}

bool syncToDisk(QFileDevice &file)
{
    return file.flush() && ::fsync(file.handle()) == 0;
}
#endif

} // namespace SystemError

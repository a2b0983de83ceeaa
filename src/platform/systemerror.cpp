#include "platform/systemerror.h"

#include <cerrno>

#include <QDir>
#include <QFileInfo>

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

QString describe(int errnoValue)
{
    switch (errnoValue) {
    case 0:
        return QStringLiteral("原因のわからないエラーです");
    case ENOENT:
        return QStringLiteral("ファイルが見つかりません");
    case ENOTDIR:
        return QStringLiteral("フォルダーが見つかりません");
    case EACCES:
    case EPERM:
        return QStringLiteral("アクセスが許可されていません");
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("ディスクがいっぱいです");
    case EISDIR:
        return QStringLiteral("ファイルではなくフォルダーです");
    case EBUSY:
    case ETXTBSY:
    case EAGAIN:
        return QStringLiteral("他のコンピューターが使用中です");
    case EIO:
        return QStringLiteral("読み書きの途中でエラーが起きました");
    case ENAMETOOLONG:
        return QStringLiteral("ファイル名が長すぎます");
    case EROFS:
        return QStringLiteral("読み取り専用のドライブです");
    case EFBIG:
        return QStringLiteral("ファイルが大きすぎます");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("開いているファイルが多すぎます");
    case ENOMEM:
        return QStringLiteral("メモリーが足りません");
    default:
        return QStringLiteral("エラー（番号 %1）").arg(errnoValue);
    }
}

QString describeWindowsError(unsigned long code)
{
    if (const int mapped = errnoFromWindowsError(code))
        return describe(mapped);
    return QStringLiteral("エラー（Windows の番号 %1）").arg(code);
}

QString describeFor(const QString &path, int errnoValue)
{
    // A file that can be read but not written was refused a write.
    if (errnoValue == EACCES) {
        const QFileInfo info(path);
        if (info.isFile() && info.isReadable() && !info.isWritable())
            return QStringLiteral("書き込みが許可されていません");
    }
    if (errnoValue == ENOENT || errnoValue == ENOTDIR) {
        const QString folder = QDir::cleanPath(QFileInfo(path).absolutePath());
        if (!QFileInfo(folder).isDir())
            return QStringLiteral("フォルダー「%1」が見つかりません").arg(QDir::toNativeSeparators(folder + u'/'));
    }
    return describe(errnoValue);
}

int causeOf(const QFileDevice &file, int captured)
{
    if (captured != 0)
        return captured;
    // Qt refuses a folder and reports short writes without an errno.
    const QFileInfo info(file.fileName());
    if (info.isDir())
        return EISDIR;
    if (!QFileInfo(info.absolutePath()).isDir())
        return ENOENT;
    switch (file.error()) {
    case QFileDevice::ResourceError:
        return ENOSPC;
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        return info.exists() ? EACCES : ENOENT;
    case QFileDevice::ReadError:
    case QFileDevice::WriteError:
    case QFileDevice::FatalError:
        return EIO;
    default:
        return 0;
    }
}

int writeCause(const QFileDevice &file, qint64 written, int captured)
{
    if (captured == 0 && written >= 0)
        return ENOSPC;
    return causeOf(file, captured);
}

QString describeFailure(const QFileDevice &file, int captured)
{
    return describeFor(file.fileName(), causeOf(file, captured));
}

QString describeWriteFailure(const QFileDevice &file, qint64 written, int captured)
{
    return describeFor(file.fileName(), writeCause(file, written, captured));
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

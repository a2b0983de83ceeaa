// Preloaded into copies of the program (LD_PRELOAD) to make Linux behave like
// a share that enforces byte-range locks per handle (SMB, Windows): a read or
// write that overlaps a range locked through another open file - even one of
// the same process - fails with EACCES instead of going through.
#include <cerrno>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

template <typename F>
F next(const char *name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

bool refused(int fd, off_t start, size_t length, short type)
{
    struct stat st
    {
    };
    if (length == 0 || start < 0 || fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    struct flock probe
    {
    };
    probe.l_type = type;
    probe.l_whence = SEEK_SET;
    probe.l_start = start;
    probe.l_len = static_cast<off_t>(length);
    // Reports locks held through any other open file description.
    if (fcntl(fd, F_OFD_GETLK, &probe) != 0 || probe.l_type == F_UNLCK)
        return false;
    errno = EACCES;
    return true;
}

off_t here(int fd)
{
    return lseek(fd, 0, SEEK_CUR);
}

} // namespace

extern "C" {

ssize_t read(int fd, void *buffer, size_t length)
{
    static const auto real = next<ssize_t (*)(int, void *, size_t)>("read");
    return refused(fd, here(fd), length, F_RDLCK) ? -1 : real(fd, buffer, length);
}

ssize_t write(int fd, const void *buffer, size_t length)
{
    static const auto real = next<ssize_t (*)(int, const void *, size_t)>("write");
    return refused(fd, here(fd), length, F_WRLCK) ? -1 : real(fd, buffer, length);
}

ssize_t pread64(int fd, void *buffer, size_t length, off_t at)
{
    static const auto real = next<ssize_t (*)(int, void *, size_t, off_t)>("pread64");
    return refused(fd, at, length, F_RDLCK) ? -1 : real(fd, buffer, length, at);
}

ssize_t pwrite64(int fd, const void *buffer, size_t length, off_t at)
{
    static const auto real = next<ssize_t (*)(int, const void *, size_t, off_t)>("pwrite64");
    return refused(fd, at, length, F_WRLCK) ? -1 : real(fd, buffer, length, at);
}

ssize_t pread(int fd, void *buffer, size_t length, off_t at)
{
    return pread64(fd, buffer, length, at);
}

ssize_t pwrite(int fd, const void *buffer, size_t length, off_t at)
{
    return pwrite64(fd, buffer, length, at);
}

} // extern "C"

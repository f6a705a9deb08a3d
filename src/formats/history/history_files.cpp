// The history's system calls: POSIX, or the Windows C runtime's.
#include "formats/history/history_files.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "raster/plain_file.h"

namespace qm::history_file {

namespace {

#ifdef _WIN32
int open_flags(bool create) { return _O_RDWR | _O_APPEND | _O_BINARY | (create ? _O_CREAT | _O_EXCL : 0); }
int open_file(const char* path, int flags) { return _open(path, flags, _S_IREAD | _S_IWRITE); }
bool plain(int) { return true; }  // asked before the open: Windows has no open without waiting
#else
// Without waiting: a pipe put under the name between the look and the open
// must not block it.
int open_flags(bool create) { return O_RDWR | O_APPEND | O_NONBLOCK | O_CLOEXEC | (create ? O_CREAT | O_EXCL : 0); }
int open_file(const char* path, int flags) { return ::open(path, flags, 0644); }
bool plain(int fd)
{
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}
#endif

}  // namespace

int open_for_append(const char* path, bool& created, std::string& reason)
{
    // Opened as it is, else made: a new file's folder is synced too.
    for (int attempt = 0; attempt < 2; ++attempt) {
        int fd = open_file(path, open_flags(false));
        created = fd < 0 && errno == ENOENT;
        if (created) fd = open_file(path, open_flags(true));
        if (fd < 0 && created && errno == EEXIST) continue;  // made by another meanwhile
        if (fd < 0) {
            reason = std::strerror(errno);
            return -1;
        }
        if (!plain(fd)) {
            close(fd);
            reason = not_plain_file;
            return -1;
        }
        return fd;
    }
    reason = std::strerror(EEXIST);
    return -1;
}

#ifdef _WIN32
long long end_of(int fd) { return _lseeki64(fd, 0, SEEK_END); }
bool last_byte(int fd, long long size, char& c)
{
    return _lseeki64(fd, size - 1, SEEK_SET) == size - 1 && _read(fd, &c, 1) == 1;
}
long long write_some(int fd, const char* data, std::size_t size) { return _write(fd, data, static_cast<unsigned>(size)); }
int cut_to(int fd, long long size) { return _chsize_s(fd, size) == 0 ? 0 : -1; }
int sync(int fd) { return _commit(fd); }
int sync_folder_of(const char*) { return 0; }  // Windows keeps a new name with its file
int close(int fd) { return _close(fd); }
#else
long long end_of(int fd) { return ::lseek(fd, 0, SEEK_END); }
bool last_byte(int fd, long long size, char& c) { return ::pread(fd, &c, 1, static_cast<off_t>(size - 1)) == 1; }
long long write_some(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }
int cut_to(int fd, long long size) { return ::ftruncate(fd, static_cast<off_t>(size)); }
int sync(int fd) { return ::fsync(fd); }
int sync_folder_of(const char* path)
{
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    const int fd = ::open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return -1;
    int result = ::fsync(fd);
    if (result != 0 && (errno == EINVAL || errno == EROFS)) result = 0;
    const int error = errno;
    ::close(fd);
    errno = error;
    return result;
}
int close(int fd) { return ::close(fd); }
#endif

}  // namespace qm::history_file

// The history's system calls: POSIX, or the Windows C runtime's.
#include "shell/drill/history_files.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace qm::history_file {

#ifdef _WIN32
int open_for_append(const char* path) { return _open(path, _O_RDWR | _O_APPEND | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE); }
long long end_of(int fd) { return _lseeki64(fd, 0, SEEK_END); }
bool last_byte(int fd, long long size, char& c)
{
    return _lseeki64(fd, size - 1, SEEK_SET) == size - 1 && _read(fd, &c, 1) == 1;
}
long long write_some(int fd, const char* data, std::size_t size) { return _write(fd, data, static_cast<unsigned>(size)); }
int sync(int fd) { return _commit(fd); }
int close(int fd) { return _close(fd); }
#else
int open_for_append(const char* path) { return ::open(path, O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644); }
long long end_of(int fd) { return ::lseek(fd, 0, SEEK_END); }
bool last_byte(int fd, long long size, char& c) { return ::pread(fd, &c, 1, static_cast<off_t>(size - 1)) == 1; }
long long write_some(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }
int sync(int fd) { return ::fsync(fd); }
int close(int fd) { return ::close(fd); }
#endif

}  // namespace qm::history_file

// The temporary file is made in the target's own folder, so that the rename
// stays on one file system and is atomic.
#include "raster/replace_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace qm {

namespace {

// Tries a few names, in case another writer holds one.
constexpr int temporary_attempts = 100;

#ifdef _WIN32
constexpr const char* folder_separators = "/\\";
// Windows' C runtime has no close-on-exec flag, and opens files as text
// unless told otherwise.
constexpr int temporary_flags = O_WRONLY | O_CREAT | O_EXCL | O_BINARY;
#else
constexpr const char* folder_separators = "/";
constexpr int temporary_flags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
#endif

std::string folder_of(const std::string& path)
{
    const std::size_t slash = path.find_last_of(folder_separators);
    if (slash == std::string::npos) return std::string();
    return path.substr(0, slash + 1);
}

bool move_into_place(const std::string& from, const std::string& to)
{
    if (std::rename(from.c_str(), to.c_str()) == 0) return true;
#ifdef _WIN32
    // Windows' C runtime does not rename over an existing file.
    if (errno == EEXIST || errno == EACCES) {
        std::remove(to.c_str());
        return std::rename(from.c_str(), to.c_str()) == 0;
    }
#endif
    return false;
}

}  // namespace

bool replace_file(const char* path, const std::function<bool(std::FILE*)>& write, std::string& reason)
{
    const std::string target = path;
    if (target.empty() || target.back() == '/') {
        reason = std::strerror(EISDIR);
        return false;
    }
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < temporary_attempts && fd < 0; ++attempt) {
        // Short, so that a target whose name is as long as names may be
        // still gets a temporary beside it.
        temporary = folder_of(target) + ".qm-" + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp";
        fd = ::open(temporary.c_str(), temporary_flags, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    std::FILE* file = ::fdopen(fd, "wb");
    if (file == nullptr) {
        reason = std::strerror(errno);
        ::close(fd);
        ::unlink(temporary.c_str());
        return false;
    }

    errno = 0;
    bool ok = write(file);
    int error = ok ? 0 : errno;
    if (std::fflush(file) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && !move_into_place(temporary, target)) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        reason = error != 0 ? std::strerror(error) : "the write failed";
    }
    return ok;
}

}  // namespace qm

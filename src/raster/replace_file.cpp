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

std::string folder_of(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return std::string();
    return path.substr(0, slash + 1);
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
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
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
    if (ok && std::rename(temporary.c_str(), target.c_str()) != 0) {
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

// The temporary file is made in the final target's own folder, so that the
// rename stays on one file system and is atomic, and so that a link is
// replaced by nothing: the file it leads to is.
#include "raster/replace_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "raster/plain_file.h"
#include "raster/temporary_files.h"

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

// The file to replace: the target, or what its links lead to, when that is
// missing or a plain file.
bool final_target(const char* path, std::string& target, std::string& reason)
{
    const std::string named = path;
    if (named.empty() || named.find_last_of(folder_separators) == named.size() - 1) {
        reason = std::strerror(EISDIR);
        return false;
    }
    return follow_links(named, target, reason) && may_replace(target, reason);
}

// A new temporary file beside the target, open for writing; -1 with errno.
int make_temporary(const std::string& target, std::string& temporary)
{
    int fd = -1;
    for (int attempt = 0; attempt < temporary_attempts && fd < 0; ++attempt) {
        temporary = temporary_path(folder_of(target), attempt);
        fd = ::open(temporary.c_str(), temporary_flags, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    return fd;
}

// Writes the temporary through write and closes it; 0 or the error.
int fill(std::FILE* file, const std::function<bool(std::FILE*)>& write)
{
    errno = 0;
    const bool ok = write(file);
    int error = ok ? 0 : (errno != 0 ? errno : -1);
    if (std::fflush(file) != 0 && error == 0) error = errno;
    if (std::fclose(file) != 0 && error == 0) error = errno;
    return error;
}

}  // namespace

bool replace_file(const char* path, const std::function<bool(std::FILE*)>& write, std::string& reason)
{
    std::string target;
    if (!final_target(path, target, reason)) return false;
    remove_stale_temporaries(folder_of(target));
    std::string temporary;
    const int fd = make_temporary(target, temporary);
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
    int error = fill(file, write);
    // Asked again just before the rename: something else may have taken the
    // name meanwhile.
    if (error == 0 && !may_replace(target, reason)) {
        ::unlink(temporary.c_str());
        return false;
    }
    if (error == 0 && !move_into_place(temporary, target)) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        reason = error > 0 ? std::strerror(error) : "the write failed";
    }
    return error == 0;
}

}  // namespace qm

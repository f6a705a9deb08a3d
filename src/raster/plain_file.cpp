// The kinds of file the program reads and writes, and the links to them.
#include "raster/plain_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace qm {

namespace {

namespace fs = std::filesystem;

// Links followed before a chain counts as a loop, as Linux counts them.
constexpr int max_link_hops = 40;

std::string kind_refused(fs::file_type kind)
{
    return kind == fs::file_type::directory ? std::strerror(EISDIR) : not_plain_file;
}

}  // namespace

bool follow_links(const std::string& path, std::string& target, std::string& reason)
{
    fs::path at(path);
    for (int hops = 0;; ++hops) {
        std::error_code error;
        const fs::file_type kind = fs::symlink_status(at, error).type();
        if (error && kind != fs::file_type::not_found) {
            reason = error.message();
            return false;
        }
        if (kind != fs::file_type::symlink) {
            target = at.string();
            return true;
        }
        if (hops == max_link_hops) {
            reason = std::strerror(ELOOP);
            return false;
        }
        const fs::path next = fs::read_symlink(at, error);
        if (error) {
            reason = error.message();
            return false;
        }
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
}

bool may_replace(const std::string& path, std::string& reason)
{
    std::error_code error;
    const fs::file_type kind = fs::status(path, error).type();
    if (kind == fs::file_type::not_found || kind == fs::file_type::regular) return true;
    reason = error ? error.message() : kind_refused(kind);
    return false;
}

std::FILE* open_plain_file(const char* path, std::string& reason)
{
#ifdef _WIN32
    // Windows has no open without waiting; a device name (CON, NUL) is not a
    // plain file there either, and a file that changes kind between the look
    // and the opening is not a case there.
    std::error_code error;
    const fs::file_type kind = fs::status(path, error).type();
    if (kind != fs::file_type::regular) {
        reason = kind == fs::file_type::not_found ? std::strerror(ENOENT) : error ? error.message() : kind_refused(kind);
        return nullptr;
    }
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) reason = std::strerror(errno);
    return file;
#else
    // Opened without waiting, so that a pipe without a writer cannot block
    // the open, then asked what it is before a byte is read.
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return nullptr;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : not_plain_file;
        ::close(fd);
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr) {
        reason = std::strerror(errno);
        ::close(fd);
    }
    return file;
#endif
}

bool nothing_at(const char* path)
{
#ifdef _WIN32
    std::error_code error;
    return fs::status(path, error).type() == fs::file_type::not_found;
#else
    struct stat info {};
    return ::stat(path, &info) != 0 && errno == ENOENT;
#endif
}

bool same_file(const char* a, const char* b)
{
    std::string ta, tb, reason;
    if (!follow_links(a, ta, reason) || !follow_links(b, tb, reason)) return false;
    std::error_code error;
    if (fs::equivalent(ta, tb, error) && !error) return true;
    if (!nothing_at(ta.c_str()) || !nothing_at(tb.c_str())) return false;
    const fs::path pa(ta), pb(tb);
    const fs::path fa = pa.has_parent_path() ? pa.parent_path() : fs::path(".");
    const fs::path fb = pb.has_parent_path() ? pb.parent_path() : fs::path(".");
    return pa.filename() == pb.filename() && fs::equivalent(fa, fb, error) && !error;
}

}  // namespace qm

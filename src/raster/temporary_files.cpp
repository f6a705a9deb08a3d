// Naming temporaries by process and attempt, and recognising stale ones by
// that name, their age and their process.
#include "raster/temporary_files.h"

#ifdef _WIN32
#include <process.h>
#else
#include <signal.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace qm {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view prefix = ".qm-";
constexpr std::string_view suffix = ".tmp";
// A write takes seconds at most; an older temporary was abandoned.
constexpr auto stale_age = std::chrono::hours(1);

long this_process()
{
#ifdef _WIN32
    return static_cast<long>(::_getpid());
#else
    return static_cast<long>(::getpid());
#endif
}

bool digits(std::string_view text, long& value)
{
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// The process of a temporary's name, .qm-PID-N.tmp; false for any other name.
bool temporary_process(std::string_view name, long& pid)
{
    if (!name.starts_with(prefix) || !name.ends_with(suffix)) return false;
    name = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    const std::size_t dash = name.find('-');
    long attempt = 0;
    return dash != std::string_view::npos && digits(name.substr(0, dash), pid) && digits(name.substr(dash + 1), attempt);
}

// Whether the process may still be writing. Windows and the browser cannot
// be asked here, so there the age alone decides.
bool may_be_running(long pid)
{
#if defined(_WIN32) || defined(__EMSCRIPTEN__)
    (void)pid;
    return false;
#else
    if (pid == this_process()) return true;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
#endif
}

bool stale(const fs::directory_entry& entry)
{
    long pid = 0;
    if (!temporary_process(entry.path().filename().string(), pid)) return false;
    std::error_code error;
    if (!entry.is_regular_file(error)) return false;
    const fs::file_time_type written = entry.last_write_time(error);
    if (error || fs::file_time_type::clock::now() - written < stale_age) return false;
    return !may_be_running(pid);
}

}  // namespace

std::string temporary_path(const std::string& folder, int attempt)
{
    return folder + std::string(prefix) + std::to_string(this_process()) + "-" + std::to_string(attempt) +
           std::string(suffix);
}

void remove_stale_temporaries(const std::string& folder)
{
    std::error_code error;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), error), end;
         !error && it != end; it.increment(error)) {
        std::error_code ignored;
        if (stale(*it)) fs::remove(it->path(), ignored);
    }
}

}  // namespace qm

// Where the history goes, appending a line to it and reading it back.
#include "shell/drill/history.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "shell/drill/history_files.h"
#include "shell/user_files.h"

namespace qm {

namespace {

constexpr const char* history_name = "history.jsonl";

// One write of the whole line; only a short one (a disk filling up) is
// followed by another, which then says why.
bool write_all(int fd, const std::string& line, const std::string& path, std::string& reason)
{
    std::size_t done = 0;
    while (done < line.size()) {
        const long long written = history_file::write_some(fd, line.data() + done, line.size() - done);
        if (written <= 0) {
            reason = "cannot write " + path + ": " + std::strerror(written < 0 ? errno : ENOSPC);
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

bool default_history_path(std::string& path, std::string& reason)
{
    return user_file_path(UserFolder::data, history_name, "--history FILE", path, reason);
}

bool append_history(const std::string& path, const HistoryRecord& record, std::string& reason)
{
    if (!make_folder_of(path, reason)) return false;
    const int fd = history_file::open_for_append(path.c_str());
    if (fd < 0) {
        reason = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    std::string line = format_history_line(record);
    // A line torn by a crash would swallow this one: start a line of its own.
    const long long size = history_file::end_of(fd);
    char last = '\n';
    if (size > 0 && history_file::last_byte(fd, size, last) && last != '\n') line.insert(line.begin(), '\n');
    bool ok = write_all(fd, line, path, reason);
    if (ok && history_file::sync(fd) != 0) {
        reason = "cannot write " + path + ": " + std::strerror(errno);
        ok = false;
    }
    if (history_file::close(fd) != 0 && ok) {
        reason = "cannot write " + path + ": " + std::strerror(errno);
        ok = false;
    }
    return ok;
}

bool read_history(const std::string& path, HistoryContents& contents, std::string& reason)
{
    contents = HistoryContents{};
    std::error_code code;
    if (!std::filesystem::exists(path, code)) return true;
    if (std::filesystem::is_directory(path, code)) {
        reason = "cannot read " + path + ": " + std::strerror(EISDIR);
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reason = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    std::string line;
    long number_of_line = 0;
    while (std::getline(in, line)) {
        ++number_of_line;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        HistoryRecord record;
        if (parse_history_line(line, record)) {
            contents.records.push_back(std::move(record));
        } else {
            contents.skipped.push_back(number_of_line);
        }
    }
    if (in.bad()) {
        reason = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

std::string skipped_warning(const std::string& path, const std::vector<long>& skipped)
{
    if (skipped.empty()) return {};
    constexpr std::size_t named = 5;
    std::string text = path + ": skipped " + std::to_string(skipped.size()) +
                       (skipped.size() == 1 ? " line that is not a history record (line " : " lines that are not history records (lines ");
    for (std::size_t i = 0; i < skipped.size() && i < named; ++i) text += (i > 0 ? ", " : "") + std::to_string(skipped[i]);
    if (skipped.size() > named) text += ", ...";
    return text + "); they are left as they are";
}

}  // namespace qm

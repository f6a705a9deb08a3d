// Where the history goes, appending a line to it and reading it back.
#include "formats/history/history.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "formats/history/history_files.h"
#include "formats/text_file.h"
#include "formats/user_files.h"
#include "raster/plain_file.h"

namespace qm {

namespace {

constexpr const char* history_name = "history.jsonl";
// A line is some 400 bytes, 200 more a round and 50 a shot (a drill of 100
// rounds of 10 shots keeps some 71,000); a longer one is no record, and
// skipped as one.
constexpr std::size_t max_history_line = std::size_t{256} << 10;
// Close to a million sessions; a larger file is not a history.
constexpr std::size_t max_history_bytes = std::size_t{256} << 20;

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

// The line written and synced, or the file cut back to `size`, the length
// it had before, so that a failure leaves every byte as it was.
bool write_line(int fd, long long size, const std::string& line, const std::string& path, std::string& reason)
{
    bool ok = write_all(fd, line, path, reason);
    if (ok && history_file::sync(fd) != 0) {
        reason = "cannot write " + path + ": " + std::strerror(errno);
        ok = false;
    }
    if (!ok) history_file::cut_to(fd, size);
    return ok;
}

// The file the line goes to: path, or where its links lead; nothing but a
// plain file, or a new one.
int open_history(const std::string& path, std::string& target, bool& created, std::string& reason)
{
    std::string why;
    int fd = -1;
    if (follow_links(path, target, why) && may_replace(target, why) && make_folder_of(target, reason)) {
        fd = history_file::open_for_append(target.c_str(), created, why);
    }
    if (fd < 0 && reason.empty()) reason = "cannot open " + path + ": " + why;
    return fd;
}

}  // namespace

bool default_history_path(std::string& path, std::string& reason)
{
    return user_file_path(UserFolder::data, history_name, "--history FILE", path, reason);
}

bool append_history(const std::string& path, const HistoryRecord& record, std::string& reason)
{
    return append_history_line(path, format_history_line(record), reason);
}

bool append_history_line(const std::string& path, const std::string& whole_line, std::string& reason)
{
    reason.clear();
    std::string target;
    bool created = false;
    const int fd = open_history(path, target, created, reason);
    if (fd < 0) return false;
    std::string line = whole_line;
    // A line torn by a crash would swallow this one: start a line of its own.
    const long long size = history_file::end_of(fd);
    char last = '\n';
    if (size > 0 && history_file::last_byte(fd, size, last) && last != '\n') line.insert(line.begin(), '\n');
    bool ok = size >= 0 && write_line(fd, size, line, path, reason);
    if (size < 0) reason = "cannot write " + path + ": " + std::strerror(errno);
    if (history_file::close(fd) != 0 && ok) {
        reason = "cannot write " + path + ": " + std::strerror(errno);
        ok = false;
    }
    if (ok && created && history_file::sync_folder_of(target.c_str()) != 0) {
        reason = "cannot write " + path + ": " + std::strerror(errno);
        ok = false;
    }
    return ok;
}

bool read_history_lines(const std::string& path, const HistoryLineVisit& take, std::vector<long>& skipped,
                        std::string& reason)
{
    TextLines text(max_history_bytes);
    std::string why;
    if (!text.open(path, why)) {
        if (nothing_at(path.c_str())) return true;
        reason = "cannot read " + path + ": " + why;
        return false;
    }
    std::string line;
    HistoryRecord record;
    long number_of_line = 0;
    for (;;) {
        const TextLines::Read read = text.next(line, max_history_line);
        if (read == TextLines::Read::end) return true;
        ++number_of_line;
        const bool too_long = read == TextLines::Read::too_long;
        if (read == TextLines::Read::failed || (too_long && text.skip_rest() == TextLines::Read::failed)) {
            reason = "cannot read " + path + ": " + text.reason();
            return false;
        }
        if (!too_long && line.empty()) continue;
        if (too_long || !parse_history_line(line, record)) {
            skipped.push_back(number_of_line);
        } else if (!take(record, line)) {
            return false;
        }
    }
}

bool read_history_each(const std::string& path, const HistoryVisit& take, std::vector<long>& skipped,
                       std::string& reason)
{
    return read_history_lines(path, [&](HistoryRecord& record, const std::string&) {
        take(record);
        return true;
    }, skipped, reason);
}

bool read_history(const std::string& path, HistoryContents& contents, std::string& reason)
{
    contents = HistoryContents{};
    const HistoryVisit keep = [&](HistoryRecord& record) {
        // A long history's rounds would not fit in memory all at once.
        record.round_log = {};
        contents.records.push_back(std::move(record));
    };
    return read_history_each(path, keep, contents.skipped, reason);
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

// Importing history lines: a session is known by its time, its drill's
// digest and its seed.
#include "formats/history/history_import.h"

#include <filesystem>
#include <set>
#include <tuple>

#include "formats/history/history.h"

namespace qm {

namespace {

using SessionKey = std::tuple<std::string, std::string, std::uint32_t>;

SessionKey key_of(const HistoryRecord& r) { return {r.time, r.digest, r.seed}; }

}  // namespace

bool import_history(const std::string& from, const std::string& history, ImportCounts& counts, std::string& error)
{
    counts = ImportCounts{};
    std::error_code code;
    if (!std::filesystem::exists(from, code)) {
        error = from + ": no such file";
        return false;
    }
    HistoryContents incoming;
    HistoryContents present;
    if (!read_history(from, incoming, error) || !read_history(history, present, error)) return false;
    counts.skipped = static_cast<int>(incoming.skipped.size());
    std::set<SessionKey> known;
    for (const HistoryRecord& r : present.records) known.insert(key_of(r));
    for (const HistoryRecord& r : incoming.records) {
        if (!known.insert(key_of(r)).second) {
            ++counts.present;
            continue;
        }
        std::string reason;
        if (!append_history(history, r, reason)) {
            error = "history not saved: " + reason;
            counts.write_failed = true;
            return false;
        }
        ++counts.added;
    }
    return true;
}

}  // namespace qm

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
    std::set<SessionKey> known;
    std::vector<long> skipped;
    if (!read_history_each(history, [&](HistoryRecord& r) { known.insert(key_of(r)); }, skipped, error)) return false;
    skipped.clear();
    // Each line as it was read, so that nothing the coach or a later version
    // reads from it is lost on the way.
    const HistoryLineVisit add = [&](HistoryRecord& r, const std::string& line) {
        if (!known.insert(key_of(r)).second) {
            ++counts.present;
            return true;
        }
        std::string reason;
        if (!append_history_line(history, line + "\n", reason)) {
            error = "history not saved: " + reason;
            counts.write_failed = true;
            return false;
        }
        ++counts.added;
        return true;
    };
    const bool read = read_history_lines(from, add, skipped, error);
    counts.skipped = static_cast<int>(skipped.size());
    return read;
}

}  // namespace qm

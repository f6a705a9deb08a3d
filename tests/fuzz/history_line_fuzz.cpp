// Feeds arbitrary bytes to the history's line reader, nested arrays and
// objects of any shape included: a line is refused, or taken as a record
// whose figures a drill could leave (counts within each other, a real
// instant, names that can be shown, no more rounds kept than played); a
// record written back is one valid UTF-8 line that reads back to the same
// record and line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "formats/history/history_record.h"
#include "formats/utc_time.h"
#include "formats/utf8.h"
#include "sim/drill/drill_run.h"

namespace {

using qm::HistoryRecord;

void check_record(const HistoryRecord& r)
{
    long long seconds = 0;
    if (!qm::parse_utc(r.time, seconds)) std::abort();
    if (!qm::valid_utf8(r.drill) || qm::has_control_character(r.drill) || r.drill.empty()) std::abort();
    if (r.rounds < 1 || r.rounds > qm::drill_max_rounds || r.played < 0 || r.played > r.rounds) std::abort();
    if (r.hits < 0 || r.hits > r.played || r.first_shot_hits < 0 || r.first_shot_hits > r.hits) std::abort();
    if (r.shots < r.hits || r.damage < 0 || r.damage > r.hits * static_cast<long long>(qm::drill_max_shot_damage))
        std::abort();
    if (r.score < 0 || r.score > r.played * qm::drill_max_round_points) std::abort();
    if (!(r.mean_miss >= 0.0)) std::abort();
    if (r.round_log.size() > static_cast<std::size_t>(r.played)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    HistoryRecord record;
    if (!qm::parse_history_line(line, record)) return 0;
    check_record(record);
    const std::string written = qm::format_history_line(record);
    if (written.find('\n') != written.size() - 1 || !qm::valid_utf8(written)) std::abort();
    HistoryRecord back;
    if (!qm::parse_history_line(std::string_view(written).substr(0, written.size() - 1), back)) std::abort();
    if (qm::format_history_line(back) != written) std::abort();
    return 0;
}

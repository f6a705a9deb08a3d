// Keeping a drill the page left behind.
#include "web/web_leaving.h"

#include <vector>

#include "formats/history/history_import.h"
#include "formats/history/history_record.h"
#include "shell/drill/drill_session.h"
#include "sim/drill/drill_run.h"
#include "web/web_files.h"
#include "web/web_js.h"

namespace qm {

void WebLeaving::update()
{
    const DrillRun& d = world_.drill;
    if (!abandoned_line_due(world_)) {
        if (shots_ != 0) web::set_leaving_line("");
        shots_ = 0;
        return;
    }
    const std::time_t now = std::time(nullptr);
    const int round = drill_round_number(d);
    if (d.shots == shots_ && round == round_ && now == when_) return;
    shots_ = d.shots;
    round_ = round;
    when_ = now;
    web::set_leaving_line(format_history_line(history_record(d, true, now, QM_VERSION)).c_str());
}

bool merge_stashed_history(const std::string& history, WindowHost& windows, std::string& reason)
{
    const std::string lines = web::take_stashed_lines();
    if (lines.empty() || history.empty()) return true;
    ImportCounts counts;
    const bool merged = import_history_bytes(std::vector<unsigned char>(lines.begin(), lines.end()), history, counts,
                                             reason) &&
                        windows.keep_files(reason);
    if (!merged) web::stash_lines(lines.c_str());
    return merged;
}

}  // namespace qm

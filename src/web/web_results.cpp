// Handing the finished drill's code to the page.
#include "web/web_results.h"

#include "web/web_js.h"

namespace qm {

std::string results_line(const DrillRun& drill)
{
    std::string line = "score " + std::to_string(drill.score);
    if (const char* outcome = challenge_outcome(drill)) {
        const DrillChallenge& c = drill.rules.challenge;
        line.append(": ").append(outcome).append(" against ").append(std::to_string(c.score));
        if (c.sender[0] != '\0') line.append(" (").append(c.sender).append(")");
    }
    // What went wrong with the history, as the results screen says it.
    if (drill.note[0] != '\0') line.append("; ").append(drill.note);
    return line;
}

void WebResults::offer(const World& world)
{
    const DrillRun& drill = world.drill;
    const bool results = drill.active && drill.finished && drill.code[0] != '\0';
    if (results == shown_) return;
    shown_ = results;
    if (results) {
        web::drill_results(drill.code, results_line(drill).c_str());
    } else {
        web::drill_results("", "");
    }
}

}  // namespace qm

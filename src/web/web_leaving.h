// The page closed or reloaded in the middle of a drill. A page going away
// can wait for nothing, neither the program nor the browser's database, so
// the page always holds the line the drill would leave as abandoned at that
// moment, and as it goes puts that line by in the browser's synchronous
// storage; the next visit merges what it finds there into the history.
#pragma once

#include <ctime>
#include <string>

#include "shell/message_loop.h"
#include "sim/world.h"

namespace qm {

class WebLeaving {
public:
    explicit WebLeaving(const World& world) : world_(world) {}

    // Hands the page the running drill's abandoned line when it changes (a
    // shot, a round, a second on the clock), or takes it away once the
    // drill has none to leave.
    void update();

private:
    const World& world_;
    int shots_ = 0;  // of the line handed over; 0: none
    int round_ = 0;
    std::time_t when_ = 0;
};

// Merges the lines put by (as the page last went away, or when the storage
// could not keep them) into `history` (the lines it already holds passed
// over) and has `windows` keep it; false with the reason, the lines then
// put by again for the next visit.
bool merge_stashed_history(const std::string& history, WindowHost& windows, std::string& reason);

}  // namespace qm

// A finished drill's challenge code on the page, as text a player can copy
// and as the link that plays it, beside the frame's results; gone once the
// results are.
#pragma once

#include <string>

#include "sim/world.h"

namespace qm {

// What the page shows under the results: the outcome against a challenge's
// score to beat, or the score alone ("score 612: won against 579 (Ann)").
std::string results_line(const DrillRun& drill);

class WebResults {
public:
    // Shows or takes away the code as the drill's results come and go.
    void offer(const World& world);

private:
    bool shown_ = false;
};

}  // namespace qm

// drill_reach: how often each built-in drill draws a first round no power
// can reach (at the drill's angle, or at any whole angle 10-90 where the
// angle is free), over a range of seeds. The drill redraws such a round at
// once, so its first draw is what a drill played before that check.
// `drill_reach FROM TO [DRILL]` writes `drill,seeds,unreachable` a drill.
#include <malloc.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "formats/drill/drill_file.h"
#include "shell/drill/drill_session.h"
#include "shell/round_setup.h"
#include "sim/drill/builtin_drills.h"
#include "sim/paint.h"
#include "sim/practice.h"
#include "sim/world.h"

namespace {

constexpr int max_ticks = 20000;  // a round start takes a few hundred; an unreachable check about 500 more

// Plays the drill up to its first round's check: true when that round was
// drawn again because no power reaches it.
bool first_round_unreachable(const qm::DrillRules& rules, std::uint32_t seed)
{
    auto world = std::make_unique<qm::World>();
    std::string error;
    std::string warning;
    if (!qm::set_up_round(*world, qm::RoundSettings{}, error)) throw std::runtime_error(error);
    qm::arm_practice(*world);
    if (!qm::start_drill(*world, rules, seed, warning, error)) throw std::runtime_error(error);
    const qm::DrillRun& d = world->drill;
    for (int tick = 0; tick < max_ticks && d.redraws == 0; ++tick) {
        if (!d.round_pending && !world->round_check.checking()) return false;
        qm::paint(*world);
    }
    return d.redraws > 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: drill_reach FROM TO [DRILL]\n");
        return 2;
    }
    // Each seed builds its worlds afresh, some hundred megabytes: freed
    // memory is kept for the next rather than handed back and faulted in again.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    const auto from = static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10));
    const auto to = static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10));
    const std::string_view only = argc == 4 ? argv[3] : "";
    std::printf("drill,seeds,unreachable\n");
    for (const qm::BuiltinDrill& b : qm::builtin_drills()) {
        if (!only.empty() && b.key != only) continue;
        qm::DrillRules rules;
        std::string error;
        if (!qm::parse_drill(b.text, std::string(b.key), "", std::string(b.key), rules, error)) {
            std::fprintf(stderr, "drill_reach: %s\n", error.c_str());
            return 1;
        }
        int unreachable = 0;
        for (std::uint32_t seed = from; seed <= to; ++seed) unreachable += first_round_unreachable(rules, seed);
        std::printf("%.*s,%u,%d\n", static_cast<int>(b.key.size()), b.key.data(), to - from + 1, unreachable);
        std::fflush(stdout);
    }
    return 0;
}

// The copy of a drill round and the search of its first shot's window.
#include "sim/drill/round_window.h"

#include "sim/hit_window.h"
#include "sim/shot_probe.h"

namespace qm {

RoundWindow::RoundWindow() = default;
RoundWindow::~RoundWindow() = default;

void RoundWindow::arm(const World& world)
{
    if (!armed()) {
        probe_ = std::make_unique<ShotProbe>(world);
        search_ = std::make_unique<WindowSearch>();
    }
    clear();
}

void RoundWindow::take(const World& world, int round)
{
    if (!armed()) return;
    probe_->sync(world);
    taken_ = round;
}

bool RoundWindow::begin(int round, double angle, int direction)
{
    if (!armed() || taken_ != round) return false;
    search_->start(angle, direction);
    round_ = round;
    searching_ = true;
    return true;
}

bool RoundWindow::step(int count) { return searching_ && search_->step(*probe_, count); }

RoundWindowAnswer RoundWindow::answer() const
{
    const HitWindow& w = search_->window();
    if (!w.reaches) return RoundWindowAnswer{};
    return RoundWindowAnswer{true, w.best_power(), w.low_power(), w.high_power()};
}

void RoundWindow::clear()
{
    taken_ = -1;
    round_ = -1;
    searching_ = false;
}

}  // namespace qm

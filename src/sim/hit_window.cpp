// The hit window read from a ladder of shots, and its search over ticks.
#include "sim/hit_window.h"

#include <algorithm>

#include "sim/shot_engine.h"
#include "sim/shot_probe.h"

namespace qm {

namespace {

// A rung belongs to the window when it costs the target at least half the
// best damage (exactly, in whole hit points).
bool in_window(int damage, int best_damage) { return damage > 0 && 2 * damage >= best_damage; }

}  // namespace

HitWindow window_of(const int* damage, int count, double steps_per_unit)
{
    HitWindow w;
    w.steps_per_unit = steps_per_unit;
    for (int rung = 0; rung < count; ++rung) {
        if (damage[rung] > w.best_damage) {
            w.best = rung;
            w.best_damage = damage[rung];
        }
    }
    w.reaches = w.best_damage > 0;
    if (!w.reaches) {
        w.best = 0;
        return w;
    }
    w.low = w.best;
    while (w.low > 0 && in_window(damage[w.low - 1], w.best_damage)) --w.low;
    w.high = w.best;
    while (w.high + 1 < count && in_window(damage[w.high + 1], w.best_damage)) ++w.high;
    return w;
}

HitWindow window_of(const ShotResult* shots, int count, double steps_per_unit)
{
    int damage[finder_powers];
    const int kept = std::min(count, finder_powers);
    for (int i = 0; i < kept; ++i) damage[i] = shots[i].target_damage;
    return window_of(damage, kept, steps_per_unit);
}

void WindowSearch::start(double angle, int direction)
{
    angle_ = angle;
    direction_ = direction;
    next_ = 0;
    window_ = HitWindow{};
}

bool WindowSearch::step(ShotProbe& probe, int count)
{
    const PowerLadder ladder{angle_, direction_, finder_steps_per_unit};
    const int end = std::min(finder_powers, next_ + std::max(count, 0));
    ShotResult shots[finder_slice];
    while (next_ < end) {
        const int to = std::min(end, next_ + finder_slice);
        fire_rungs(probe, ladder, next_, to, shots);
        for (int rung = next_; rung < to; ++rung) damage_[rung] = shots[rung - next_].target_damage;
        next_ = to;
        if (done()) window_ = window_of(damage_, finder_powers, finder_steps_per_unit);
    }
    return done();
}

HitWindow find_window(ShotProbe& probe, double angle, int direction)
{
    WindowSearch search;
    search.start(angle, direction);
    search.step(probe, finder_powers);
    return search.window();
}

}  // namespace qm

// The aim chart (key G): while the aim is free, a small chart of how far the
// main shell carries at each power for the current angle, facing, wind and
// place, with the target's distance marked and the hit window read off the
// powers it fired, by the rule the power finder reads its own (hit_window.h). Its
// distance axis frames the target: from the muzzle to about twice the
// target's distance. Every point is a shot the shared probe fired, a slice
// of them a tick.
#pragma once

#include "raster/plot/plot.h"
#include "sim/hit_window.h"
#include "sim/shot_result.h"

namespace qm {

struct World;
class SideShots;

// The chart fires the power finder's own ladder, so its curve and the finder
// name the same window to the step; a slice a tick as the finder does.
constexpr int chart_powers = finder_powers;
constexpr double chart_steps_per_unit = finder_steps_per_unit;
constexpr int chart_slice = finder_slice;

// What the chart shows this tick.
struct AimChartView {
    bool shown = false;           // G is on and the aim is free
    int fired = 0;                // powers fired for the current curve, chart_powers once complete
    int target_distance = 0;      // once complete: the target's contact point forward of the muzzle
    bool reaches = false;         // once complete: some power of the curve hurts the target
    double power = 0.0;           // the window's best power among the curve's
    int power_distance = 0;       // where that shot strikes, forward of the muzzle
    HitWindow window;             // once complete: the hit window among the curve's powers
};

class AimChart {
public:
    // Reserves the drawing's storage (this allocates).
    void arm();
    // One tick's work while the chart is shown and the round stands still:
    // a new curve begins when the angle, the facing or the scene has
    // changed, otherwise the current one is carried one slice further.
    void update(const World& round, SideShots& shots);
    // Shows nothing until the next update.
    void hide() { shown_ = false; }

    AimChartView view() const;
    // Draws the chart over the frame in its corner (allocates nothing).
    void draw(Surface& frame) const;

private:
    void lay_out();

    bool shown_ = false;
    long long generation_ = -1;  // of the probe shots the curve was fired on
    double angle_ = 0.0;
    int direction_ = 0;
    int target_x_ = 0;  // the target's contact point when the curve began
    int next_ = 0;
    ShotResult shots_[chart_powers];
    AimChartView reading_;
    plot::Chart chart_;  // laid out once the curve is complete
};

}  // namespace qm

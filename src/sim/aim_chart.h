// The aim chart (key G): while the aim is free, a small chart of how far the
// main shell carries at each power for the current angle, facing, wind and
// place, with the target's distance marked and the power read off by the
// power finder's rule (the strike nearest the target's contact point). Its
// distance axis frames the target: from the muzzle to about twice the
// target's distance. Every point is a shot the shared probe fired, a slice
// of them a tick.
#pragma once

#include "raster/plot/plot.h"
#include "sim/shot_result.h"

namespace qm {

struct World;
class SideShots;

constexpr int chart_powers = 81;                 // powers 0.00 to 4.00 in steps of 0.05
constexpr double chart_steps_per_unit = 20.0;    // power k is k / 20
// Shots per tick: a curve in three ticks, each tick's share well under the
// power finder's.
constexpr int chart_slice = 27;

// What the chart shows this tick.
struct AimChartView {
    bool shown = false;           // G is on and the aim is free
    int fired = 0;                // powers fired for the current curve, chart_powers once complete
    int target_distance = 0;      // once complete: the target's contact point forward of the muzzle
    bool reaches = false;         // once complete: the shot nearest the target hurts it
    double power = 0.0;           // that shot's power
    int power_distance = 0;       // where that shot strikes, forward of the muzzle
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
    int target_y_ = 0;
    int next_ = 0;
    ShotResult shots_[chart_powers];
    AimChartView reading_;
    plot::Chart chart_;  // laid out once the curve is complete
};

}  // namespace qm

// The aim chart's curve: fired a slice a tick on the shared probe, then read
// at the target's distance and laid out for drawing in storage reserved when
// the chart was armed.
#include "sim/aim_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "sim/prediction.h"
#include "sim/shot_engine.h"
#include "sim/side_shots.h"
#include "sim/world.h"

namespace qm {

namespace {

constexpr int axis_ticks = 4;  // at most this many tick intervals per axis of the small chart
// The distance axis runs from the muzzle to about this many times the
// target's distance, so the curve near the target fills the chart; a target
// at the muzzle still gets this much.
constexpr double target_framing = 2.0;
constexpr double min_axis_span = 100.0;
constexpr COLORREF curve_colour = 0x00000000;   // black, as the calm curve of `qmsim chart`
constexpr COLORREF target_colour = 0x000000D0;  // red: where the target stands
constexpr COLORREF reading_colour = 0x0000A000; // green: the power read off

int distance_of(const ShotResult& shot, int direction) { return shot.dx * direction; }

// From the muzzle to about twice the target's distance, on its side,
// ended at a round value.
plot::Range framing_target(int target_distance)
{
    const double reach = std::max(static_cast<double>(std::abs(target_distance)) * target_framing, min_axis_span);
    const double step = plot::nice_step(reach, axis_ticks);
    const double end = std::ceil(reach / step) * step;
    return target_distance < 0 ? plot::Range{-end, 0.0} : plot::Range{0.0, end};
}

}  // namespace

void AimChart::arm()
{
    chart_.x_label = "distance";
    chart_.y_label = "power";
    chart_.y = {0.0, (chart_powers - 1) / chart_steps_per_unit};
    chart_.max_ticks = axis_ticks;
    chart_.legend = plot::LegendPlace::none;
    chart_.series.resize(2);
    chart_.series[0].color = curve_colour;
    chart_.series[0].points.reserve(chart_powers);
    chart_.series[1].color = target_colour;
    chart_.series[1].width = 1;
    chart_.series[1].points.reserve(2);
    chart_.markers.reserve(1);
}

void AimChart::update(const World& round, SideShots& shots)
{
    if (!shots.armed() || chart_.series.empty()) return;
    shown_ = true;
    const bool new_scene = shots.generation() != generation_;
    if (new_scene || round.vang != angle_ || round.direction != direction_) {
        generation_ = shots.generation();
        angle_ = round.vang;
        direction_ = round.direction;
        target_x_ = round.target1.pos_x;
        next_ = 0;
        reading_ = AimChartView{};
        // The tick that synced the probe has had its share.
        if (new_scene) return;
    }
    if (next_ == chart_powers) return;
    const int end = std::min(chart_powers, next_ + chart_slice);
    fire_rungs(shots.probe(), PowerLadder{angle_, direction_, chart_steps_per_unit}, next_, end, shots_ + next_);
    next_ = end;
    if (next_ == chart_powers) lay_out();
}

void AimChart::lay_out()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    AimChartView& r = reading_;
    r.fired = chart_powers;
    // The muzzle is where the shots left: any strike less its offset.
    bool any = false;
    int origin_x = 0;
    plot::Series& curve = chart_.series[0];
    curve.points.clear();
    for (int i = 0; i < chart_powers; ++i) {
        const ShotResult& shot = shots_[i];
        if (!shot.struck) {
            curve.points.push_back({nan, nan});
            continue;
        }
        any = true;
        origin_x = shot.x - shot.dx;
        curve.points.push_back({static_cast<double>(distance_of(shot, direction_)), i / chart_steps_per_unit});
    }
    r.target_distance = any ? (target_x_ - origin_x) * direction_ : 0;
    r.window = window_of(shots_, chart_powers, chart_steps_per_unit);
    r.reaches = r.window.reaches;
    r.power = r.reaches ? r.window.best_power() : 0.0;
    r.power_distance = r.reaches ? distance_of(shots_[r.window.best], direction_) : 0;
    // The curve runs on past the axis' end, cut off there.
    chart_.x = framing_target(r.target_distance);

    plot::Series& target = chart_.series[1];
    target.points.clear();
    if (any) {
        target.points.push_back({static_cast<double>(r.target_distance), chart_.y.lo});
        target.points.push_back({static_cast<double>(r.target_distance), chart_.y.hi});
    }
    chart_.markers.clear();
    if (r.reaches) {
        chart_.markers.push_back(
            {static_cast<double>(r.power_distance), r.power, reading_colour, plot::MarkerShape::diamond, 4});
    }
}

AimChartView AimChart::view() const
{
    AimChartView v = reading_;
    v.shown = shown_;
    v.fired = next_;
    return v;
}

}  // namespace qm

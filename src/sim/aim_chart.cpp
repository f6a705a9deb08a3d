// The aim chart's curve: fired a slice a tick on the shared probe, then read
// at the target's distance and laid out for drawing in storage reserved when
// the chart was armed.
#include "sim/aim_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "sim/shot_engine.h"
#include "sim/side_shots.h"
#include "sim/world.h"

namespace qm {

namespace {

constexpr int axis_ticks = 4;  // at most this many tick intervals per axis of the small chart
constexpr int range_rounding = 50;
constexpr COLORREF curve_colour = 0x00000000;   // black, as the calm curve of `qmsim chart`
constexpr COLORREF target_colour = 0x000000D0;  // red: where the target stands
constexpr COLORREF reading_colour = 0x0000A000; // green: the power read off

int distance_of(const ShotResult& shot, int direction) { return shot.dx * direction; }

}  // namespace

int nearest_bracketing_shot(const ShotResult* shots, int count, int direction, int distance)
{
    for (int i = 1; i < count; ++i) {
        const ShotResult& low = shots[i - 1];
        const ShotResult& high = shots[i];
        if (!low.struck || !high.struck) continue;
        const int d0 = distance_of(low, direction);
        const int d1 = distance_of(high, direction);
        if (std::min(d0, d1) > distance || std::max(d0, d1) < distance) continue;
        return std::abs(d0 - distance) <= std::abs(d1 - distance) ? i - 1 : i;
    }
    return -1;
}

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
    double lo = 0.0;
    double hi = 0.0;
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
        const double d = distance_of(shot, direction_);
        lo = std::min(lo, d);
        hi = std::max(hi, d);
        curve.points.push_back({d, i / chart_steps_per_unit});
    }
    r.target_distance = any ? (target_x_ - origin_x) * direction_ : 0;
    const int best = any ? nearest_bracketing_shot(shots_, chart_powers, direction_, r.target_distance) : -1;
    r.reaches = best >= 0;
    r.power = best >= 0 ? best / chart_steps_per_unit : 0.0;
    r.power_distance = best >= 0 ? distance_of(shots_[best], direction_) : 0;

    // The target stays on the axis even out of reach, so the gap shows.
    lo = std::min(lo, static_cast<double>(r.target_distance));
    hi = std::max(hi, static_cast<double>(r.target_distance));
    if (hi <= lo) hi = lo + 1.0;
    // Widened to a round fiftieth of the span, as `qmsim chart` does: a strike
    // a few pixels behind the muzzle would otherwise widen it by a whole tick.
    const double step = plot::nice_step(hi - lo, range_rounding);
    chart_.x = {std::floor(lo / step) * step, std::ceil(hi / step) * step};

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

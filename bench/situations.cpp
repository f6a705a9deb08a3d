// Building the benchmark situations: a map laid in, units dropped and
// settled, a shot aimed so that the shell and both secondaries strike in the
// same tick beside the target.
#include "situations.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "sim/init_dcs.h"
#include "sim/paint.h"
#include "terrain/load_map.h"
#include "terrain/map_maker.h"

namespace qm::bench {

namespace {

constexpr int settle_ticks = 150;  // units dropped from y 0 have landed and the camera has caught up

// A shot from the resting player that lands the shell and both secondaries
// in one tick within reach of the target (found by trying the aims).
constexpr double strike_angle = 64.0;
constexpr double strike_power = 1.01;
constexpr int longest_flight = 400;  // ticks

std::unique_ptr<World> new_world()
{
    auto w = std::make_unique<World>();
    fill_circle_samp(*w);
    init_DCs(*w);
    w->random_wind = 0;
    return w;
}

void settle(World& w)
{
    for (int i = 0; i < settle_ticks; ++i) paint(w);
}

bool in_test_box(const bullet& b, const bot& unit)
{
    // The box bot::collision tests before drawing the body.
    const int half = scratch_size / 2;
    return b.pos_x >= unit.pos_x - half && b.pos_x < unit.pos_x + half && b.pos_y >= unit.pos_y - half &&
           b.pos_y < unit.pos_y + half;
}

int flying(const World& w)
{
    return (w.mainbullet.state == 0) + (w.sec_bullet1.state == 0) + (w.sec_bullet2.state == 0);
}

// The state after the launch tick, then `ticks` more ticks.
std::unique_ptr<World> after_launch(int ticks)
{
    auto w = std::make_unique<World>(hills_at_rest());
    w->vang = strike_angle;
    w->v0 = strike_power;
    w->fire_now = 1;
    w->shoot_delay = 29;  // the launch comes at the end of the next tick
    paint(*w);
    for (int i = 0; i < ticks; ++i) paint(*w);
    return w;
}

// Ticks after the launch tick until the tick in which the shell strikes.
int ticks_before_impact()
{
    auto w = after_launch(0);
    int n = 0;
    while (w->mainbullet.state == 0 && n < longest_flight) {
        paint(*w);
        ++n;
    }
    return n - 1;
}

// The pixels of one surface with the pen, brush, fill mode and position of another.
Surface with_tools_of(Surface pixels, const Surface& tools)
{
    pixels.pen = tools.pen;
    pixels.brush = tools.brush;
    pixels.fill_mode = tools.fill_mode;
    pixels.current = tools.current;
    return pixels;
}

bool same_pixels(const Surface& a, const Surface& b)
{
    return a.width() == b.width() && a.height() == b.height() &&
           std::equal(a.data(), a.data() + static_cast<std::size_t>(a.width()) * a.height(), b.data());
}

}  // namespace

Rewind::Rewind(const World& situation, int ticks)
    : situation_(situation), ticks_(ticks), values_(std::make_unique<World>(situation))
{
    values_->memoria = Surface();
    values_->targ1_dc = Surface();
    for (Surface& stripe : values_->ground) stripe = Surface();
    values_->imagen.clear();

    World after(situation);
    for (int t = 0; t < ticks; ++t) paint(after);
    for (int i = 0; i < stripe_count; ++i) {
        const Surface& stripe = situation.ground[i];
        copied_[i] = !same_pixels(after.ground[i], stripe) || stripe.first_changed_row() < stripe.last_changed_row();
    }
}

void Rewind::operator()(World& w) const
{
    // Park the pixel buffers, copy every value, put the buffers back. The
    // frame and any stripe the tick changed, or whose record of changed
    // pixels the next tick reads, are copied whole into their old buffers
    // (the same size, so nothing is allocated).
    Surface frame = std::move(w.memoria);
    Surface scratch = std::move(w.targ1_dc);
    std::array<Surface, stripe_count> ground = std::move(w.ground);
    w = *values_;
    w.memoria = std::move(frame);
    w.memoria = situation_.memoria;
    w.targ1_dc = with_tools_of(std::move(scratch), situation_.targ1_dc);
    std::copy(situation_.targ1_dc.data(), situation_.targ1_dc.data() + scratch_size * scratch_size, w.targ1_dc.data());
    for (int i = 0; i < stripe_count; ++i) {
        w.ground[i] = std::move(ground[i]);
        if (copied_[i]) {
            w.ground[i] = situation_.ground[i];
        } else {
            w.ground[i].clear_changed();
        }
    }
}

std::string Rewind::check() const
{
    World fresh(situation_);
    for (int t = 0; t < ticks_; ++t) paint(fresh);
    World rewound(situation_);
    for (int t = 0; t < ticks_; ++t) paint(rewound);
    (*this)(rewound);
    for (int t = 0; t < ticks_; ++t) paint(rewound);
    if (!same_pixels(fresh.memoria, rewound.memoria)) return "a rewound tick draws another frame";
    if (!same_pixels(fresh.targ1_dc, rewound.targ1_dc)) return "a rewound tick leaves another scratch surface";
    for (int i = 0; i < stripe_count; ++i) {
        if (!same_pixels(fresh.ground[i], rewound.ground[i])) return "a rewound tick leaves other terrain";
    }
    if (fresh.target1.hp != rewound.target1.hp || fresh.mainbullet.state != rewound.mainbullet.state)
        return "a rewound tick ends in another state";
    return {};
}

void load_sample_map(World& world)
{
    const std::vector<SampleMap> maps = sample_maps();
    const MapPicture& map = maps.front().picture;
    for (int row = 0; row < map.height; ++row)
        for (int column = 0; column < map.width; ++column) world.image_at(row, column) = map.at(row, column);
    world.imagen_x = map.width;
    world.imagen_y = map.height;
}

const World& flat_at_rest()
{
    static const std::unique_ptr<World> w = [] {
        auto made = new_world();
        made->flat_map = 1;
        settle(*made);
        return made;
    }();
    return *w;
}

const World& hills_at_rest()
{
    static const std::unique_ptr<World> w = [] {
        auto made = new_world();
        load_sample_map(*made);
        build_terrain(*made, *made);
        made->imagen.clear();  // only the build reads it; copies stay smaller
        settle(*made);
        return made;
    }();
    return *w;
}

const World& shot_near_target()
{
    static const std::unique_ptr<World> w = after_launch(ticks_before_impact() - 1);
    return *w;
}

const World& shot_before_impact()
{
    static const std::unique_ptr<World> w = after_launch(ticks_before_impact());
    return *w;
}

const World& shot_approaching()
{
    static const std::unique_ptr<World> w = after_launch(ticks_before_impact() - 2);
    return *w;
}

std::string check_shot_near_target()
{
    World w(shot_near_target());
    const bullet* shells[] = {&w.mainbullet, &w.sec_bullet1, &w.sec_bullet2};
    paint(w);
    if (flying(w) != 3) return "a shell struck in the flight tick";
    int near = 0;
    for (const bullet* b : shells) near += in_test_box(*b, w.target1) ? 1 : 0;
    if (near == 0) return "no shell within the target's test box";
    return {};
}

std::string check_shot_before_impact()
{
    World w(shot_before_impact());
    const int hp = w.target1.hp;
    if (flying(w) != 3) return "not all three shells in the air before the impact tick";
    paint(w);
    if (flying(w) != 0 || w.mainbullet.state != 1 || w.sec_bullet1.state != 1 || w.sec_bullet2.state != 1)
        return "the three shells do not strike in the same tick";
    if (w.target1.hp >= hp) return "the impact does not damage the target";
    return {};
}

}  // namespace qm::bench

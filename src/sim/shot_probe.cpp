// The shot probe: the round's tick phases that move things (rolls and fire
// delay, units, projectiles, turn logic) run on a private world, without the
// camera, the background, the HUD or any mark landing on the frame. Afterwards
// the craters are put back from the synced stripes and the small state from
// a saved copy, so no shot costs a copy of the terrain.
#include "sim/shot_probe.h"

#include <cstdlib>

#include "sim/shot_control.h"
#include "sim/shot_record.h"
#include "sim/world.h"
#include "terrain/terrain_raster.h"

namespace qm {

namespace {

// The view handed to the bodies lies so far off that every mark they draw is
// clipped away at once.
constexpr int off_view = 1 << 20;

// A crater is a 60 by 48 ellipse drawn with a 2-pixel pen; the box put back
// around a strike reaches past it on every side.
constexpr int crater_reach_x = 33;
constexpr int crater_reach_y = 27;

// A unit reads the ground within the outer ring of its slope samples; a
// crater further off leaves everything it reads as it was.
constexpr int unit_reach = ring_radii + 1;

bool within_reach(const bullet& crater, const bot& unit)
{
    return std::abs(crater.pos_x - unit.pos_x) <= crater_reach_x + unit_reach &&
           std::abs(crater.pos_y - unit.pos_y) <= crater_reach_y + unit_reach;
}

}  // namespace

// Everything of the world a shot can change, apart from the stripes: the
// world's moving state, and whether the unit scratch holds the body it shows.
struct ProbeRestore {
    explicit ProbeRestore(Field* view) : moving(view) {}

    void take(const World& w)
    {
        moving = w;
        targ1_holds_body = w.targ1_holds_body;
        targ1_slope = w.targ1_slope;
    }

    void put(World& w) const
    {
        static_cast<MovingState&>(w) = moving;
        // The scratch keeps whatever body was drawn on it last: it holds the
        // kept one only if that is the picture it shows now.
        const bool same_picture = w.targ1_holds_body && w.targ1_slope == targ1_slope;
        w.targ1_holds_body = targ1_holds_body && same_picture;
        w.targ1_slope = targ1_slope;
    }

    MovingState moving;
    bool targ1_holds_body = false;
    double targ1_slope = 0.0;
    std::array<Surface, stripe_count> ground;
};

ShotStart::ShotStart(const World& round) : state_(std::make_unique<ProbeRestore>(nullptr))
{
    state_->take(round);
}

ShotStart::~ShotStart() = default;
ShotStart::ShotStart(ShotStart&&) noexcept = default;
ShotStart& ShotStart::operator=(ShotStart&&) noexcept = default;

ShotProbe::ShotProbe(const World& round)
    : world_(std::make_unique<World>(round)), synced_(std::make_unique<ProbeRestore>(&world_->field))
{
    synced_->ground = round.ground;
    synced_->take(*world_);
}

ShotProbe::~ShotProbe() = default;

void ShotProbe::sync(const World& round)
{
    *world_ = round;
    synced_->ground = round.ground;
    synced_->take(*world_);
}

void ShotProbe::start_from(const ShotStart& start)
{
    World& w = *world_;
    start.state_->put(w);
    // The bodies came with the other round's view; they see this world.
    bullet* bodies[] = {&w.sec_bullet1, &w.sec_bullet2, &w.mainbullet, &w.target1, &w.player_bot};
    for (bullet* body : bodies) {
        body->field = &w.field;
        if (body->dc != nullptr) body->dc = &w.memoria;
    }
    synced_->take(w);
}

void ShotProbe::settle(long max_ticks)
{
    World& w = *world_;
    for (long i = 0; i < max_ticks && !(unit_at_rest(w, w.target1) && unit_at_rest(w, w.player_bot)); ++i) {
        ++w.tick_count;
        aim_and_rolls(w);
        update_target(w, off_view, off_view);
        update_player(w, off_view, off_view);
    }
    synced_->take(w);
}

ShotResult ShotProbe::fire(double angle, double power, int direction)
{
    World& w = *world_;
    w.vang = angle;
    w.v0 = power;
    w.direction = direction;
    w.player_bot.facing = direction;
    w.angle_up = w.angle_down = w.pow_up = w.pow_down = 0;
    w.angle_steps = w.power_steps = 0;
    w.fire_now = 1;
    w.shoot_delay = 0;
    w.mainbullet.state = w.sec_bullet1.state = w.sec_bullet2.state = state_at_rest;
    // A unit at rest stays as it is until a crater changes the ground within
    // its reach or its hit points run out, so it is stepped only while it
    // moves and in the tick after such a strike (and in the first tick,
    // which measures its slope on the synced ground and, for the player, places
    // the muzzle for the facing asked: drawing the player does that).
    bool step_target = true;
    bool step_player = true;
    bool launched = false;
    int flight = 0;
    for (;;) {
        ++w.tick_count;
        aim_and_rolls(w);
        if (step_target) {
            update_target(w, off_view, off_view);
            step_target = !unit_at_rest(w, w.target1);
        }
        if (step_player) {
            update_player(w, off_view, off_view);
            step_player = !unit_at_rest(w, w.player_bot);
        }
        w.player_bot.facing = w.direction;

        const bullet* shells[] = {&w.mainbullet, &w.sec_bullet1, &w.sec_bullet2};
        bool was_flying[3];
        for (int i = 0; i < 3; ++i) was_flying[i] = shells[i]->state == 0;
        const int busy = step_projectiles(w, off_view, off_view);
        int struck = 0;
        for (int i = 0; i < 3; ++i) {
            if (shells[i]->state == 0) continue;
            ++struck;
            if (!was_flying[i]) continue;
            step_target = step_target || within_reach(*shells[i], w.target1) || w.target1.hp == 0;
            step_player = step_player || within_reach(*shells[i], w.player_bot) || w.player_bot.hp == 0;
        }

        if (launched) {
            // Once every shell has struck, nothing more can strike or harm.
            if (busy == 0 || struck == 3) break;
            if (!w.last_impact.struck && ++flight >= max_flight_ticks) break;
        }
        turn_logic(w, busy);
        launched = launched || w.mainbullet.state == 0;
    }

    const ShotResult result = w.last_impact;
    restore();
    return result;
}

void ShotProbe::restore()
{
    World& w = *world_;
    // Every shell that struck stamped its one crater where it stopped.
    const bullet* shells[] = {&w.mainbullet, &w.sec_bullet1, &w.sec_bullet2};
    for (const bullet* shell : shells) {
        if (shell->state == 0) continue;
        const int x = shell->pos_x - crater_reach_x - terrain_left;
        const int y = shell->pos_y - crater_reach_y - terrain_top;
        for (int i = 0; i < stripe_count; ++i) {
            BitBlt(w.ground[i], x - i * stripe_size, y, 2 * crater_reach_x, 2 * crater_reach_y, synced_->ground[i],
                   x - i * stripe_size, y, Rop::srccopy);
        }
    }
    synced_->put(w);
}

}  // namespace qm

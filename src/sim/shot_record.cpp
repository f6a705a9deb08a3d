// The record of the shot in play and the rest tests the runner and the shot
// probe share.
#include "sim/shot_record.h"

#include "sim/world.h"

namespace qm {

void begin_shot_record(World& world)
{
    world.last_impact = ShotResult{};
}

int step_projectiles(World& world, int view_x, int view_y)
{
    bullet& shell = world.mainbullet;
    ShotResult& shot = world.last_impact;
    const bool flying = shell.state == 0;
    const int target_hp = world.target1.hp;
    const int player_hp = world.player_bot.hp;

    const int busy = shell.update(view_x, view_y);

    if (flying) {
        ++shot.flight_ticks;
        if (shell.state != 0) {
            shot.struck = true;
            shot.x = shell.pos_x;
            shot.y = shell.pos_y;
            shot.dx = shell.pos_x - shell.origin_x;
            shot.dy = shell.origin_y - shell.pos_y;
            shot.tick = world.tick_count;
        }
    }
    // Only the shells change hit points in this phase, and a hit point once
    // lost stays lost until a respawn, which happens in the units' phases.
    shot.target_damage += target_hp - world.target1.hp;
    shot.player_damage += player_hp - world.player_bot.hp;
    return busy;
}

bool unit_at_rest(const World& world, const bot& unit)
{
    if (world.flat_map != 0 && &unit == &world.target1) return true;
    if (unit.state >= state_at_rest || unit.hp == 0 || unit.respawn_ticks != 0 || unit.time != 0.0) return false;
    // The contact test counts on the body it asks, so a copy is asked.
    bot contact = unit;
    return contact.hit() != 0;
}

bool round_at_rest(const World& world)
{
    return world.fire_now == 0 && world.mainbullet.state >= state_at_rest && unit_at_rest(world, world.target1) &&
           unit_at_rest(world, world.player_bot);
}

}  // namespace qm

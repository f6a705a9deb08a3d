// Placeholders until the unit code lands; replaced wholesale.
#include "bodies/aim_gauge.h"
#include "bodies/bot.h"
#include "core/world.h"

namespace qm {

int bot::update(int, int) { return state >= state_at_rest ? 0 : 1; }
void bot::calc() {}
void bot::paint() {}
int bot::hit() { return 0; }
int bot::focus() { return focus_ticks != 0 ? 1 : 0; }
void bot::reset(Surface* surface, double wind_strength, double wind_angle, int x, int y)
{
    bullet::reset(surface, 0.0, 0.0, wind_strength, wind_angle, x, y, 1);
    anchor_x = x;
    anchor_y = y;
    respawn_ticks = 0;
    hp = 1000;
}
int bot::get_slope() { return 0; }
int bot::collision(int, int) { return 0; }
void bot::damage(int, int) {}
void bot::paint_body(COLORREF) {}
void bot::paint_hp_bar() {}
void bot::paint_damage_text() {}
void player::paint() {}
int player::focus() { return 1; }
void draw_aim(World&, int, int, int, int, int) {}

}  // namespace qm

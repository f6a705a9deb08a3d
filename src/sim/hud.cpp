// The HUD: formats its texts into fixed buffers (nothing is allocated per
// tick) and writes them at their fixed places on the frame.
#include "sim/hud.h"

#include <cstdio>

#include "sim/world.h"

namespace qm {

namespace {

struct Place {
    int x;
    int y;
};

constexpr Place shot_place{30, hud_shot_y};
constexpr Place aim_place{100, hud_aim_y};
constexpr Place wind_place{391, 62};  // inside the wind dial
constexpr Place close_place{620, 30};

void write(Surface& frame, Place at, const char* text) { write_text(frame, at.x, at.y, text); }

}  // namespace

void format_hud(const World& world, int busy, HudTexts& texts)
{
    if (busy != 0) {
        // Distance travelled to the right and height above the muzzle.
        const bullet& shot = world.mainbullet;
        const player& p = world.player_bot;
        std::snprintf(texts.shot, sizeof texts.shot, "x: %d y: %d t: %1.2f", shot.pos_x - p.launch_x,
                      p.launch_y - shot.pos_y, shot.time);
    } else {
        std::snprintf(texts.shot, sizeof texts.shot, "x: %d y: %d", 0, 0);
    }
    std::snprintf(texts.aim, sizeof texts.aim, "ang: %3.1f pow: %1.2f", world.vang, world.v0);
    std::snprintf(texts.wind, sizeof texts.wind, "%3.0f", world.wind);
    std::snprintf(texts.close, sizeof texts.close, "Press 'Esc' to close");
}

void write_text(Surface& frame, int x, int y, const char* text)
{
    int length = 0;
    while (text[length] != '\0') ++length;
    TextOutA(frame, x, y, text, length);
}

void draw_hud(World& world, int busy)
{
    HudTexts texts;
    format_hud(world, busy, texts);
    write(world.memoria, shot_place, texts.shot);
    write(world.memoria, aim_place, texts.aim);
    write(world.memoria, wind_place, texts.wind);
    write(world.memoria, close_place, texts.close);
}

}  // namespace qm

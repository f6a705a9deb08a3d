// The HUD texts written over every frame: the shot's offsets and flight time,
// the aim and power, the wind strength inside the wind dial, and the hint.
#pragma once

#include "raster/surface.h"

namespace qm {

struct World;

constexpr int hud_text_size = 64;  // room for the longest line with any values

// The rows of the HUD's lines: the shot's offsets and the close hint at the
// top (the drill's line above them), the aim line at the bottom. Panels keep
// to the band between, or cover the lines whole.
constexpr int hud_shot_y = 30;
constexpr int hud_aim_y = 550;

struct HudTexts {
    char shot[hud_text_size];   // offsets from the muzzle, and the time in flight
    char aim[hud_text_size];    // angle and power
    char wind[hud_text_size];   // wind strength
    char close[hud_text_size];  // how to leave
};

// Formats the texts; busy is 1 while a shot flies or shows its impact.
void format_hud(const World& world, int busy, HudTexts& texts);

// Formats and writes the texts onto the frame surface.
void draw_hud(World& world, int busy);

// One line of HUD text with its top-left corner at (x, y).
void write_text(Surface& frame, int x, int y, const char* text);

}  // namespace qm

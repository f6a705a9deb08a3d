// Drawing the controls screen and the help over the frame, as white panels
// of text like the drill menu's.
#pragma once

#include "sim/controls/controls_screen.h"
#include "sim/text_layout.h"

namespace qm {

struct World;

// Where each screen's lines and panel go; the lines point into the screen.
// The keys' words name the page's buttons on a touch screen.
TextLayout controls_layout(const ControlsScreen& screen, bool touch);
TextLayout help_layout(const HelpScreen& help);

// Draws whichever shows (nothing when both are closed). Lays out in place:
// nothing is allocated.
void draw_controls_screens(World& world);

}  // namespace qm

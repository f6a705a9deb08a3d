// Drawing the controls screen and the help over the frame, as white panels
// of text like the drill menu's.
#pragma once

namespace qm {

struct World;

// Draws whichever shows (nothing when both are closed). Formats into fixed
// buffers: nothing is allocated.
void draw_controls_screens(World& world);

}  // namespace qm

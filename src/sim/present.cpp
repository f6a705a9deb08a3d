// Presenting a frame: the one-time clear when the presentation mode changed,
// then one stretched or plain copy of the whole 800 by 600 frame.
#include "sim/present.h"

#include "sim/world.h"

namespace qm {

void present(World& world)
{
    Presenter* window = world.cliente;
    if (window == nullptr) return;
    // temp_stretch starts at 1, so the unscaled modes clear the window once,
    // on the first frame, leaving no stale pixels around the 800 by 600 area.
    if (world.stretch != world.temp_stretch) {
        window->clear(world.DevCap_X, world.DevCap_Y);
        world.temp_stretch = world.stretch;
    }
    if (world.stretch != 0) {
        window->stretch(world.memoria, world.DevCap_X, world.DevCap_Y);
    } else {
        window->copy(world.memoria);
    }
}

}  // namespace qm

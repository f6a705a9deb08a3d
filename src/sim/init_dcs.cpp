// The drawing surfaces of a run: sizes, standing pens and brushes, and the
// empty terrain stripes.
#include "sim/init_dcs.h"

#include "sim/world.h"

namespace qm {

namespace {

constexpr COLORREF silver = 0x00C0C0C0;  // sky, and empty terrain
constexpr COLORREF white = 0x00FFFFFF;   // the cleared scratch surface
constexpr int stripe_pen_width = 2;

}  // namespace

void init_DCs(World& world)
{
    if (world.cliente != nullptr) {
        world.DevCap_X = world.cliente->horzres();
        world.DevCap_Y = world.cliente->vertres();
    } else {
        world.DevCap_X = frame_width;
        world.DevCap_Y = frame_height;
    }

    world.memoria = Surface(frame_width, frame_height);
    world.memoria.brush = Brush{silver};
    world.memoria.pen = Pen{0, silver};
    world.memoria.fill_mode = FillMode::winding;
    world.backdrop = BackdropView{};
    world.backdrop.runs.make_room();

    world.targ1_dc = Surface(scratch_size, scratch_size);
    world.targ1_dc.brush = Brush{white};
    world.targ1_dc.pen = Pen{0, white};
    world.targ1_holds_body = false;

    for (Surface& stripe : world.ground) {
        stripe = Surface(stripe_size, stripe_size);
        Rectangle(stripe, Pen{stripe_pen_width, silver}, Brush{silver}, 0, 0, stripe_size, stripe_size);
    }
}

}  // namespace qm

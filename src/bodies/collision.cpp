// The point test against a unit's body: the body is drawn on the shared
// 80 by 80 scratch surface and the point's pixel read back. The picture
// depends on the slope alone, so a body already there at that slope is read
// as it is: an impact's refinement tests the same body many times a tick.
#include "bodies/body_polygon.h"
#include "bodies/bot.h"

namespace qm {

namespace {

constexpr int box_half = scratch_size / 2;  // the test box reaches 40 pixels each way
constexpr COLORREF hull_colour = 0x00000000;

}  // namespace

bool bot::collision(int x, int y)
{
    if (x < pos_x - box_half || y < pos_y - box_half || x >= pos_x + box_half || y >= pos_y + box_half ||
        state == state_at_rest) {
        return false;
    }
    UnitScratch& held = *field->scratch;
    Surface& scratch = held.targ1_dc;
    if (!held.targ1_holds_body || held.targ1_slope != slope) {
        // Cleared with the white pen and brush that stay selected in it.
        Rectangle(scratch, 0, 0, scratch_size, scratch_size);
        POINT corners[body_corner_count];
        body_polygon(slope, box_half, box_half, corners);
        Polygon(scratch, Pen{0, hull_colour}, Brush{hull_colour}, corners, body_corner_count);
        held.targ1_holds_body = true;
        held.targ1_slope = slope;
    }
    return GetPixel(scratch, x - pos_x + box_half, y - pos_y + box_half) == hull_colour;
}

}  // namespace qm

// Creation of the drawing surfaces when the simulation starts.
#pragma once

namespace qm {

struct World;

// Measures the screen through the window surface (800 by 600 without one)
// into DevCap_X and DevCap_Y, creates the frame surface memoria and the
// scratch surface targ1_dc with their standing tools, and the six terrain
// stripes, all empty (0x00C0C0C0).
void init_DCs(World& world);

}  // namespace qm

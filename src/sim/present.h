// Showing the finished frame on the window surface, copied or stretched.
#pragma once

namespace qm {

struct World;

// Copies or stretches memoria onto the window surface; without a window
// surface it does nothing.
void present(World& world);

}  // namespace qm

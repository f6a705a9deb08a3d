// The results screen's chart: a drill's last scores, oldest first, with the
// personal best marked, drawn into a picture the results copy.
#pragma once

#include "raster/surface.h"

namespace qm {

// Draws over the whole of `picture`; count may be 0.
void draw_score_chart(Surface& picture, const long long* scores, int count, long long best);

}  // namespace qm

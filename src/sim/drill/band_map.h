// The coach's small heat map of the bands: distance across, wind along the
// shot up, each cell coloured by its estimate (grey while unknown) with the
// estimate written in it, the focus band outlined.
#pragma once

#include "raster/surface.h"
#include "sim/drill/coach_bands.h"

namespace qm {

constexpr int band_cell_width = 40;
constexpr int band_cell_height = 16;

// The colour of an estimate: red at 0 through yellow to green at 1.
COLORREF estimate_colour(double estimate);
constexpr COLORREF unknown_band_colour = 0x00C0C0C0;

// Draws the 5 by 5 cells with their top-left corner at (left, top).
// Formats into fixed buffers: nothing is allocated.
void draw_band_map(Surface& surface, int left, int top, const CoachSkill& skill, int focus);

}  // namespace qm

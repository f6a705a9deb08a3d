// The shot trace: where the main shell and both secondaries of the last shot
// went, tick by tick, and where each struck; drawn as small dots over the
// frame while the trace is shown.
#pragma once

#include "raster/surface.h"

namespace qm {

struct World;

// Flights end at the field's edges within a few hundred ticks; a longer one
// keeps its first points and its impact.
constexpr int trace_capacity = 1024;
constexpr int traced_shells = 3;  // the main shell, then the two secondaries

struct ShellTrace {
    int count = 0;
    POINT points[trace_capacity];
    bool struck = false;
    POINT impact;
};

struct ShotTrace {
    ShellTrace shells[traced_shells];
};

// Forgets the last shot: called as a new shot leaves.
void clear_trace(ShotTrace& trace);

// Takes this tick's positions of the three shells: a point for each shell
// in flight, the impact point for each that has just struck.
void record_trace(ShotTrace& trace, const World& world);

// Dots for the points and a cross for each impact, in view coordinates.
void draw_trace(const ShotTrace& trace, Surface& frame, int view_x, int view_y);

}  // namespace qm

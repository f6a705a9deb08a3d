// Runs of one colour along each terrain row, all six stripes side by side:
// a terrain row in a few numbers, for drawing a moved view from what changed
// rather than from every pixel. Kept in step with the stripes by whoever
// reads them.
#pragma once

#include <vector>

#include "terrain/terrain_raster.h"

namespace qm {

constexpr int terrain_row_width = stripe_count * stripe_size;

// Pixels [end of the run before, end) of a terrain row hold `colour`.
struct ColourRun {
    int end = 0;  // terrain x past the run's last pixel, 0 at stripe 0's column 0
    COLORREF colour = 0;
};

class ColourRuns {
public:
    // Most runs a row keeps; a row with more is left to be copied pixel by pixel.
    static constexpr int max_runs = 64;

    // Room for every row, so that keeping the runs never allocates.
    void make_room();
    bool has_room() const { return !rows_.empty(); }

    // The runs no longer say what the stripes hold (written directly).
    void forget() { built_ = false; }
    bool built() const { return built_; }

    // Every row read from the stripes. Needs room.
    void build(const TerrainStripes& terrain);

    // Row y's pixels at terrain x [from, to) were changed: read them again.
    void reread(const TerrainStripes& terrain, int y, int from, int to);

    // Row y's runs in order of x, covering the whole row; null when it has
    // more than max_runs.
    const ColourRun* row(int y, int& count) const;

    // One row's runs, as they are read left to right.
    struct Row {
        int count = 0;  // -1 once more than max_runs were added
        ColourRun runs[max_runs];

        // Pixels up to `end` hold `colour`; joins the last run when it is the same colour.
        void add(int end, COLORREF colour);
    };

private:

    std::vector<Row> rows_;  // one per stripe row, or none before make_room
    bool built_ = false;
};

}  // namespace qm

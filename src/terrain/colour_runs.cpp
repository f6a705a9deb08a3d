// Reading terrain rows into runs, and splicing a changed stretch back in.
#include "terrain/colour_runs.h"

#include <algorithm>
#include <cassert>

namespace qm {

namespace {

// What a drawing of the stripes shows where a stripe is smaller than its
// place (one never made): the black backing under them.
constexpr COLORREF unmade_colour = 0x00000000;

// Adds the runs of terrain row y between terrain x `from` and `to`.
void read_pixels(const TerrainStripes& terrain, int y, int from, int to, ColourRuns::Row& out)
{
    for (int x = from; x < to;) {
        const Surface& stripe = terrain.ground[x / stripe_size];
        const int stripe_left = x - x % stripe_size;
        const int stop = std::min(to, stripe_left + stripe_size);
        const int made_to = y < stripe.height() ? std::min(stop, stripe_left + stripe.width()) : x;
        if (x < made_to) {
            const COLORREF* row = stripe.row(y) - stripe_left;
            while (x < made_to) {
                const COLORREF c = row[x];
                while (++x < made_to && row[x] == c) {
                }
                out.add(x, c);
            }
        }
        if (x < stop) {
            out.add(stop, unmade_colour);
            x = stop;
        }
    }
}

}  // namespace

void ColourRuns::Row::add(int end, COLORREF colour)
{
    if (count < 0) return;
    if (count > 0 && runs[count - 1].colour == colour) {
        runs[count - 1].end = end;
    } else if (count == max_runs) {
        count = -1;
    } else {
        runs[count++] = ColourRun{end, colour};
    }
}

void ColourRuns::make_room() { rows_.resize(stripe_size); }

void ColourRuns::build(const TerrainStripes& terrain)
{
    assert(has_room());
    for (int y = 0; y < stripe_size; ++y) {
        Row& r = rows_[static_cast<std::size_t>(y)];
        r.count = 0;
        read_pixels(terrain, y, 0, terrain_row_width, r);
    }
    built_ = true;
}

void ColourRuns::reread(const TerrainStripes& terrain, int y, int from, int to)
{
    Row& r = rows_[static_cast<std::size_t>(y)];
    // A row with too many runs stays so until the next build.
    if (r.count < 0 || from >= to) return;
    Row list;
    int i = 0;
    for (; r.runs[i].end <= from; ++i) list.add(r.runs[i].end, r.runs[i].colour);
    const int run_start = i == 0 ? 0 : r.runs[i - 1].end;
    if (run_start < from) list.add(from, r.runs[i].colour);  // run i's part before `from`
    read_pixels(terrain, y, from, to, list);
    while (i < r.count && r.runs[i].end <= to) ++i;
    for (; i < r.count; ++i) list.add(r.runs[i].end, r.runs[i].colour);
    r = list;
}

const ColourRun* ColourRuns::row(int y, int& count) const
{
    const Row& r = rows_[static_cast<std::size_t>(y)];
    count = r.count;
    return r.count < 0 ? nullptr : r.runs;
}

}  // namespace qm

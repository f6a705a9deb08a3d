// What the backdrop of one view is made of: where its grid lies, where the
// stripes' backing lies in the frame, and its colours. Shared by drawing a
// backdrop in place and moving one to a new view.
#pragma once

#include <algorithm>

#include "sim/frame.h"
#include "sim/world.h"
#include "terrain/colour_runs.h"

namespace qm {

constexpr COLORREF grid_colour = 0x00C9CFC9;  // pale grey-green
constexpr int grid_spacing = 100;             // world pixels between grid lines
constexpr int terrain_width = terrain_right - terrain_left;

// Where the grid lies in the frame. Each line is drawn from 1 to the far
// edge with a two-pixel pen, which covers its own pixel and the one before:
// a vertical line through column X covers columns X - 1 and X of rows 1 to
// 599, a horizontal one through row Y rows Y - 1 and Y of columns 1 to 799.
// Truncating remainders keep the lines on world multiples of 100.
struct Grid {
    static constexpr int vertical_lines = frame_width / grid_spacing + 1;
    static constexpr int horizontal_lines = frame_height / grid_spacing + 1;

    int columns[2 * vertical_lines] = {};
    int column_count = 0;
    bool on_row[frame_height] = {};  // rows a horizontal line covers
    POINT last_end;  // where the last line leaves the current position

    Grid(int cam_x, int cam_y)
    {
        const int r_x = cam_x % grid_spacing;
        const int r_y = cam_y % grid_spacing;
        for (int i = 0; i < vertical_lines; ++i) {
            const int x = grid_spacing * i - r_x;
            for (int c : {x - 1, x}) {
                if (c >= 0 && c < frame_width) columns[column_count++] = c;
            }
        }
        for (int i = 0; i < horizontal_lines; ++i) {
            const int y = grid_spacing * i - r_y;
            for (int r : {y - 1, y}) {
                if (r >= 0 && r < frame_height) on_row[r] = true;
            }
        }
        last_end = {frame_width, grid_spacing * (horizontal_lines - 1) - r_y};
    }

    // The grid's pixels among columns [from, to) of row y.
    void draw(COLORREF* row, int y, int from, int to) const
    {
        if (on_row[y]) {
            for (int x = std::max(from, 1); x < to; ++x) row[x] = grid_colour;
        }
        if (y < 1) return;
        for (int i = 0; i < column_count; ++i) {
            if (columns[i] >= from && columns[i] < to) row[columns[i]] = grid_colour;
        }
    }
};

// Everything the backdrop of one view needs: the grid, the frame's standing
// colours, and the black backing under the stripes in frame coordinates
// (right and bottom excluded) with the columns of it that show.
struct View {
    View(const World& world, int cam_x, int cam_y)
        : grid(cam_x, cam_y),
          edge(world.memoria.pen.color),
          sky(world.memoria.brush.color),
          left(static_cast<long long>(terrain_left) - cam_x),
          right(left + terrain_width),
          top(static_cast<long long>(terrain_top) - cam_y),
          bottom(top + stripe_size),
          x_begin(static_cast<int>(std::clamp<long long>(left, 0, frame_width))),
          x_end(static_cast<int>(std::clamp<long long>(right, 0, frame_width))),
          sky_runs{{1, edge}, {frame_width - 1, sky}, {frame_width, edge}}
    {
    }

    Grid grid;
    COLORREF edge;
    COLORREF sky;
    long long left;
    long long right;
    long long top;
    long long bottom;
    int x_begin;
    int x_end;
    ColourRun sky_runs[3];  // a row of sky as runs along the frame
};

// Columns [from, to) of frame row y, composed from sky, stripes and grid.
void compose_span(World& world, const View& v, int y, int from, int to);

// Per frame row, the pixels that no longer show the backdrop of view
// `shown`: those marked as drawn over since it was drawn, and those that
// showed terrain the stripes' marks say has changed since (craters).
void stale_spans(const World& world, const View& shown, RowSpan* spans);

// The frame shows the backdrop of view `was`, with whatever was drawn over
// it since marked as changed: moves it to view v, storing only the pixels
// that differ, the marked ones and those the old view showed of terrain
// that changed.
void redraw_moved(World& world, const View& was, const View& v);

// Brings world.backdrop.runs, once built, up to the stripes' changes since
// the last backdrop.
void keep_runs(World& world);

}  // namespace qm

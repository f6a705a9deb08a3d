// Moving the backdrop to a new view: each terrain row is known as runs of
// one colour, so a row changes only where the old view's runs and the new
// one's differ, and where the vertical grid lines were and now are.
#include "sim/backdrop_view.h"

namespace qm {

namespace {

// A view's backdrop along one frame row, as runs of one colour: frame x is
// the runs' x plus shift.
struct RowRuns {
    const ColourRun* runs = nullptr;
    int count = 0;
    long long shift = 0;

    // The run under frame x 0.
    const ColourRun* first() const
    {
        return std::upper_bound(runs, runs + count, -shift,
                                [](long long x, const ColourRun& r) { return x < r.end; });
    }
};

// Row y of view v as runs, when it is sky alone or terrain alone: not the
// frame's top or bottom edge, no horizontal grid line, no outline of the
// backing, no terrain row with too many runs.
bool row_runs(const World& world, const View& v, int y, RowRuns& out)
{
    if (y == 0 || y == frame_height - 1 || v.grid.on_row[y]) return false;
    if (y < v.top || y >= v.bottom) {
        out = RowRuns{v.sky_runs, 3, 0};
        return true;
    }
    if (y == v.top || y == v.bottom - 1 || v.left >= 0 || v.right <= frame_width) return false;
    out.runs = world.backdrop.runs.row(static_cast<int>(y - v.top), out.count);
    out.shift = v.left;
    return out.runs != nullptr;
}

// Runs along one frame row, as frame x where each ends and its colour.
struct FrameRuns {
    int ends[ColourRuns::max_runs];
    COLORREF colours[ColourRuns::max_runs];
    int count = 0;

    void add(int end, COLORREF colour)
    {
        ends[count] = end;
        colours[count++] = colour;
    }
};

// The old grid's columns of a row back to the new view's colours; both the
// columns and the runs go left to right.
void restore_columns(COLORREF* row, const FrameRuns& after, const Grid& old_grid)
{
    int k = 0;
    for (int i = 0; i < old_grid.column_count; ++i) {
        const int c = old_grid.columns[i];
        while (after.ends[k] <= c) ++k;
        row[c] = after.colours[k];
    }
}

// Frame row y from the backdrop of view `was` to that of view v: stores the
// pixels whose colour differs and those of `redraw`, which no longer show
// the old backdrop, then moves the vertical grid lines. False, with the row
// untouched, when a view's row is not runs alone.
bool move_row(World& world, const View& was, const View& v, int y, const RowSpan& redraw)
{
    RowRuns before;
    RowRuns after;
    if (!row_runs(world, was, y, before) || !row_runs(world, v, y, after)) return false;
    COLORREF* row = world.memoria.row(y);
    const ColourRun* b = before.first();
    const ColourRun* a = after.first();
    FrameRuns shown;
    for (int x = 0; x < frame_width;) {
        const long long b_end = b->end + before.shift;
        const long long a_end = a->end + after.shift;
        const int end = static_cast<int>(std::min<long long>({b_end, a_end, frame_width}));
        if (a->colour != b->colour) {
            std::fill(row + x, row + end, a->colour);
        } else {
            const int from = std::max(x, redraw.from);
            const int to = std::min(end, redraw.to);
            if (from < to) std::fill(row + from, row + to, a->colour);
        }
        if (a_end == end || end == frame_width) shown.add(end, a->colour);
        if (b_end == end) ++b;
        if (a_end == end) ++a;
        x = end;
    }
    restore_columns(row, shown, was.grid);
    for (int i = 0; i < v.grid.column_count; ++i) row[v.grid.columns[i]] = grid_colour;
    return true;
}

}  // namespace

void redraw_moved(World& world, const View& was, const View& v)
{
    ColourRuns& runs = world.backdrop.runs;
    if (!runs.built()) runs.build(world);
    RowSpan spans[frame_height];
    stale_spans(world, was, spans);
    for (int y = 0; y < frame_height; ++y) {
        if (!move_row(world, was, v, y, spans[y])) compose_span(world, v, y, 0, frame_width);
    }
}

void keep_runs(World& world)
{
    ColourRuns& runs = world.backdrop.runs;
    if (!runs.built()) return;
    for (int i = 0; i < stripe_count; ++i) {
        const Surface& stripe = world.ground[i];
        for (int r = stripe.first_changed_row(); r < stripe.last_changed_row(); ++r) {
            const RowSpan& c = stripe.changed(r);
            runs.reread(world, r, i * stripe_size + c.from, i * stripe_size + c.to);
        }
    }
}

}  // namespace qm

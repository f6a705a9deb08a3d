// The backdrop: sky, terrain (the stripes as if OR-ed over a black backing)
// and a 100-pixel grid composed in one pass. While the view stays where it
// is, a tick redraws only the pixels drawn over since the last one and the
// terrain that changed; a moved view goes to backdrop_move.cpp.
#include <cassert>
#include <cstring>

#include "sim/backdrop_view.h"
#include "sim/background.h"

namespace qm {

namespace {

constexpr COLORREF backing_colour = 0x00000000;  // under the stripes, so OR shows them as stored

// Kept out of line so that the copy goes to the C library's memcpy, which
// picks the machine's widest vector copy at run time.
[[gnu::noinline]] void copy_pixels(COLORREF* to, const COLORREF* from, int count)
{
    std::memcpy(to, from, static_cast<std::size_t>(count) * sizeof(COLORREF));
}

// One row of sky over frame columns [from, to): the standing brush inside,
// the standing pen's one-pixel outline along the frame's edges.
void sky_span(COLORREF* row, int y, int from, int to, COLORREF edge, COLORREF sky)
{
    if (from >= to) return;
    const COLORREF c = y == 0 || y == frame_height - 1 ? edge : sky;
    for (int x = from; x < to; ++x) row[x] = c;
    if (from == 0) row[0] = edge;
    if (to == frame_width) row[frame_width - 1] = edge;
}

}  // namespace

// Inside the backing, 0 | stripe is a plain copy; on its one-pixel outline
// the pen's colour is OR-ed in. The grid goes over the row while it is at
// hand. Drawing a span again gives the same pixels, so spans may overlap.
void compose_span(World& world, const View& v, int y, int from, int to)
{
    COLORREF* row = world.memoria.row(y);
    const int t_begin = std::clamp(v.x_begin, from, to);
    const int t_end = std::clamp(v.x_end, from, to);
    if (y < v.top || y >= v.bottom || t_begin >= t_end) {
        sky_span(row, y, from, to, v.edge, v.sky);
        v.grid.draw(row, y, from, to);
        return;
    }
    sky_span(row, y, from, t_begin, v.edge, v.sky);
    sky_span(row, y, t_end, to, v.edge, v.sky);

    const int stripe_y = static_cast<int>(y - v.top);
    for (int x = t_begin; x < t_end;) {
        const int terrain_x = static_cast<int>(x - v.left);
        const Surface& stripe = world.ground[terrain_x / stripe_size];
        const int stripe_x = terrain_x % stripe_size;
        const int run = std::min(stripe_size - stripe_x, t_end - x);
        // A stripe smaller than its place (one never made) leaves the backing.
        int copied = 0;
        if (stripe_y < stripe.height()) {
            copied = std::clamp(stripe.width() - stripe_x, 0, run);
            copy_pixels(row + x, stripe.row(stripe_y) + stripe_x, copied);
        }
        for (int i = copied; i < run; ++i) row[x + i] = backing_colour;
        x += run;
    }

    if (y == v.top || y == v.bottom - 1) {
        for (int x = t_begin; x < t_end; ++x) row[x] |= v.edge;
    } else {
        if (v.left >= t_begin && v.left < t_end) row[v.left] |= v.edge;
        if (v.right - 1 >= t_begin && v.right - 1 < t_end) row[v.right - 1] |= v.edge;
    }
    v.grid.draw(row, y, from, to);
}

void stale_spans(const World& world, const View& shown, RowSpan* spans)
{
    const Surface& frame = world.memoria;
    for (int y = frame.first_changed_row(); y < frame.last_changed_row(); ++y) spans[y] = frame.changed(y);
    for (int i = 0; i < stripe_count; ++i) {
        const Surface& stripe = world.ground[i];
        const long long stripe_left = shown.left + static_cast<long long>(i) * stripe_size;
        for (int r = stripe.first_changed_row(); r < stripe.last_changed_row(); ++r) {
            const long long y = shown.top + r;
            const RowSpan& c = stripe.changed(r);
            if (y < 0 || y >= frame_height || c.empty()) continue;
            spans[y].add(static_cast<int>(std::clamp<long long>(stripe_left + c.from, 0, frame_width)),
                         static_cast<int>(std::clamp<long long>(stripe_left + c.to, 0, frame_width)));
        }
    }
}

namespace {

// The frame shows the backdrop of this very view, with whatever was drawn
// over it since marked as changed: redraws those pixels and the terrain
// that changed under them.
void redraw_changes(World& world, const View& v)
{
    RowSpan spans[frame_height];
    stale_spans(world, v, spans);
    for (int y = 0; y < frame_height; ++y) {
        if (!spans[y].empty()) compose_span(world, v, y, spans[y].from, spans[y].to);
    }
}

// The frame shows a backdrop in the colours of view v.
bool same_colours(const BackdropView& last, const View& v)
{
    return last.drawn && last.edge == v.edge && last.sky == v.sky;
}

// The frame still shows the last backdrop's view in the same colours.
bool same_view(const BackdropView& last, int cam_x, int cam_y, const View& v)
{
    return same_colours(last, v) && last.cam_x == cam_x && last.cam_y == cam_y;
}

}  // namespace

void draw_backdrop(World& world, int cam_x, int cam_y)
{
    Surface& frame = world.memoria;
    const View v(world, cam_x, cam_y);
    frame.current = v.grid.last_end;
    // The frame is made 800 by 600 with a one-pixel pen (init_DCs); before
    // it is made there is nothing to draw on.
    if (frame.width() != frame_width || frame.height() != frame_height) return;
    assert(frame.pen.width <= 1);

    BackdropView& last = world.backdrop;
    keep_runs(world);
    if (same_view(last, cam_x, cam_y, v)) {
        redraw_changes(world, v);
    } else if (same_colours(last, v) && last.runs.has_room()) {
        redraw_moved(world, View(world, last.cam_x, last.cam_y), v);
    } else {
        for (int y = 0; y < frame_height; ++y) compose_span(world, v, y, 0, frame_width);
    }
    frame.clear_changed();
    for (Surface& stripe : world.ground) stripe.clear_changed();
    last.drawn = true;
    last.cam_x = cam_x;
    last.cam_y = cam_y;
    last.edge = v.edge;
    last.sky = v.sky;
}

void forget_backdrop(World& world)
{
    world.backdrop.drawn = false;
    world.backdrop.runs.forget();
}

}  // namespace qm

// Copying the kept gauge. Drawing is the same wherever it happens: every
// shape of the gauge is placed by whole pixels from its centre, and clipping
// never moves a pixel, so a copy of the picture is the gauge drawn in place.
#include "bodies/aim_gauge_picture.h"

#include <algorithm>

#include "bodies/aim_gauge.h"
#include "bodies/aim_gauge_shape.h"

namespace qm {

namespace {

// Wider than the dial, whose shapes stay within its radius of the centre.
constexpr int picture_centre = aim_dial_radius + 8;
constexpr int picture_size = 2 * picture_centre;
// Not a colour any shape draws in (their top byte is 0).
constexpr COLORREF undrawn = 0xFF000000;

}  // namespace

AimGaugePicture::AimGaugePicture() : picture_(picture_size, picture_size) {}

// The frame's fill mode plays no part: the gauge's one polygon is a
// triangle, which both fill rules fill alike.
void AimGaugePicture::redraw(double vang, int s)
{
    std::fill(picture_.data(), picture_.data() + picture_size * picture_size, undrawn);
    picture_.clear_changed();
    draw_aim(picture_, vang, picture_centre, picture_centre, 0, 0, s);
    vang_ = vang;
    s_ = s;
}

void AimGaugePicture::draw(Surface& frame, double vang, int x, int y, int view_x, int view_y, int s)
{
    // Frame position of the picture's top-left pixel.
    const long long left = static_cast<long long>(x) - view_x - picture_centre;
    const long long top = static_cast<long long>(y) - view_y - picture_centre;
    if (left >= frame.width() || top >= frame.height() || left + picture_size <= 0 || top + picture_size <= 0) {
        // Nothing shows (a shot worked out off screen): drawing clips it all
        // away at once and only sets the current position.
        draw_aim(frame, vang, x, y, view_x, view_y, s);
        return;
    }
    if (s != s_ || vang != vang_) redraw(vang, s);
    for (int r = 0; r < picture_size; ++r) {
        const long long frame_y = top + r;
        const RowSpan& drawn = picture_.changed(r);
        const long long from = std::max<long long>(drawn.from, -left);
        const long long to = std::min<long long>(drawn.to, frame.width() - left);
        if (frame_y < 0 || frame_y >= frame.height() || from >= to) continue;
        const COLORREF* p = picture_.row(r);
        COLORREF* d = frame.row(static_cast<int>(frame_y)) + (left + from);
        for (long long i = from; i < to; ++i, ++d) *d = p[i] == undrawn ? *d : p[i];
        frame.mark_changed(static_cast<int>(frame_y), static_cast<int>(left + from), static_cast<int>(left + to));
    }
    frame.current = POINT{static_cast<int>(picture_.current.x + left), static_cast<int>(picture_.current.y + top)};
}

}  // namespace qm

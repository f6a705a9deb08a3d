// Raster surfaces of 32-bit pixels and the drawing operations the simulator
// relies on. Pixel values are stored exactly as given (0x00BBGGRR), so the
// terrain stripes and the hit-test scratch surface double as data.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace qm {

using COLORREF = std::uint32_t;  // 0x00BBGGRR: blue high, red low

// What GetPixel answers for a point outside the surface.
constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;

struct POINT {
    int x = 0;
    int y = 0;
};

// A solid pen. Width 0 and 1 both draw one pixel wide.
struct Pen {
    int width = 0;
    COLORREF color = 0x00000000;
};

// A solid brush.
struct Brush {
    COLORREF color = 0x00FFFFFF;
};

enum class FillMode { alternate, winding };

// Columns [from, to) of one row; nothing when from >= to.
struct RowSpan {
    int from = 0;
    int to = 0;

    bool empty() const { return from >= to; }
    // The smallest span holding both.
    void add(int a, int b)
    {
        if (a >= b) return;
        if (empty()) {
            from = a;
            to = b;
            return;
        }
        from = std::min(from, a);
        to = std::max(to, b);
    }
};

enum class Rop {
    srccopy,   // destination = source
    srcpaint,  // destination = destination | source
};

// A raster with a standing pen, brush, polygon fill mode and current
// position. Drawing calls without their own tools use the standing ones;
// calls that take a pen and brush use those for that one shape and leave the
// standing ones as they were, which is how every routine that creates its own
// pen and brush behaves.
class Surface {
public:
    Surface() = default;
    Surface(int width, int height);  // every pixel 0x00000000

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0; }

    COLORREF* data() { return pixels_.data(); }
    const COLORREF* data() const { return pixels_.data(); }
    COLORREF* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const COLORREF* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }

    // What the drawing calls below have changed since the last clear: per
    // row, the span from the leftmost to the rightmost pixel they stored.
    // A cache of what the surface shows (the frame's background) reads it to
    // redraw only those pixels. Direct writes through row() are not seen.
    const RowSpan& changed(int y) const { return changed_[static_cast<std::size_t>(y)]; }
    // Rows [first, last) hold every changed row.
    int first_changed_row() const { return changed_rows_.from; }
    int last_changed_row() const { return changed_rows_.to; }
    // Both take a block already clipped to the surface.
    void mark_changed(int y, int from, int to)
    {
        changed_[static_cast<std::size_t>(y)].add(from, to);
        changed_rows_.add(y, y + 1);
    }
    void mark_changed(int top, int bottom, int from, int to)
    {
        if (top >= bottom || from >= to) return;
        for (int y = top; y < bottom; ++y) changed_[static_cast<std::size_t>(y)].add(from, to);
        changed_rows_.add(top, bottom);
    }
    void clear_changed();

    Pen pen;                                  // standing pen
    Brush brush;                              // standing brush
    FillMode fill_mode = FillMode::alternate; // polygon fill rule
    POINT current;                            // position for LineTo

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<COLORREF> pixels_;
    std::vector<RowSpan> changed_;  // one per row
    RowSpan changed_rows_;          // rows, not columns
};

// Pixel access. GetPixel answers CLR_INVALID outside the surface; SetPixel
// ignores such points. Both are inline: the terrain and hit tests read
// hundreds of single pixels a tick.
inline COLORREF GetPixel(const Surface& s, int x, int y)
{
    if (x < 0 || y < 0 || x >= s.width() || y >= s.height()) return CLR_INVALID;
    return s.row(y)[x];
}

inline void SetPixel(Surface& s, int x, int y, COLORREF color)
{
    if (x < 0 || y < 0 || x >= s.width() || y >= s.height()) return;
    s.row(y)[x] = color;
    s.mark_changed(y, x, x + 1);
}

// Shapes. Boxes run from (left, top) up to but excluding (right, bottom);
// everything is clipped to the surface.
void Rectangle(Surface& s, int left, int top, int right, int bottom);
void Rectangle(Surface& s, const Pen& pen, const Brush& brush, int left, int top, int right, int bottom);

// The ellipse inscribed in the box.
void Ellipse(Surface& s, int left, int top, int right, int bottom);
void Ellipse(Surface& s, const Pen& pen, const Brush& brush, int left, int top, int right, int bottom);

// The wedge of the ellipse in the box from the radial through (xs, ys)
// counter-clockwise on screen to the radial through (xe, ye).
void Pie(Surface& s, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye);
void Pie(Surface& s, const Pen& pen, const Brush& brush, int left, int top, int right, int bottom, int xs,
         int ys, int xe, int ye);

// A closed polygon, filled by the surface's fill mode and outlined.
void Polygon(Surface& s, const POINT* points, int count);
void Polygon(Surface& s, const Pen& pen, const Brush& brush, const POINT* points, int count);

// Lines from the current position; the end point is not drawn and becomes
// the current position.
void MoveToEx(Surface& s, int x, int y);
void LineTo(Surface& s, int x, int y);
void LineTo(Surface& s, const Pen& pen, int x, int y);

// Block transfers, clipped to both surfaces.
void BitBlt(Surface& dst, int x, int y, int width, int height, const Surface& src, int src_x, int src_y, Rop rop);
void StretchBlt(Surface& dst, int x, int y, int width, int height, const Surface& src, int src_x, int src_y,
                int src_width, int src_height);

// Black text on opaque white cells; the first cell's top-left corner at (x, y).
void TextOutA(Surface& s, int x, int y, const char* text, int length);

}  // namespace qm

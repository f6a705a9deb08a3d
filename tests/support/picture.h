// Test helpers for the drawing tests: surfaces as text pictures, and the
// check that clipping never moves a pixel.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "raster/surface.h"

namespace qm::testing {

// Colours the pictures use.
constexpr COLORREF paper = 0;  // '.'
constexpr COLORREF ink = 1;    // '#', the pen
constexpr COLORREF fill = 2;   // 'o', the brush
inline const Pen pen1{1, ink};
inline const Pen pen2{2, ink};
inline const Brush brush{fill};

// One character per pixel, each row on a line of its own after a leading
// newline, so that a raw string literal can hold the expected picture.
inline std::string picture(const Surface& s)
{
    std::string out = "\n";
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            const COLORREF c = GetPixel(s, x, y);
            out += c == paper ? '.' : c == ink ? '#' : c == fill ? 'o' : '?';
        }
        out += '\n';
    }
    return out;
}

inline std::string draw(int width, int height, const std::function<void(Surface&)>& shape)
{
    Surface s(width, height);
    shape(s);
    return picture(s);
}

inline std::string blank(int width, int height)
{
    return draw(width, height, [](Surface&) {});
}

// Draws the shape (given relative to an origin) on a large surface where it
// lies wholly inside, and on small surfaces where it lies partly outside on
// every side; each small surface must show exactly its window of the large
// one. The hit test relies on this: a body drawn on the scratch surface and
// on the frame covers the same pixels.
inline void expect_clipping_keeps_pixels(const std::function<void(Surface&, int, int)>& shape)
{
    constexpr int big = 96;
    constexpr int origin = 48;
    constexpr int small = 20;
    Surface whole(big, big);
    shape(whole, origin, origin);
    for (int wy = 0; wy + small <= big; wy += 7) {
        for (int wx = 0; wx + small <= big; wx += 7) {
            Surface part(small, small);
            shape(part, origin - wx, origin - wy);
            for (int y = 0; y < small; ++y) {
                for (int x = 0; x < small; ++x) {
                    ASSERT_EQ(GetPixel(part, x, y), GetPixel(whole, wx + x, wy + y))
                        << "window at (" << wx << ", " << wy << "), pixel (" << x << ", " << y << ")";
                }
            }
        }
    }
}

}  // namespace qm::testing

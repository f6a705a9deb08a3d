// Text: each character is an 8 by 16 cell of the fixed font, black ink on an
// opaque white background, cells running to the right from (x, y).
#include <algorithm>
#include <array>

#include "raster/font.h"
#include "raster/raster.h"
#include "raster/surface.h"

namespace qm {

namespace {

constexpr COLORREF ink = 0x00000000;
constexpr COLORREF paper = 0x00FFFFFF;

// The pixels of each of the 256 glyph row bytes, worked out when compiling,
// so that a row of a cell is copied instead of chosen pixel by pixel.
using RowPixels = std::array<COLORREF, font_width>;
constexpr std::array<RowPixels, 256> row_pixels = [] {
    std::array<RowPixels, 256> table{};
    for (unsigned bits = 0; bits < 256; ++bits) {
        for (int k = 0; k < font_width; ++k) table[bits][k] = (bits >> (font_width - 1 - k)) & 1u ? ink : paper;
    }
    return table;
}();

// Bytes outside printable ASCII show as an empty cell.
int glyph_of(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return code >= 0x20 && code < 0x7F ? code : ' ';
}

}  // namespace

void TextOutA(Surface& s, int x, int y, const char* text, int length)
{
    if (text == nullptr || length <= 0) return;
    using raster::i64;
    const i64 row_begin = std::max<i64>(y, 0);
    const i64 row_end = std::min<i64>(i64{y} + font_height, s.height());
    if (row_begin >= row_end) return;
    const i64 text_end = i64{x} + i64{length} * font_width;
    s.mark_changed(static_cast<int>(row_begin), static_cast<int>(row_end), static_cast<int>(std::max<i64>(x, 0)),
                   static_cast<int>(std::min<i64>(text_end, s.width())));

    for (int i = 0; i < length; ++i) {
        const i64 cell_x = i64{x} + i64{i} * font_width;
        if (cell_x >= s.width()) break;
        if (cell_x + font_width <= 0) continue;
        const unsigned char* glyph = font_glyphs[glyph_of(text[i])];
        // The columns of the cell on the surface, from the cell's own left.
        const i64 first = std::max<i64>(cell_x, 0) - cell_x;
        const i64 end = std::min<i64>(cell_x + font_width, s.width()) - cell_x;
        for (i64 py = row_begin; py < row_end; ++py) {
            const RowPixels& pixels = row_pixels[glyph[py - y]];
            COLORREF* row = s.row(static_cast<int>(py));
            if (first == 0 && end == font_width) {
                std::copy_n(pixels.begin(), font_width, row + cell_x);  // a whole cell: a copy of fixed size
            } else {
                std::copy(pixels.begin() + first, pixels.begin() + end, row + (cell_x + first));
            }
        }
    }
}

}  // namespace qm

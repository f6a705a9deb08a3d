// Text: each character is an 8 by 16 cell of the fixed font, black ink on an
// opaque white background, cells running to the right from (x, y).
#include <algorithm>

#include "raster/font.h"
#include "raster/raster.h"
#include "raster/surface.h"

namespace qm {

namespace {

constexpr COLORREF ink = 0x00000000;
constexpr COLORREF paper = 0x00FFFFFF;

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
        const i64 col_begin = std::max<i64>(cell_x, 0);
        const i64 col_end = std::min<i64>(cell_x + font_width, s.width());
        if (col_begin == cell_x && col_end == cell_x + font_width) {
            // A whole cell: eight pixels a row, a loop the compiler unrolls.
            for (i64 py = row_begin; py < row_end; ++py) {
                const unsigned bits = glyph[py - y];
                COLORREF* cell = s.row(static_cast<int>(py)) + cell_x;
                for (int k = 0; k < font_width; ++k) cell[k] = (bits >> (font_width - 1 - k)) & 1u ? ink : paper;
            }
            continue;
        }
        for (i64 py = row_begin; py < row_end; ++py) {
            const unsigned bits = glyph[py - y];
            COLORREF* row = s.row(static_cast<int>(py));
            for (i64 px = col_begin; px < col_end; ++px) {
                const bool set = (bits >> (font_width - 1 - (px - cell_x))) & 1u;
                row[px] = set ? ink : paper;
            }
        }
    }
}

}  // namespace qm

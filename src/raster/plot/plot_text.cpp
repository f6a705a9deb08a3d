// Chart text: the console font's ink in any colour over whatever lies
// beneath, across or turned upwards (for a y axis name).
#include "raster/font.h"
#include "raster/plot/plot.h"

namespace qm::plot {

void draw_text(Surface& s, int x, int y, std::string_view text, COLORREF colour, bool upwards)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto code = static_cast<unsigned char>(text[i]);
        const unsigned char* glyph = font_glyphs[code >= 0x20 && code < 0x7F ? code : ' '];
        const int offset = static_cast<int>(i) * font_width;
        for (int row = 0; row < font_height; ++row) {
            for (int col = 0; col < font_width; ++col) {
                if (((glyph[row] >> (font_width - 1 - col)) & 1u) == 0) continue;
                // Turned a quarter left: the glyph's rows become columns.
                if (upwards) {
                    SetPixel(s, x + row, y - offset - col, colour);
                } else {
                    SetPixel(s, x + offset + col, y + row, colour);
                }
            }
        }
    }
}

}  // namespace qm::plot

// The fixed 8 by 16 font of the text cells. The glyph table is generated from
// a console font of the build machine when the library is built, so text
// comes out pixel for pixel the same everywhere.
#pragma once

namespace qm {

constexpr int font_width = 8;
constexpr int font_height = 16;
constexpr int font_glyph_count = 256;

// Glyph g, row r: bit 7 is the leftmost pixel, a set bit is ink. Printable
// ASCII characters sit at their own codes.
extern const unsigned char font_glyphs[font_glyph_count][font_height];

}  // namespace qm

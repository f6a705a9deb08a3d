// Text cells: placement of the first cell's corner, black ink on opaque
// white, the fixed font's glyphs, length and clipping.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>
#include <string>

#include "raster/font.h"
#include "raster/surface.h"

namespace qm {
namespace {

constexpr COLORREF black = 0x00000000;
constexpr COLORREF white = 0x00FFFFFF;
constexpr COLORREF backdrop = 0x00C0C0C0;

Surface silver(int w, int h)
{
    Surface s(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) SetPixel(s, x, y, backdrop);
    }
    return s;
}

// The 8 by 16 block at (x, y): '#' ink, '.' paper, '?' anything else.
std::string cell(const Surface& s, int x, int y)
{
    std::string out = "\n";
    for (int j = 0; j < font_height; ++j) {
        for (int i = 0; i < font_width; ++i) {
            const COLORREF c = GetPixel(s, x + i, y + j);
            out += c == black ? '#' : c == white ? '.' : '?';
        }
        out += '\n';
    }
    return out;
}

const char* const letter_a = R"(
........
........
...#....
..###...
.##.##..
##...##.
##...##.
#######.
##...##.
##...##.
##...##.
##...##.
........
........
........
........
)";

TEST(Text, FirstCellHasItsTopLeftCornerAtThePoint)
{
    Surface s = silver(20, 20);
    TextOutA(s, 3, 2, "A", 1);
    EXPECT_EQ(cell(s, 3, 2), letter_a);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool in_cell = x >= 3 && x < 11 && y >= 2 && y < 18;
            if (!in_cell) {
                EXPECT_EQ(GetPixel(s, x, y), backdrop) << x << ", " << y;
            }
        }
    }
}

TEST(Text, CellsRunRightwardForTheGivenLength)
{
    Surface s = silver(40, 16);
    TextOutA(s, 0, 0, "A A?", 3);
    EXPECT_EQ(cell(s, 0, 0), letter_a);
    std::string blank = "\n";
    for (int j = 0; j < font_height; ++j) blank.append("........\n");
    EXPECT_EQ(cell(s, 8, 0), blank) << "a space is a white cell";
    EXPECT_EQ(cell(s, 16, 0), letter_a);
    EXPECT_EQ(GetPixel(s, 24, 5), backdrop) << "the fourth character is beyond the length";
}

// The HUD lines: every character cell is opaque black and white, and every
// visible character leaves some ink.
TEST(Text, HudLinesAreBlackOnWhite)
{
    Surface frame = silver(800, 600);
    const char* lines[] = {"Press 'Esc' to close", "ang: 50.0 pow: 2.50", "x: 0 y: 0 t: 1.23", " -7", "-120"};
    int y = 0;
    for (const char* line : lines) {
        const int length = static_cast<int>(std::strlen(line));
        TextOutA(frame, 620, y, line, length);
        for (int i = 0; i < length; ++i) {
            const std::string c = cell(frame, 620 + 8 * i, y);
            EXPECT_EQ(c.find('?'), std::string::npos) << line << " cell " << i;
            EXPECT_EQ(c.find('#') != std::string::npos, line[i] != ' ') << line << " cell " << i;
        }
        y += 20;
    }
}

TEST(Text, ClippedCellsKeepTheirPixels)
{
    Surface whole = silver(40, 40);
    TextOutA(whole, 12, 12, "Wg", 2);
    // Windows of the whole surface, each cutting the text on some side.
    for (const auto& [wx, wy] : {std::pair{15, 14}, std::pair{5, 20}, std::pair{16, 5}, std::pair{24, 24}}) {
        Surface part = silver(10, 10);
        TextOutA(part, 12 - wx, 12 - wy, "Wg", 2);
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 10; ++x) EXPECT_EQ(GetPixel(part, x, y), GetPixel(whole, wx + x, wy + y));
        }
    }
}

// Pixel (x + 8 i + k, y + r) is bit 7 - k of row r of character i's glyph,
// ink where set and paper where not; bytes outside printable ASCII are
// spaces; nothing else changes.
TEST(Text, EveryPixelIsItsGlyphsBit)
{
    std::mt19937 rng(20261207);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int i = 0; i < 1000; ++i) {
        const int x = pick(-40, 30);
        const int y = pick(-20, 30);
        char text[8];
        for (char& c : text) c = static_cast<char>(pick(0, 255));
        const int length = pick(0, 8);
        Surface drawn = silver(30, 24);
        TextOutA(drawn, x, y, text, length);
        for (int py = 0; py < 24; ++py) {
            for (int px = 0; px < 30; ++px) {
                const int i_cell = px - x >= 0 ? (px - x) / font_width : -1;
                COLORREF expected = backdrop;
                if (i_cell >= 0 && i_cell < length && py - y >= 0 && py - y < font_height) {
                    const auto code = static_cast<unsigned char>(text[i_cell]);
                    const int glyph = code >= 0x20 && code < 0x7F ? code : ' ';
                    const int bit = (font_glyphs[glyph][py - y] >> (font_width - 1 - (px - x) % font_width)) & 1;
                    expected = bit ? black : white;
                }
                ASSERT_EQ(GetPixel(drawn, px, py), expected)
                    << "text at " << x << ", " << y << ", pixel " << px << ", " << py;
            }
        }
    }
}

TEST(Text, OddInputDrawsBlankCellsOrNothing)
{
    Surface s = silver(24, 16);
    const char odd[] = {'\t', static_cast<char>(0xE9)};
    TextOutA(s, 0, 0, odd, 2);
    for (int x = 0; x < 16; ++x) EXPECT_EQ(GetPixel(s, x, 8), white);
    Surface untouched = silver(8, 8);
    TextOutA(untouched, 0, 0, nullptr, 3);
    TextOutA(untouched, 0, 0, "A", 0);
    TextOutA(untouched, 0, 0, "A", -1);
    TextOutA(untouched, INT_MAX, INT_MAX, "AAAA", 4);
    TextOutA(untouched, INT_MIN, 0, "AAAA", 4);
    EXPECT_EQ(GetPixel(untouched, 0, 0), backdrop);
}

}  // namespace
}  // namespace qm

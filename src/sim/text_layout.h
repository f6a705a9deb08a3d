// Text over the frame laid out before it is drawn: the boxes of its lines and
// of the white panel they sit in, long texts broken at spaces to the room
// there is, and panels placed clear of the HUD's lines. Laying out apart from
// drawing lets a test check that every line stays inside its panel.
#pragma once

#include "raster/font.h"
#include "raster/surface.h"

namespace qm {

// A box of pixels from (left, top) up to but excluding (right, bottom).
struct TextBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool holds(const TextBox& inner) const
    {
        return inner.left >= left && inner.top >= top && inner.right <= right && inner.bottom <= bottom;
    }
    bool meets(const TextBox& other) const
    {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
};

// The cells of `length` characters with their top-left corner at (x, y).
constexpr TextBox text_box(int x, int y, int length)
{
    return {x, y, x + length * font_width, y + font_height};
}

// One line: `length` characters from `text`, which outlives the layout.
struct TextLine {
    int x = 0;
    int y = 0;
    const char* text = nullptr;
    int length = 0;

    TextBox box() const { return text_box(x, y, length); }
};

// Where a panel's edge lies: its frame is drawn two pixels wide across the
// box's outline, so the panel covers a pixel more on every side.
constexpr int panel_edge_reach = 1;
// Text keeps this far inside a panel's box.
constexpr int panel_inset = 3;

constexpr int layout_lines = 80;

// A panel (or none) and its lines.
struct TextLayout {
    bool has_panel = false;
    TextBox panel;
    TextLine lines[layout_lines];
    int count = 0;
    int dropped = 0;  // lines that found no place in `lines`

    void add(int x, int y, const char* text, int length);
    void add(int x, int y, const char* text);
    // `text` broken at spaces into lines of at most `columns` cells from
    // (x, y) down, the lines after the first `indent` cells further right
    // (and that much narrower); answers the y under the last line.
    int add_wrapped(int x, int y, const char* text, int columns, int indent = 0);
    // Every line moved down by dy pixels.
    void shift(int dy);
    // The pixels the panel covers, its edge included.
    TextBox panel_reach() const;
    // Where text may lie: inside the panel, or the frame without one.
    TextBox room() const;
};

// How many lines add_wrapped makes of `text`.
int wrapped_line_count(const char* text, int columns, int indent = 0);

// Puts a panel from `left` to `right` around the lines, `margin` pixels
// under the last: under the HUD's top lines and above its aim line when it
// fits there, else over the whole frame (covering those lines whole rather
// than cutting through them). The lines are laid out from
// panel_top_in_band + margin down.
constexpr int panel_top_in_band = 48;
void place_panel(TextLayout& layout, int left, int right, int margin);

// The panel, then the lines, each in black on a white cell.
void draw_layout(Surface& frame, const TextLayout& layout);

}  // namespace qm

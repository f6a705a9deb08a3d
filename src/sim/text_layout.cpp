// Laying out text over the frame, and drawing what was laid out.
#include "sim/text_layout.h"

#include <cstring>

#include "sim/frame.h"
#include "sim/hud.h"

namespace qm {

namespace {

constexpr COLORREF panel_fill = 0x00FFFFFF;
constexpr COLORREF panel_edge = 0x00000000;
constexpr int panel_pen = 2;

// The next line of `text` (length `left`) in at most `columns` cells: broken
// at the last space that fits, or mid-word when a word alone is wider.
int line_length(const char* text, int left, int columns)
{
    if (left <= columns) return left;
    int take = columns;
    while (take > 0 && text[take] != ' ') --take;
    while (take > 0 && text[take - 1] == ' ') --take;  // the spaces at a break go
    return take == 0 ? columns : take;
}

// Walks the lines of `text`, calling line(text, length) for each.
template <class Line>
void each_wrapped_line(const char* text, int columns, int indent, Line line)
{
    int left = static_cast<int>(std::strlen(text));
    int width = columns;
    while (left > 0) {
        if (width < 1) width = 1;
        int take = line_length(text, left, width);
        line(text, take);
        while (take < left && text[take] == ' ') ++take;
        text += take;
        left -= take;
        width = columns - indent;
    }
}

}  // namespace

void TextLayout::add(int x, int y, const char* text, int length)
{
    if (count == layout_lines) {
        ++dropped;
        return;
    }
    lines[count++] = {x, y, text, length};
}

void TextLayout::add(int x, int y, const char* text) { add(x, y, text, static_cast<int>(std::strlen(text))); }

int TextLayout::add_wrapped(int x, int y, const char* text, int columns, int indent)
{
    int at_x = x;
    each_wrapped_line(text, columns, indent, [&](const char* line, int length) {
        add(at_x, y, line, length);
        y += font_height;
        at_x = x + indent * font_width;
    });
    return y;
}

void TextLayout::shift(int dy)
{
    for (int i = 0; i < count; ++i) lines[i].y += dy;
}

TextBox TextLayout::panel_reach() const
{
    return {panel.left - panel_edge_reach, panel.top - panel_edge_reach, panel.right + panel_edge_reach,
            panel.bottom + panel_edge_reach};
}

TextBox TextLayout::room() const
{
    if (!has_panel) return {0, 0, frame_width, frame_height};
    return {panel.left + panel_inset, panel.top + panel_inset, panel.right - panel_inset, panel.bottom - panel_inset};
}

int wrapped_line_count(const char* text, int columns, int indent)
{
    int lines = 0;
    each_wrapped_line(text, columns, indent, [&](const char*, int) { ++lines; });
    return lines;
}

void place_panel(TextLayout& layout, int left, int right, int margin)
{
    int bottom = panel_top_in_band;
    for (int i = 0; i < layout.count; ++i) {
        if (layout.lines[i].y + font_height > bottom) bottom = layout.lines[i].y + font_height;
    }
    bottom += margin;
    layout.has_panel = true;
    if (bottom + panel_edge_reach <= hud_aim_y) {
        layout.panel = {left, panel_top_in_band, right, bottom};
        return;
    }
    layout.shift(-panel_top_in_band);
    layout.panel = {panel_edge_reach, panel_edge_reach, frame_width - panel_edge_reach, frame_height - panel_edge_reach};
}

void draw_layout(Surface& frame, const TextLayout& layout)
{
    if (layout.has_panel) {
        const TextBox& p = layout.panel;
        Rectangle(frame, Pen{panel_pen, panel_edge}, Brush{panel_fill}, p.left, p.top, p.right, p.bottom);
    }
    for (int i = 0; i < layout.count; ++i) {
        const TextLine& line = layout.lines[i];
        TextOutA(frame, line.x, line.y, line.text, line.length);
    }
}

}  // namespace qm

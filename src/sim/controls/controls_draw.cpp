// The controls screen and the help, drawn over the frame.
#include "sim/controls/controls_draw.h"

#include <cstdio>
#include <cstring>

#include "sim/hud.h"
#include "sim/overlay_text.h"
#include "sim/world.h"

namespace qm {

namespace {

constexpr int line_height = 16;  // text cells are 8 by 16 pixels
constexpr COLORREF panel_fill = 0x00FFFFFF;
constexpr COLORREF panel_edge = 0x00000000;

constexpr int panel_left = 24, panel_top = 24, panel_right = 776;
constexpr int text_x = 40;
constexpr int inputs_x = 176;  // the inputs' column, right of the names
constexpr int note_line_cells = 88;  // a longer note goes on over a second line
// An action with eight long inputs would run past the panel: its row ends
// in "..." at the panel's edge.
constexpr int inputs_cells = (panel_right - 8 - inputs_x) / 8;

void panel(Surface& frame, int rows)
{
    Rectangle(frame, Pen{2, panel_edge}, Brush{panel_fill}, panel_left, panel_top, panel_right,
              panel_top + (rows + 1) * line_height);
}

// The note in lines of note_line_cells at most.
void draw_note(const char* note, OverlayWriter& out, int y)
{
    char line[note_line_cells + 1];
    for (std::size_t at = 0, length = std::strlen(note); at < length; at += note_line_cells, y += line_height) {
        std::snprintf(line, sizeof line, "%s", note + at);
        out.write(text_x, y, line);
    }
}

// The text cut to inputs_cells, its end marked, in `out`.
const char* fitted(const char* text, char (&out)[inputs_cells + 1])
{
    if (std::strlen(text) <= static_cast<std::size_t>(inputs_cells)) return text;
    std::snprintf(out, sizeof out, "%.*s...", inputs_cells - 3, text);
    return out;
}

// The keys' words name the page's buttons on a touch screen.
const char* title(const ControlsScreen& screen, bool touch)
{
    if (screen.capturing) {
        return touch ? "Press the key or button to add to the chosen action (Back: add none)"
                     : "Press the input to add to the chosen action (Esc: add none)";
    }
    if (screen.removing) return "Press the input to take from the chosen action (Esc: take none)";
    return touch ? "Controls - tap Up/Down, Change adds an input, Back closes"
                 : "Controls - Up/Down, Enter adds an input, Delete removes one, Backspace: default, Esc closes";
}

void draw_controls(const ControlsScreen& screen, OverlayWriter& out, bool touch)
{
    panel(out.frame, screen.count + 6);
    int y = panel_top + 8;
    out.write(text_x, y, title(screen, touch));
    y += 2 * line_height;
    char marked[controls_name_size + 2];
    char row[inputs_cells + 1];
    for (int i = 0; i < screen.count; ++i, y += line_height) {
        std::snprintf(marked, sizeof marked, "%s %s", i == screen.selected ? ">" : " ", screen.names[i]);
        out.write(text_x, y, marked);
        const bool waiting = i == screen.selected && (screen.capturing || screen.removing);
        out.write(inputs_x, y, waiting ? "..." : fitted(screen.inputs[i], row));
    }
    draw_note(screen.note, out, y + line_height);
}

void draw_help(const HelpScreen& help, OverlayWriter& out)
{
    panel(out.frame, help.count + 1);
    for (int i = 0; i < help.count; ++i) out.write(text_x, panel_top + 8 + i * line_height, help.lines[i]);
}

}  // namespace

void draw_controls_screens(World& world)
{
    OverlayWriter out(world.memoria, world.overlay_text);
    if (world.controls_screen.open) {
        draw_controls(world.controls_screen, out, world.device == Device::touch);
    } else if (world.help.open) {
        draw_help(world.help, out);
    }
}

}  // namespace qm

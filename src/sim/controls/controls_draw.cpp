// The controls screen and the help, drawn over the frame.
#include "sim/controls/controls_draw.h"

#include <cstdio>
#include <cstring>

#include "sim/hud.h"
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
void draw_note(const char* note, Surface& frame, int y)
{
    char line[note_line_cells + 1];
    for (std::size_t at = 0, length = std::strlen(note); at < length; at += note_line_cells, y += line_height) {
        std::snprintf(line, sizeof line, "%s", note + at);
        write_text(frame, text_x, y, line);
    }
}

// The text cut to inputs_cells, its end marked, in `out`.
const char* fitted(const char* text, char (&out)[inputs_cells + 1])
{
    if (std::strlen(text) <= static_cast<std::size_t>(inputs_cells)) return text;
    std::snprintf(out, sizeof out, "%.*s...", inputs_cells - 3, text);
    return out;
}

const char* title(const ControlsScreen& screen)
{
    if (screen.capturing) return "Press the input to add to the chosen action (Esc: add none)";
    if (screen.removing) return "Press the input to take from the chosen action (Esc: take none)";
    return "Controls - Up/Down, Enter adds an input, Delete removes one, Backspace: default, Esc closes";
}

void draw_controls(const ControlsScreen& screen, Surface& frame)
{
    panel(frame, screen.count + 6);
    int y = panel_top + 8;
    write_text(frame, text_x, y, title(screen));
    y += 2 * line_height;
    char marked[controls_name_size + 2];
    char row[inputs_cells + 1];
    for (int i = 0; i < screen.count; ++i, y += line_height) {
        std::snprintf(marked, sizeof marked, "%s %s", i == screen.selected ? ">" : " ", screen.names[i]);
        write_text(frame, text_x, y, marked);
        const bool waiting = i == screen.selected && (screen.capturing || screen.removing);
        write_text(frame, inputs_x, y, waiting ? "..." : fitted(screen.inputs[i], row));
    }
    draw_note(screen.note, frame, y + line_height);
}

void draw_help(const HelpScreen& help, Surface& frame)
{
    panel(frame, help.count + 1);
    for (int i = 0; i < help.count; ++i) write_text(frame, text_x, panel_top + 8 + i * line_height, help.lines[i]);
}

}  // namespace

void draw_controls_screens(World& world)
{
    if (world.controls_screen.open) {
        draw_controls(world.controls_screen, world.memoria);
    } else if (world.help.open) {
        draw_help(world.help, world.memoria);
    }
}

}  // namespace qm

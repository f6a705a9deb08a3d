// The controls screen and the help, drawn over the frame.
#include "sim/controls/controls_draw.h"

#include "sim/overlay_text.h"
#include "sim/world.h"

namespace qm {

namespace {

constexpr int panel_left = 24, panel_right = 776;
constexpr int margin = 8;  // between the panel's edge and its first and last lines
constexpr int text_x = 40;
constexpr int marked_x = text_x + 2 * font_width;  // a row's name, after the chosen row's mark
constexpr int inputs_x = 176;                      // the inputs' column, right of the names
constexpr int text_columns = (panel_right - panel_inset - text_x) / font_width;
constexpr int inputs_columns = (panel_right - panel_inset - inputs_x) / font_width;

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

}  // namespace

TextLayout controls_layout(const ControlsScreen& screen, bool touch)
{
    TextLayout layout;
    int y = panel_top_in_band + margin;
    y = layout.add_wrapped(text_x, y, title(screen, touch), text_columns) + font_height;
    for (int i = 0; i < screen.count; ++i) {
        if (i == screen.selected) layout.add(text_x, y, ">");
        layout.add(marked_x, y, screen.names[i]);
        const bool waiting = i == screen.selected && (screen.capturing || screen.removing);
        const char* inputs = waiting ? "..." : screen.inputs[i];
        const int next = layout.add_wrapped(inputs_x, y, inputs, inputs_columns);
        y = next > y ? next : y + font_height;
    }
    layout.add_wrapped(text_x, y + font_height, screen.note, text_columns);
    place_panel(layout, panel_left, panel_right, margin);
    return layout;
}

TextLayout help_layout(const HelpScreen& help)
{
    TextLayout layout;
    int y = panel_top_in_band + margin;
    for (int i = 0; i < help.count; ++i) {
        // A line that wraps goes on under its inputs.
        const int next = layout.add_wrapped(text_x, y, help.lines[i], text_columns, help_inputs_column);
        y = next > y ? next : y + font_height;
    }
    place_panel(layout, panel_left, panel_right, margin);
    return layout;
}

void draw_controls_screens(World& world)
{
    OverlayWriter out(world.memoria, world.overlay_text);
    if (world.controls_screen.open) {
        draw_layout(out, controls_layout(world.controls_screen, world.device == Device::touch));
    } else if (world.help.open) {
        draw_layout(out, help_layout(world.help));
    }
}

}  // namespace qm

// The controls screen and the help, drawn over the frame.
#include "sim/controls/controls_draw.h"

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

}  // namespace

TextLayout controls_layout(const ControlsScreen& screen)
{
    TextLayout layout;
    int y = panel_top_in_band + margin;
    layout.add(text_x, y,
               screen.capturing ? "Press the new input for the chosen action (Esc: keep it as it is)"
                                : "Controls - Up/Down, Enter rebinds, Backspace: default, Esc closes");
    y += 2 * font_height;
    for (int i = 0; i < screen.count; ++i) {
        if (i == screen.selected) layout.add(text_x, y, ">");
        layout.add(marked_x, y, screen.names[i]);
        const char* inputs = i == screen.selected && screen.capturing ? "..." : screen.inputs[i];
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
    if (world.controls_screen.open) {
        draw_layout(world.memoria, controls_layout(world.controls_screen));
    } else if (world.help.open) {
        draw_layout(world.memoria, help_layout(world.help));
    }
}

}  // namespace qm

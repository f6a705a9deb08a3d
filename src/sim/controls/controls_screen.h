// The two screens about the controls shown in the frame, filled by the
// shell: the controls screen (K), a row per action with its inputs, where
// one is chosen and given another input or relieved of one, and a last row
// for the preset; and the help (F1), the bindings of the device in use.
#pragma once

namespace qm {

constexpr int controls_screen_rows = 25;
constexpr int controls_name_size = 40;
constexpr int controls_inputs_size = 88;
constexpr int controls_note_size = 177;  // two lines of the screen

struct ControlsScreen {
    bool open = false;
    int count = 0;
    int selected = 0;
    bool capturing = false;  // the next input pressed joins the selected row's
    bool removing = false;   // the next input pressed leaves the selected row's
    char names[controls_screen_rows][controls_name_size] = {};
    char inputs[controls_screen_rows][controls_inputs_size] = {};
    char note[controls_note_size] = {};  // what the last change did, or why it was not kept
};

constexpr int help_lines = 30;
// What an action does, padded to this many characters, then its inputs (all
// eight of them fit).
constexpr int help_inputs_column = 38;
constexpr int help_line_size = 192;

struct HelpScreen {
    bool open = false;
    int count = 0;
    char lines[help_lines][help_line_size] = {};
};

}  // namespace qm

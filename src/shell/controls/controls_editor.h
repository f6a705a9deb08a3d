// The controls screen's rules (K): a row per action and a last one for the
// preset; Enter waits for the next input and adds it to the chosen action
// (up to eight), Delete waits for one and takes it away, Backspace puts the
// preset's back, and Enter on the preset's row switches to the other preset.
// Every change is saved to the controls file at once. A file that cannot be
// written says why on the screen; the change holds for the run.
#pragma once

#include "shell/controls/controls.h"
#include "sim/controls/controls_screen.h"

namespace qm {

// Opens the screen with its rows filled from the bindings.
void open_controls_screen(ControlsScreen& screen, const Controls& controls);

// The input added to the chosen action's, which leaves any other action of
// its context it did before. False, with the reason, when it cannot be
// bound (Escape always quits; an action has eight inputs at most).
bool rebind(ControlsFile& file, Action action, Input input, std::string& note);
// The input taken from the chosen action's. False, with the reason, when
// the action does not have it or has no other (an action needs one).
bool unbind(ControlsFile& file, Action action, Input input, std::string& note);
// The chosen action's inputs put back as the preset has them. False, with
// the reason, when one of them is another action's only input.
bool reset_binding(ControlsFile& file, Action action, std::string& note);
// Every action as the other preset has it.
void switch_preset(ControlsFile& file, std::string& note);

// The action on a row of the screen; Action::none on the preset's row.
Action row_action(int row);

// The rows' inputs written again, and the note.
void refresh_controls_screen(ControlsScreen& screen, const Controls& controls, const std::string& note);

}  // namespace qm

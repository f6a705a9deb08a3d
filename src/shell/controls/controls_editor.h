// The controls screen's rules (K): a row per action, Enter waits for the
// next input and makes it the chosen action's, Backspace puts the preset's
// back, and every change is saved to the controls file at once. A file that
// cannot be written says why on the screen; the change holds for the run.
#pragma once

#include "shell/controls/controls.h"
#include "sim/controls/controls_screen.h"

namespace qm {

// Opens the screen with its rows filled from the bindings.
void open_controls_screen(ControlsScreen& screen, const Controls& controls);

// The chosen action's inputs of the input's device replaced by the input,
// which leaves any other action of its context it did before. False, with
// the reason, when it cannot be bound (Escape always quits).
bool rebind(ControlsFile& file, Action action, Input input, std::string& note);
// The chosen action's inputs put back as the preset has them.
void reset_binding(ControlsFile& file, Action action, std::string& note);

// The action on a row of the screen.
Action row_action(int row);

// The rows' inputs written again, and the note.
void refresh_controls_screen(ControlsScreen& screen, const Controls& controls, const std::string& note);

}  // namespace qm

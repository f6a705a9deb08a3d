// What the dialog shows, as numbers a shell compares with those it last drew
// or sent, so that it redraws or sends only what changed.
#pragma once

#include <cstdint>

#include "shell/dialog/dialog_template.h"

namespace qm {

// The text a control shows: its live text, else its own.
const char* shown_text(const Control& control);
// A control's check, enabled flag, selection and the text it shows.
std::uint64_t control_state(const Control& control);
// A list's items.
std::uint64_t control_items(const Control& control);
// Every control's state and items, and whether the terrain is building.
std::uint64_t dialog_state(const Dialog& dialog, int loading);

}  // namespace qm

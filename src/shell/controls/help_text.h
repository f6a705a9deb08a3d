// The help over the frame (F1, the page's "?"): every binding in effect for
// the device in use.
#pragma once

#include <span>

#include "sim/controls/bindings.h"
#include "sim/controls/controls_screen.h"

namespace qm {

// The buttons the page shows on a touch screen, as the help names them.
struct TouchButton {
    const char* label;
    Action action;
};
std::span<const TouchButton> touch_buttons();

void fill_help(HelpScreen& help, const Bindings& bindings, Device device);

}  // namespace qm

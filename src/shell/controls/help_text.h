// The help over the frame (F1, the page's "?"): every binding in effect for
// the device in use.
#pragma once

#include "sim/controls/bindings.h"
#include "sim/controls/controls_screen.h"

namespace qm {

void fill_help(HelpScreen& help, const Bindings& bindings, Device device);

}  // namespace qm

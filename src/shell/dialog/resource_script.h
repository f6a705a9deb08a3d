// The dialog template and the accelerator table as a Windows resource script
// (.rc), written from the same resource texts the program embeds, so that
// the Win32 shell's real dialog and the dialog model cannot drift apart.
#pragma once

#include <string>

#include "shell/dialog/accelerators.h"
#include "shell/dialog/dialog_template.h"

namespace qm {

std::string resource_script(const Dialog& dialog, const AcceleratorTable& accelerators);

}  // namespace qm

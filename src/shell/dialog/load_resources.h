// The dialog template and the accelerator table the program carries, read
// and checked once at start by every platform shell.
#pragma once

#include <string>

#include "shell/dialog/accelerators.h"
#include "shell/dialog/dialog_template.h"

namespace qm {

// False, with the reason, when either does not read or the template lacks a
// control the dialog procedure works with.
bool load_dialog_resources(Dialog& dialog, AcceleratorTable& accelerators, std::string& error);

}  // namespace qm

// The resource texts compiled into the program from resources/: the dialog
// template and the accelerator table.
#pragma once

namespace qm {

extern const char dialog_resource[];
extern const char accelerator_resource[];

}  // namespace qm

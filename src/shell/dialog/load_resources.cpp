// Reading the compiled-in resource texts.
#include "shell/dialog/load_resources.h"

#include "shell/dialog/dialog_procedure.h"
#include "shell/dialog/resources.h"

namespace qm {

bool load_dialog_resources(Dialog& dialog, AcceleratorTable& accelerators, std::string& error)
{
    return parse_dialog_template(dialog_resource, dialog, error) && check_dialog_controls(dialog, error) &&
           parse_accelerators(accelerator_resource, accelerators, error);
}

}  // namespace qm

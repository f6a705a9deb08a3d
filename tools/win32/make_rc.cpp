// Build step of the Windows program: writes its resource script from the
// resource texts compiled into this tool.
//
//   qm_make_rc OUTPUT.rc
#include <cstdio>
#include <string>

#include "shell/dialog/accelerators.h"
#include "shell/dialog/dialog_template.h"
#include "shell/dialog/resource_script.h"
#include "shell/dialog/resources.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: qm_make_rc OUTPUT.rc\n");
        return 2;
    }
    qm::Dialog dialog;
    qm::AcceleratorTable accelerators;
    std::string error;
    if (!qm::parse_dialog_template(qm::dialog_resource, dialog, error) ||
        !qm::parse_accelerators(qm::accelerator_resource, accelerators, error)) {
        std::fprintf(stderr, "qm_make_rc: %s\n", error.c_str());
        return 1;
    }
    // The style names come from the platform's header, which only the
    // Windows side names.
    const std::string script = "#include <windows.h>\n" + qm::resource_script(dialog, accelerators);
    // Written beside the target and renamed into place: a failed run leaves
    // the previous script whole.
    const std::string temporary = std::string(argv[1]) + ".new";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    bool written = file != nullptr && std::fwrite(script.data(), 1, script.size(), file) == script.size();
    if (file != nullptr) written = std::fclose(file) == 0 && written;
    if (!written || std::rename(temporary.c_str(), argv[1]) != 0) {
        std::remove(temporary.c_str());
        std::fprintf(stderr, "qm_make_rc: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

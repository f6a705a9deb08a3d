// Start-up order after the windows exist, and the end of the run.
#include "shell/startup.h"

#include "terrain/map_catalogue.h"

namespace qm {

int run_shell(World& world, MessageLoop& loop, Display& display, const QuickStart& choices)
{
    fill_circle_samp(world);
    get_map_names(world);
    DialgProc(loop.dialog_context(), WM_INITDIALOG, 0, 0);
    if (choices.requested) {
        quick_start(loop.dialog_context(), choices);
    } else {
        loop.show_window(Window::dialog, true);
    }
    int exit_code = loop.run();
    // Undoes any screen switch of the full-screen modes.
    display.restore_display_settings();
    return exit_code;
}

}  // namespace qm

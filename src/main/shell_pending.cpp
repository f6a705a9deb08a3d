// Stand-in for the main window's procedure, until that code lands.
#include "main/shell_pending.h"

namespace qm {

LRESULT WindowProcedure(World& world, Platform& platform, unsigned message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_TIMER:
        if (world.cliente != nullptr) world.cliente->copy(world.memoria);
        return 0;
    case WM_KEYDOWN:
        if (wparam == VK_ESCAPE || wparam == VK_C) platform.post_quit(0);
        return 0;
    case WM_DESTROY:
        platform.post_quit(0);
        return 0;
    default:
        return platform.default_window_proc(message, wparam, lparam);
    }
}

}  // namespace qm

// Stand-ins for the terrain and main-window code the shell calls,
// until that code lands; removed entry by entry as it does.
#include "main/shell_pending.h"

namespace qm {

void get_map_names(World&) {}

int open_bitmap(World&, const char*, int) { return 0; }

int load_map(World& world)
{
    if (world.lm_c == 800) return 0;
    ++world.lm_c;
    return 1;
}

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

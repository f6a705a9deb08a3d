// The four display modes and the screen-mode switch.
#include "shell/display_modes.h"

namespace qm {

namespace {

constexpr int unscaled_width = frame_width;  // the frame, shown 1:1
constexpr int unscaled_height = frame_height;
constexpr int max_mode_indices = 250; // how far the mode search looks

}  // namespace

int disp_mode(World& world, Display& display, int mode)
{
    switch (mode) {
    case mode_stretch_fullscreen:
        world.stretch = 1;
        return 1;
    case mode_fullscreen_32:
    case mode_fullscreen_16:
        // The window shrinks before the screen is switched.
        display.set_main_window_pos(0, 0, unscaled_width, unscaled_height);
        world.stretch = 0;
        return change_res(display, mode == mode_fullscreen_32 ? 32 : 16, unscaled_width, unscaled_height);
    case mode_windowed:
        display.set_main_window_pos(0, 0, unscaled_width, unscaled_height);
        world.stretch = 0;
        return 1;
    default:
        return 0;
    }
}

int change_res(Display& display, int bits, int width, int height)
{
    DisplayMode mode;
    mode.bits_per_pel = 0;
    bool matched = false;
    for (int index = 0; index < max_mode_indices && !matched; ++index) {
        bool enumerated = display.enum_display_settings(index, mode);
        matched = enumerated && mode.bits_per_pel == bits && mode.pels_width == width &&
                  mode.pels_height == height;
    }
    // Without a match there is nothing to switch to: requesting whatever
    // mode the search stopped on would switch to the wrong one.
    if (!matched) return 0;

    mode.display_flags = 0;
    mode.fields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    if (display.change_display_settings(mode) == 0) return 1;

    mode.bits_per_pel = bits;
    mode.pels_width = width;
    mode.pels_height = height;
    mode.fields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    return display.change_display_settings(mode) == 0 ? 1 : 0;
}

}  // namespace qm

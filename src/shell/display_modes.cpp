// The four display modes and the screen-mode switch.
#include "shell/display_modes.h"

namespace qm {

namespace {

constexpr int unscaled_width = frame_width;  // the frame, shown 1:1
constexpr int unscaled_height = frame_height;
constexpr int max_mode_indices = 250; // how far the mode search looks

}  // namespace

bool disp_mode(World& world, Display& display, ScreenMode mode)
{
    switch (mode) {
    case ScreenMode::stretch_fullscreen:
        world.stretch = 1;
        return true;
    case ScreenMode::fullscreen_32:
    case ScreenMode::fullscreen_16:
        // The window shrinks before the screen is switched.
        display.set_main_window_pos(0, 0, unscaled_width, unscaled_height);
        world.stretch = 0;
        return change_res(display, mode == ScreenMode::fullscreen_32 ? 32 : 16, unscaled_width, unscaled_height);
    case ScreenMode::windowed:
        display.set_main_window_pos(0, 0, unscaled_width, unscaled_height);
        world.stretch = 0;
        return true;
    default:
        return false;
    }
}

bool change_res(Display& display, int bits, int width, int height)
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
    if (!matched) return false;

    mode.display_flags = 0;
    mode.fields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    if (display.change_display_settings(mode) == 0) return true;

    mode.bits_per_pel = bits;
    mode.pels_width = width;
    mode.pels_height = height;
    mode.fields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    return display.change_display_settings(mode) == 0;
}

}  // namespace qm

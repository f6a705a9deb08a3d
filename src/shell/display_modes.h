// How the 800 by 600 frame reaches the screen: the four display modes of the
// dialog and the screen-mode switch for the two full-screen ones, over a
// small display interface that the platform implements.
#pragma once

#include "sim/world.h"

namespace qm {

// The fields of a display-mode record that the switch uses.
struct DisplayMode {
    int bits_per_pel = 0;
    int pels_width = 0;
    int pels_height = 0;
    unsigned fields = 0;         // which of the fields above are valid
    unsigned display_flags = 0;
};

enum : unsigned {
    DM_BITSPERPEL = 0x00040000,
    DM_PELSWIDTH = 0x00080000,
    DM_PELSHEIGHT = 0x00100000,
};

class Display {
public:
    virtual ~Display() = default;

    // Move and size the main window, keeping its z-order and without
    // activating it.
    virtual void set_main_window_pos(int x, int y, int width, int height) = 0;
    // Fill `mode` with the screen's mode number `index` (from 0); false past
    // the last mode, leaving `mode` as it was.
    virtual bool enum_display_settings(int index, DisplayMode& mode) = 0;
    // Switch the screen to `mode` for this run only; 0 on success, anything
    // else on failure.
    virtual int change_display_settings(const DisplayMode& mode) = 0;
    // Put back the screen's stored mode, undoing any switch.
    virtual void restore_display_settings() = 0;
};

// Display modes, numbered as the dialog numbers them.
enum class ScreenMode : int {
    stretch_fullscreen = 1,  // the frame scaled to the screen as it is
    fullscreen_32 = 2,       // the screen switched to 800 by 600, 32 bits a pixel
    fullscreen_16 = 3,       // the same at 16 bits a pixel
    windowed = 4,            // an 800 by 600 window
};

// Apply a display mode: false for an unknown mode or a failed screen switch.
bool disp_mode(World& world, Display& display, ScreenMode mode);

// Switch the screen to `bits` per pixel at width by height: false when the
// screen offers no such mode or refuses it.
bool change_res(Display& display, int bits, int width, int height);

}  // namespace qm

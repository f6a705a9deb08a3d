// The screen on the page: the canvas's place, and the browser's full-screen
// request behind the two full-screen modes. The page offers one mode, the
// 800 by 600 frame at 32 bits; a 16-bit mode cannot be had.
#pragma once

#include "shell/display_modes.h"

namespace qm {

class WebDisplay final : public Display {
public:
    void set_main_window_pos(int x, int y, int width, int height) override;
    bool enum_display_settings(int index, DisplayMode& mode) override;
    int change_display_settings(const DisplayMode& mode) override;
    void restore_display_settings() override;

private:
    bool full_screen_ = false;
};

}  // namespace qm

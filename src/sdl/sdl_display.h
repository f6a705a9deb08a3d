// The screen under SDL: the desktop's size, the main window's placement, and
// the display-mode list and switch behind the full-screen modes.
#pragma once

#include <SDL.h>

#include "shell/display_modes.h"

namespace qm {

struct SdlScreen {
    SDL_Window* main_window = nullptr;
    int display_index = 0;
    int desktop_width = 0;   // measured once, before any switch
    int desktop_height = 0;
    int width = 0;           // what the screen is (or becomes once the
    int height = 0;          // main window is shown full screen)
    // The main window as the window system says: minimised or hidden, no
    // frame need be drawn in it; each time it shows again or its pixels
    // were lost (exposed, resized), the count goes up and the next frame is
    // drawn whether it changed or not.
    bool main_unseen = false;
    unsigned main_damage = 0;
};

class SdlDisplay final : public Display {
public:
    explicit SdlDisplay(SdlScreen& screen) : screen_(screen) {}

    void set_main_window_pos(int x, int y, int width, int height) override;
    bool enum_display_settings(int index, DisplayMode& mode) override;
    int change_display_settings(const DisplayMode& mode) override;
    void restore_display_settings() override;

private:
    SdlScreen& screen_;
    bool switched_ = false;
};

}  // namespace qm

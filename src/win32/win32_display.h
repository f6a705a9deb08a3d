// The screen under Windows: the main window's placement and the display-mode
// list and switch behind the full-screen modes.
#pragma once

#include "win32/windows_api.h"

namespace qm {

class Win32Display final : public Display {
public:
    explicit Win32Display(HWND main_window) : main_window_(main_window) {}

    void set_main_window_pos(int x, int y, int width, int height) override;
    bool enum_display_settings(int index, DisplayMode& mode) override;
    int change_display_settings(const DisplayMode& mode) override;
    void restore_display_settings() override;

private:
    HWND main_window_;
};

}  // namespace qm

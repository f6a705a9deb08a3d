// The program's two windows under Windows as the loop and the procedures use
// them: showing and hiding, the message box, the synthetic pointer move, the
// default window procedure, the dialog's controls.
#pragma once

#include "win32/windows_api.h"

#include "win32/win32_dialog.h"

namespace qm {

class Win32Windows final : public WindowHost {
public:
    Win32Windows(HWND main_window, int show_mode, Win32Dialog& dialog)
        : main_window_(main_window), show_mode_(show_mode), dialog_(dialog)
    {
    }

    void show_window(Window window, bool visible) override;
    void message_box(const char* text, const char* caption) override;
    void move_pointer_absolute(int nx, int ny) override;
    LRESULT default_window_proc(unsigned message, WPARAM wparam, LPARAM lparam) override;
    void paint_dialog(DialogContext& context) override;
    bool copy_text(const char* text, std::string& reason) override;

private:
    HWND main_window_;
    int show_mode_;  // as WinMain was given it
    Win32Dialog& dialog_;
};

}  // namespace qm

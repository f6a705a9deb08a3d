// The program's two windows under SDL as the loop and the procedures use
// them: showing and hiding, the message box, pointer moves, the dialog's
// drawing.
#pragma once

#include "sdl/imgui_dialog.h"
#include "shell/message_loop.h"
#include "sdl/sdl_display.h"
#include "sdl/sdl_events.h"

namespace qm {

class SdlWindows final : public WindowHost {
public:
    SdlWindows(const SdlScreen& screen, ImGuiDialog& dialog_window, const SdlEvents& events)
        : screen_(screen), dialog_window_(dialog_window), events_(events)
    {
    }

    void show_window(Window window, bool visible) override;
    void message_box(const char* text, const char* caption) override;
    void move_pointer_absolute(int nx, int ny) override;
    LRESULT default_window_proc(unsigned message, WPARAM wparam, LPARAM lparam) override;
    void paint_dialog(DialogContext& context) override;
    bool copy_text(const char* text, std::string& reason) override;

private:
    const SdlScreen& screen_;
    ImGuiDialog& dialog_window_;
    const SdlEvents& events_;
};

}  // namespace qm

// SDL events turned into the messages of the two windows: keys, the
// right-button pan held at its press point, the wheel, game pads, window
// closing, and repaints of the dialog.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "sim/world.h"
#include "sdl/imgui_dialog.h"
#include "shell/message_loop.h"
#include "sdl/sdl_display.h"
#include "sdl/sdl_pads.h"

namespace qm {

class SdlEvents final : public EventSource {
public:
    SdlEvents(const World& world, const Dialog& dialog, ImGuiDialog& dialog_window, SdlScreen& screen);

    bool poll(Message& message) override;
    void wait(int timeout_ms) override;
    std::uint64_t now_ms() override;

    // True while a right-button pan holds the pointer in relative mode.
    bool holds_pointer() const { return panning_ && relative_mode_; }

private:
    // The message for one SDL event, if it gives one.
    bool translate(const SDL_Event& event, Message& message);
    bool translate_main_mouse(const SDL_Event& event, Message& message);
    void end_pan();
    // Whether the main window can be seen, and when its pixels were lost.
    void note_main_window(const SDL_WindowEvent& event);

    const World& world_;
    const Dialog& dialog_;
    ImGuiDialog& dialog_window_;
    SdlScreen& screen_;
    Uint32 main_window_id_;
    SdlPads pads_;

    bool panning_ = false;
    bool relative_mode_ = false;  // false: the pointer is warped back instead
    int press_x_ = 0;
    int press_y_ = 0;
};

}  // namespace qm

// The thread's message queue as the message loop's event source: the main
// window's messages and every key press go to the loop; the controls' own
// messages are dispatched to them here. Game pads, while the main window
// shows.
#pragma once

#include "win32/windows_api.h"

#include <cstdint>

#include "win32/win32_dialog.h"
#include "win32/win32_pads.h"

namespace qm {

class Win32Events final : public EventSource {
public:
    Win32Events(HWND main_window, Win32Dialog& dialog) : main_window_(main_window), dialog_(dialog) {}

    bool poll(Message& message) override;
    void wait(int timeout_ms) override;
    std::uint64_t now_ms() override;

private:
    HWND main_window_;
    Win32Dialog& dialog_;
    // A key press for a control, handed to the loop (for the accelerator
    // table) and then to the control itself on the next poll.
    MSG control_key_{};
    bool control_key_due_ = false;
    Win32Pads pads_;
};

}  // namespace qm

// Fetching window messages for the message loop.
#include "win32/win32_events.h"

namespace qm {

namespace {

bool is_key(UINT message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

unsigned held_modifiers()
{
    auto held = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
    return (held(VK_SHIFT) ? modifier_shift : 0u) | (held(VK_CONTROL) ? modifier_control : 0u) | (held(VK_MENU) ? modifier_alt : 0u);
}

}  // namespace

bool Win32Events::poll(Message& message)
{
    if (control_key_due_) {
        control_key_due_ = false;
        DispatchMessageA(&control_key_);
    }
    // Pads play the round; the dialog has no use for them.
    if (IsWindowVisible(main_window_) && pads_.poll(message)) return true;
    for (;;) {
        if (dialog_.take_notification(message)) return true;
        MSG msg;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) break;
        if (msg.hwnd == main_window_) {
            message = Message{Window::main, msg.message, msg.wParam, msg.lParam, held_modifiers()};
            return true;
        }
        if (is_key(msg.message) && dialog_.owns(msg.hwnd)) {
            message = Message{Window::dialog, msg.message, msg.wParam, msg.lParam, held_modifiers()};
            control_key_ = msg;
            control_key_due_ = true;
            return true;
        }
        // The controls' painting and mouse handling, whose results come
        // back as notifications.
        DispatchMessageA(&msg);
    }
    // Controls brought in line after all input, as paint messages come.
    if (dialog_.needs_sync()) {
        message = Message{Window::dialog, WM_PAINT, 0, 0, 0};
        return true;
    }
    return false;
}

void Win32Events::wait(int timeout_ms)
{
    DWORD timeout = timeout_ms < 0 ? INFINITE : static_cast<DWORD>(timeout_ms);
    MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

std::uint64_t Win32Events::now_ms() { return GetTickCount64(); }

}  // namespace qm

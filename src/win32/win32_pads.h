// Game pads on Windows through XInput, loaded when the program starts
// (xinput1_4.dll, else xinput9_1_0.dll), so a machine without either still
// runs, with no pads. The four pads' states are read at most once a tick and
// their changes turned into the main window's pad messages.
#pragma once

#include "win32/windows_api.h"

#include <xinput.h>

#include <array>
#include <cstdint>
#include <deque>

namespace qm {

class Win32Pads {
public:
    Win32Pads();
    ~Win32Pads();
    Win32Pads(const Win32Pads&) = delete;
    Win32Pads& operator=(const Win32Pads&) = delete;

    // The next pad message, once the pads have been read this tick; false
    // when none is waiting.
    bool poll(Message& message);

private:
    using GetState = DWORD(WINAPI*)(DWORD, XINPUT_STATE*);

    void read_pads();
    void compare(const XINPUT_GAMEPAD& was, const XINPUT_GAMEPAD& now);

    HMODULE library_ = nullptr;
    GetState get_state_ = nullptr;
    std::uint64_t read_at_ms_ = 0;
    std::array<XINPUT_GAMEPAD, XUSER_MAX_COUNT> last_{};
    std::deque<Message> owed_;
};

}  // namespace qm

// XInput's pads as pad messages.
#include "win32/win32_pads.h"

#include <algorithm>

namespace qm {

namespace {

// How often the pads are read: a tick's length, as the program acts no
// faster.
constexpr std::uint64_t read_period_ms = tick_period_ms;

struct ButtonBit {
    WORD bit;
    PadButton button;
};

constexpr ButtonBit button_bits[] = {
    {XINPUT_GAMEPAD_A, pad_a},
    {XINPUT_GAMEPAD_B, pad_b},
    {XINPUT_GAMEPAD_X, pad_x},
    {XINPUT_GAMEPAD_Y, pad_y},
    {XINPUT_GAMEPAD_BACK, pad_back},
    {XINPUT_GAMEPAD_START, pad_start},
    {XINPUT_GAMEPAD_LEFT_THUMB, pad_left_stick},
    {XINPUT_GAMEPAD_RIGHT_THUMB, pad_right_stick},
    {XINPUT_GAMEPAD_LEFT_SHOULDER, pad_left_shoulder},
    {XINPUT_GAMEPAD_RIGHT_SHOULDER, pad_right_shoulder},
    {XINPUT_GAMEPAD_DPAD_UP, pad_dpad_up},
    {XINPUT_GAMEPAD_DPAD_DOWN, pad_dpad_down},
    {XINPUT_GAMEPAD_DPAD_LEFT, pad_dpad_left},
    {XINPUT_GAMEPAD_DPAD_RIGHT, pad_dpad_right},
};

// XInput's sticks point up with positive values and its triggers run to
// 255; the program's axes are SDL's, whose sticks point down positive and
// whose triggers run to 32767.
int stick_down(SHORT up) { return std::clamp(-static_cast<int>(up), -32768, 32767); }
int trigger(BYTE pulled) { return pulled * 32767 / 255; }

}  // namespace

Win32Pads::Win32Pads()
{
    for (const char* name : {"xinput1_4.dll", "xinput9_1_0.dll"}) {
        library_ = LoadLibraryA(name);
        if (library_ != nullptr) break;
    }
    if (library_ == nullptr) return;
    get_state_ = reinterpret_cast<GetState>(reinterpret_cast<void*>(GetProcAddress(library_, "XInputGetState")));
}

Win32Pads::~Win32Pads()
{
    if (library_ != nullptr) FreeLibrary(library_);
}

bool Win32Pads::poll(Message& message)
{
    if (get_state_ == nullptr) return false;
    if (owed_.empty() && GetTickCount64() >= read_at_ms_) {
        read_at_ms_ = GetTickCount64() + read_period_ms;
        read_pads();
    }
    if (owed_.empty()) return false;
    message = owed_.front();
    owed_.pop_front();
    return true;
}

void Win32Pads::read_pads()
{
    for (DWORD user = 0; user < XUSER_MAX_COUNT; ++user) {
        XINPUT_STATE state{};
        // A pad taken away reads as one at rest, so nothing stays held.
        if (get_state_(user, &state) != ERROR_SUCCESS) state = XINPUT_STATE{};
        compare(last_[user], state.Gamepad);
        last_[user] = state.Gamepad;
    }
}

void Win32Pads::compare(const XINPUT_GAMEPAD& was, const XINPUT_GAMEPAD& now)
{
    for (const ButtonBit& b : button_bits) {
        const bool down = (now.wButtons & b.bit) != 0;
        if (down == ((was.wButtons & b.bit) != 0)) continue;
        owed_.push_back(Message{Window::main, WM_PAD_BUTTON, b.button, down ? 1 : 0, 0});
    }
    const int axes_was[pad_axis_count] = {was.sThumbLX, stick_down(was.sThumbLY), was.sThumbRX,
                                          stick_down(was.sThumbRY), trigger(was.bLeftTrigger), trigger(was.bRightTrigger)};
    const int axes_now[pad_axis_count] = {now.sThumbLX, stick_down(now.sThumbLY), now.sThumbRX,
                                          stick_down(now.sThumbRY), trigger(now.bLeftTrigger), trigger(now.bRightTrigger)};
    for (unsigned a = 0; a < pad_axis_count; ++a) {
        if (axes_was[a] != axes_now[a]) owed_.push_back(Message{Window::main, WM_PAD_AXIS, a, axes_now[a], 0});
    }
}

}  // namespace qm

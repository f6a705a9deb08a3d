// The main window's message handler. Input only sets flags and offsets in the
// world; the next tick acts on them, once per tick for as long as a key is
// held, whatever the keyboard's auto-repeat does. Keys, the wheel, a pad's
// buttons and axes, and the page's touch buttons all go through the
// controls in effect (shell/player_input.h).
#include "shell/window_procedure.h"

#include <cstdint>

#include "shell/drill/drill_session.h"
#include "shell/player_input.h"
#include "sim/paint.h"
#include "sim/world.h"

namespace qm {

namespace {

constexpr int pan_gain = 2;                 // the view travels twice the mouse travel
constexpr long long pointer_span = 65536;   // normalised pointer units across the desktop
// The pan point is held within this many pixels of the world origin, so no
// drag, however long, can overflow the camera's arithmetic.
constexpr int pan_limit = 1 << 24;

int low_word(LPARAM lparam) { return static_cast<int>(static_cast<std::uint32_t>(lparam) & 0xFFFFu); }
int high_word(LPARAM lparam) { return static_cast<int>((static_cast<std::uint32_t>(lparam) >> 16) & 0xFFFFu); }

int pan_add(int value, int delta)
{
    long long moved = static_cast<long long>(value) + static_cast<long long>(pan_gain) * delta;
    if (moved > pan_limit) return pan_limit;
    if (moved < -pan_limit) return -pan_limit;
    return static_cast<int>(moved);
}

// The high word of a wheel message's wparam: the turn, signed.
int wheel_turn(WPARAM wparam) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(wparam >> 16)); }

void pan_start(World& world, LPARAM lparam)
{
    world.rbutton_x = low_word(lparam);
    world.rbutton_y = high_word(lparam);
    world.mouse_cam_x = world.cam1.cam_x;
    world.mouse_cam_y = world.cam1.cam_y;
    world.rbutton = 1;
}

void pan_move(World& world, Platform& platform, LPARAM lparam)
{
    if (world.rbutton == 0) return;
    int x = low_word(lparam);
    int y = high_word(lparam);
    world.mouse_cam_x = pan_add(world.mouse_cam_x, x - world.rbutton_x);
    world.mouse_cam_y = pan_add(world.mouse_cam_y, y - world.rbutton_y);

    if (world.DeskCap_X <= 0 || world.DeskCap_Y <= 0) {
        // No desktop size to normalise against: the pointer cannot be put
        // back, so the next move is measured from where it is now.
        world.rbutton_x = x;
        world.rbutton_y = y;
        return;
    }
    // Put the pointer back on the press point, so each move reports only the
    // travel since the last one.
    long long nx = world.rbutton_x * pointer_span / world.DeskCap_X + 1;
    long long ny = world.rbutton_y * pointer_span / world.DeskCap_Y + 1;
    platform.move_pointer_absolute(static_cast<int>(nx), static_cast<int>(ny));
}

}  // namespace

LRESULT WindowProcedure(World& world, Platform& platform, unsigned message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_TIMER:
        paint(world);
        drill_after_tick(world, platform);
        return 0;
    case WM_KEYDOWN: input_down(world, platform, Input::key(static_cast<unsigned>(wparam))); return 0;
    case WM_KEYUP: input_up(world, platform, Input::key(static_cast<unsigned>(wparam))); return 0;
    case WM_MOUSEWHEEL: wheel_turned(world, platform, wheel_turn(wparam)); return 0;
    case WM_PAD_BUTTON: {
        const Input button = Input::pad_button(static_cast<PadButton>(wparam));
        if (lparam != 0) {
            input_down(world, platform, button);
        } else {
            input_up(world, platform, button);
        }
        return 0;
    }
    case WM_PAD_AXIS: pad_axis_moved(world, platform, static_cast<PadAxis>(wparam), static_cast<int>(lparam)); return 0;
    case WM_ACTION: touch_action(world, platform, static_cast<Action>(wparam), lparam != 0); return 0;
    case WM_RBUTTONDOWN: pan_start(world, lparam); return 0;
    case WM_MOUSEMOVE: pan_move(world, platform, lparam); return 0;
    case WM_RBUTTONUP: world.rbutton = 0; return 0;
    case WM_DESTROY: platform.post_quit(0); return 0;
    default: return platform.default_window_proc(message, wparam, lparam);
    }
}

}  // namespace qm

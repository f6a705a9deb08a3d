// The main window's message handler. Input only sets flags and offsets in the
// world; the next tick acts on them, once per tick for as long as a key is
// held, whatever the keyboard's auto-repeat does.
#include "shell/window_procedure.h"

#include <cstdint>

#include "shell/drill/drill_session.h"
#include "shell/screenshot.h"
#include "sim/paint.h"
#include "sim/practice.h"
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

bool quits(WPARAM key) { return key == VK_C || key == VK_ESCAPE; }

void key_down(World& world, Platform& platform, WPARAM key)
{
    // A replay ends at any key, which does nothing else unless it quits; a
    // paused round heeds only the pause key and the quit keys.
    if (world.practice.replay.running()) {
        stop_replay(world);
        if (!quits(key)) return;
    }
    if (world.practice.paused && key != VK_P && !quits(key)) return;
    if (drill_key(world, platform, key)) return;
    switch (key) {
    case VK_UP: world.angle_up = 1; break;
    case VK_DOWN: world.angle_down = 1; break;
    case VK_SUBTRACT: world.pow_down = 1; break;
    case VK_ADD: world.pow_up = 1; break;
    case VK_LEFT: world.direction = -1; break;
    case VK_RIGHT: world.direction = 1; break;
    case VK_F: world.fire_now = 1; break;
    case VK_C:
    case VK_ESCAPE: platform.post_quit(0); break;
    case VK_T: toggle_trace(world); break;
    case VK_H: toggle_prediction(world); break;
    case VK_G: toggle_chart(world); break;
    case VK_S: toggle_score(world); break;
    case VK_P: toggle_pause(world); break;
    case VK_U: request_recall(world); break;
    case VK_R: start_replay(world); break;
    case VK_F12: take_screenshot(world, platform); break;
    default: break;
    }
}

// Left, Right, F, C and Esc have no release action: facing and fire request
// stay latched.
void key_up(World& world, WPARAM key)
{
    switch (key) {
    case VK_UP: world.angle_up = 0; break;
    case VK_DOWN: world.angle_down = 0; break;
    case VK_SUBTRACT: world.pow_down = 0; break;
    case VK_ADD: world.pow_up = 0; break;
    default: break;
    }
}

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
    case WM_KEYDOWN: key_down(world, platform, wparam); return 0;
    case WM_KEYUP: key_up(world, wparam); return 0;
    case WM_RBUTTONDOWN: pan_start(world, lparam); return 0;
    case WM_MOUSEMOVE: pan_move(world, platform, lparam); return 0;
    case WM_RBUTTONUP: world.rbutton = 0; return 0;
    case WM_DESTROY: platform.post_quit(0); return 0;
    default: return platform.default_window_proc(message, wparam, lparam);
    }
}

}  // namespace qm

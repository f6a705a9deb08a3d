// The services the platform-neutral shell code asks of a platform: posting
// messages, moving the pointer, showing windows; and the controls in
// effect. The SDL shell implements them; tests and the headless runner use
// recording fakes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "shell/controls/controls.h"
#include "sim/controls/keys.h"

namespace qm {

// Message numbers, with the values of the platform the game ran on, so a
// native shell can pass its own straight through.
enum : unsigned {
    WM_DESTROY = 0x0002,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
    WM_INITDIALOG = 0x0110,
    WM_COMMAND = 0x0111,
    WM_TIMER = 0x0113,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_MOUSEMOVE = 0x0200,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_MOUSEWHEEL = 0x020A,  // wparam's high word: the turn, wheel_notch a notch, positive away from the user
    // The program's own, in the platform's range for applications.
    WM_PAD_BUTTON = 0x8001,  // wparam: a pad's button (PadButton); lparam: 1 pressed, 0 released
    WM_PAD_AXIS = 0x8002,    // wparam: a pad's axis (PadAxis); lparam: its value, -32768 to 32767
    WM_ACTION = 0x8003,      // wparam: an Action; lparam: 1 pressed, 0 released (the page's touch buttons)
};

// One notch of a mouse wheel in WM_MOUSEWHEEL's turn.
constexpr int wheel_notch = 120;


// Modifier keys held with a key press (what an accelerator entry matches).
enum : unsigned {
    MOD_SHIFT = 1,
    MOD_CONTROL = 2,
    MOD_ALT = 4,
};

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// lparam of a mouse message: x in the low 16 bits, y in the high 16 bits.
constexpr LPARAM make_mouse_lparam(int x, int y)
{
    return static_cast<LPARAM>((static_cast<std::uint32_t>(y) & 0xFFFFu) << 16 |
                               (static_cast<std::uint32_t>(x) & 0xFFFFu));
}

// A command's wparam: the control or command id low, the notification code
// high.
constexpr WPARAM MAKEWPARAM(unsigned low, unsigned high)
{
    return static_cast<WPARAM>((high & 0xFFFFu) << 16 | (low & 0xFFFFu));
}
constexpr unsigned LOWORD(WPARAM w) { return static_cast<unsigned>(w & 0xFFFFu); }
constexpr unsigned HIWORD(WPARAM w) { return static_cast<unsigned>((w >> 16) & 0xFFFFu); }

// The program's two top-level windows.
enum class Window { main, dialog };

// The main window's timer that drives the simulation: one tick per message.
constexpr unsigned tick_timer_id = 1;
constexpr unsigned tick_period_ms = 16;

class Platform {
public:
    virtual ~Platform() = default;

    // The controls in effect: every input is resolved through them.
    Controls controls;

    // Ask the message loop to end with this exit code.
    virtual void post_quit(int exit_code) = 0;
    // Put the pointer at a normalised absolute position (0 to 65535 across
    // the desktop on each axis).
    virtual void move_pointer_absolute(int nx, int ny) = 0;
    // The default handling of a message the main window does not handle.
    virtual LRESULT default_window_proc(unsigned message, WPARAM wparam, LPARAM lparam) = 0;
    // One line about a failure the user should know of (standard error
    // unless the platform has a better place).
    virtual void report_error(const char* line) { std::fprintf(stderr, "%s\n", line); }
    // Makes the files the program has just written outlast this run, where
    // the platform's files do not of themselves (a browser page keeps them
    // in the browser's storage). False, with the reason, when they could
    // not be kept; the copy kept before stays as it was.
    virtual bool keep_files(std::string& reason)
    {
        (void)reason;
        return true;
    }
    // A history line written but not kept (keep_files failed): a platform
    // that can put it by elsewhere does, for its next run to merge back.
    virtual void put_by_history_line(const std::string& line) { (void)line; }
    // The bindings have changed, or the controls screen opened or closed
    // (a page must then know which keys are the program's).
    virtual void controls_changed() {}
    // Puts the text on the system's clipboard; false, with the reason, when
    // it could not.
    virtual bool copy_text(const char* text, std::string& reason)
    {
        (void)text;
        reason = "there is no clipboard here";
        return false;
    }
    // One line for the player's standard output (a challenge's code to
    // send, as the results show).
    virtual void print_line(const char* line) { std::printf("%s\n", line); }
};

// What the configuration dialog and the message loop ask of the platform
// beyond the main window's needs.
class Desktop : public Platform {
public:
    // Queue a message for a window; it is handled on a later pass of the
    // message loop, after everything queued before it.
    virtual void post_message(Window window, unsigned message, WPARAM wparam, LPARAM lparam) = 0;
    virtual void show_window(Window window, bool visible) = 0;
    // Start (or restart) a timer on the main window: a WM_TIMER carrying id
    // every period_ms milliseconds.
    virtual void set_timer(unsigned id, unsigned period_ms) = 0;
    // A modal box with one OK button, owned by the main window; returns once
    // it is closed, or at once when it cannot be shown. The text also goes
    // to stderr as one line either way.
    virtual void message_box(const char* text, const char* caption) = 0;
};

}  // namespace qm

// The headless runner's script language: one command a line, parsed by a pure
// function so that any line, however malformed, gets a defined answer.
#pragma once

#include <string>
#include <string_view>

#include "sim/frame.h"

namespace qm {

enum class ScriptCommandKind {
    nothing,       // a blank line or a comment
    tick,          // run count ticks
    key_down,      // press key
    key_up,        // release key
    rbutton_down,  // right button pressed at (x, y)
    mouse_move,    // pointer moved to (x, y)
    rbutton_up,    // right button released
    state,         // print the state as one line of JSON
    frame,         // write the frame as PNG to path
    aim,           // set the angle and power
    face,          // press and release key (left or right)
    fire,          // press and release F
    until_rest,    // run ticks until the round rests, at most count
    until_ready,   // run ticks until the aim is free and nothing waits, at most count
    wheel,         // turn the mouse wheel count notches (negative: towards the user)
    pad_down,      // press a pad's button (key)
    pad_up,        // release it
    pad_axis,      // move a pad's axis (key) to value
};

struct ScriptCommand {
    ScriptCommandKind kind = ScriptCommandKind::nothing;
    long count = 1;      // tick, until: ticks; wheel: notches
    unsigned key = 0;    // key_down, key_up: virtual-key code; pad_*: PadButton or PadAxis
    long value = 0;      // pad_axis: -32768 to 32767
    int x = 0;           // rbutton_down, mouse_move: client pixels
    int y = 0;
    std::string path;    // frame
    double angle = 0.0;  // aim: degrees
    double power = 0.0;  // aim
};

constexpr long max_ticks_per_command = 1000000;
constexpr long default_until_rest_ticks = 10000;
// The most notches one wheel command turns: a wheel message carries at most
// a short's worth of 120ths.
constexpr long max_wheel_notches = 273;
// The headless window's client area, in which pointer positions must lie:
// the frame, shown 1:1.
constexpr int headless_client_width = frame_width;
constexpr int headless_client_height = frame_height;

// Parses one line (without or with its line break). A '#' at the start or
// after a blank begins a comment, on any line. Returns true and fills
// command, or returns false and puts a one-line reason into error.
bool parse_script_line(std::string_view line, ScriptCommand& command, std::string& error);

}  // namespace qm

// Every input of every device resolved through the controls in effect into
// the actions it does, which set the world's flags as the keys always have:
// a held action acts once per tick while any of its inputs is held, a wheel
// notch as its key held for one tick, the others once per press.
#pragma once

#include "shell/platform.h"

namespace qm {

struct World;

void input_down(World& world, Platform& platform, Input input);
void input_up(World& world, Platform& platform, Input input);
// A wheel's turn in 120ths of a notch (positive away from the user); whole
// notches act, the rest waits for the next turn the same way.
void wheel_turned(World& world, Platform& platform, int turn);
// A pad's axis at a new value: a direction acts as a held input while the
// axis is past the dead zone that way.
void pad_axis_moved(World& world, Platform& platform, PadAxis axis, int value);
// A button of the page's touch screen: the action itself.
void touch_action(World& world, Platform& platform, Action action, bool down);

// Whether a menu or screen over the frame, or a running drill, answers this
// key itself: Enter and Esc must then not reach the dialog's accelerators
// (Esc there ends the program; in a drill it leaves the drill).
bool overlay_owns_key(const World& world, unsigned message, WPARAM key);

}  // namespace qm

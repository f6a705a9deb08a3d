// The buttons a touch screen shows beside the frame for each screen the
// frame can show: in play the aim, the power, the facing, fire, the aids,
// the drills, the help; in a menu, on the results and on the controls
// screen that menu's moves.
#pragma once

#include <span>

#include "sim/controls/actions.h"
#include "sim/world.h"

namespace qm {

enum class TouchScreen : unsigned char { play, menu, results, controls };
constexpr TouchScreen touch_screens[] = {TouchScreen::play, TouchScreen::menu, TouchScreen::results,
                                         TouchScreen::controls};

// A button: what it shows (the help names it so) and the action it does.
struct TouchButton {
    const char* label;
    Action action;
};

std::span<const TouchButton> touch_buttons(TouchScreen screen);
// The screen's name, as the page knows it: "play", "menu", "results", "controls".
const char* touch_screen_name(TouchScreen screen);
// The screen the frame shows now, whose buttons the page offers.
TouchScreen touch_screen_shown(const World& world);

}  // namespace qm

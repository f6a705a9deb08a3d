// The touch buttons of each screen, and which screen shows.
#include "shell/controls/touch_buttons.h"

namespace qm {

namespace {

constexpr TouchButton play[] = {
    {"^", Action::angle_up},      {"v", Action::angle_down},   {"+", Action::power_up},
    {"-", Action::power_down},    {"<", Action::face_left},    {">", Action::face_right},
    {"?", Action::help},          {"X", Action::quit},         {"Fire", Action::fire},
    {"Trace", Action::trace},     {"Hint", Action::prediction}, {"Chart", Action::chart},
    {"Recall", Action::recall},   {"Replay", Action::replay},  {"Score", Action::score},
    {"Pause", Action::pause},     {"Drills", Action::drills},  {"Keys", Action::controls},
    {"Picture", Action::screenshot},
};
constexpr TouchButton menu[] = {
    {"^", Action::menu_up}, {"v", Action::menu_down}, {"Back", Action::menu_back}, {"X", Action::quit},
    {"Start", Action::menu_enter},
};
constexpr TouchButton results[] = {
    {"Back", Action::menu_back}, {"X", Action::quit}, {"Again", Action::menu_enter}, {"Drills", Action::drills},
};
constexpr TouchButton controls[] = {
    {"^", Action::menu_up}, {"v", Action::menu_down}, {"Back", Action::menu_back}, {"X", Action::quit},
    {"Change", Action::menu_enter},
};

}  // namespace

std::span<const TouchButton> touch_buttons(TouchScreen screen)
{
    switch (screen) {
    case TouchScreen::menu: return menu;
    case TouchScreen::results: return results;
    case TouchScreen::controls: return controls;
    default: return play;
    }
}

const char* touch_screen_name(TouchScreen screen)
{
    switch (screen) {
    case TouchScreen::menu: return "menu";
    case TouchScreen::results: return "results";
    case TouchScreen::controls: return "controls";
    default: return "play";
    }
}

TouchScreen touch_screen_shown(const World& world)
{
    if (world.controls_screen.open) return TouchScreen::controls;
    if (world.drill_menu.open) return TouchScreen::menu;
    if (world.drill.active && world.drill.finished) return TouchScreen::results;
    return TouchScreen::play;
}

}  // namespace qm

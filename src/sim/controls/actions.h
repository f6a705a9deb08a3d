// The things a player does, by name: every input device is bound to these,
// and the window procedure acts on them rather than on keys.
#pragma once

#include <string_view>

namespace qm {

enum class Action : int {
    // In play.
    angle_up,
    angle_down,
    power_up,
    power_down,
    face_left,
    face_right,
    fire,
    quit,
    trace,
    prediction,
    chart,
    recall,
    replay,
    score,
    pause,
    screenshot,
    drills,
    help,
    controls,
    // In a menu over the frame (the drills, their results, the controls).
    menu_up,
    menu_down,
    menu_enter,
    menu_back,
    // On a drill's results.
    copy_code,
    count,
    none = count,
};

constexpr int action_count = static_cast<int>(Action::count);

struct ActionInfo {
    std::string_view name;  // as the controls file writes it: "power-up"
    std::string_view what;  // as the help shows it: "more power"
    bool held;              // acts once per tick while held, rather than once per press
    bool menu;              // a menu's action: its inputs may also be bound in play
};

const ActionInfo& action_info(Action action);
inline Action action_at(int index) { return static_cast<Action>(index); }
inline int index_of(Action action) { return static_cast<int>(action); }

// The action of a name as the controls file writes it; Action::none when
// there is none.
Action find_action(std::string_view name);

}  // namespace qm

// The actions' names, what the help calls them, and how they act.
#include "sim/controls/actions.h"

namespace qm {

namespace {

constexpr ActionInfo infos[action_count] = {
    {"angle-up", "raise the angle", true, false},
    {"angle-down", "lower the angle", true, false},
    {"power-up", "more power", true, false},
    {"power-down", "less power", true, false},
    {"face-left", "face left", false, false},
    {"face-right", "face right", false, false},
    {"fire", "fire", false, false},
    {"quit", "quit", false, false},
    {"trace", "shot trace", false, false},
    {"prediction", "landing prediction and power finder", false, false},
    {"chart", "aim chart", false, false},
    {"recall", "recall the last shot's aim", false, false},
    {"replay", "replay the last shot", false, false},
    {"score", "score panel", false, false},
    {"pause", "pause", false, false},
    {"screenshot", "screenshot", false, false},
    {"drills", "drill menu", false, false},
    {"help", "this help", false, false},
    {"controls", "change the controls", false, false},
    {"menu-up", "menu: up", false, true},
    {"menu-down", "menu: down", false, true},
    {"menu-enter", "menu: choose", false, true},
    {"menu-back", "menu: close", false, true},
    {"copy-code", "results: copy the challenge code", false, true},
};

}  // namespace

const ActionInfo& action_info(Action action) { return infos[index_of(action)]; }

Action find_action(std::string_view name)
{
    for (int i = 0; i < action_count; ++i) {
        if (infos[i].name == name) return action_at(i);
    }
    return Action::none;
}

}  // namespace qm

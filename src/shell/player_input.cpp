// Inputs resolved into actions, and what each action does to the world.
#include "shell/player_input.h"

#include "shell/controls/controls_editor.h"
#include "shell/controls/help_text.h"
#include "shell/drill/drill_session.h"
#include "shell/screenshot.h"
#include "sim/drill/drill_run.h"
#include "sim/practice.h"
#include "sim/world.h"

namespace qm {

namespace {

// Notches waiting to act are held to this many either way: more than the
// power's whole range, so only a wheel spun far past it loses any.
constexpr int max_waiting_steps = 1000;

// What a held action raises in the world: its flag, and where its notches
// wait with the sign of one.
struct Hold {
    int* flag = nullptr;
    int* steps = nullptr;
    int step = 0;
};

Hold hold_of(World& world, Action action)
{
    switch (action) {
    case Action::angle_up: return {&world.angle_up, &world.angle_steps, 1};
    case Action::angle_down: return {&world.angle_down, &world.angle_steps, -1};
    case Action::power_up: return {&world.pow_up, &world.power_steps, 1};
    case Action::power_down: return {&world.pow_down, &world.power_steps, -1};
    default: return {};
    }
}

void add_notch(const Hold& hold)
{
    *hold.steps += hold.step;
    if (*hold.steps > max_waiting_steps) *hold.steps = max_waiting_steps;
    if (*hold.steps < -max_waiting_steps) *hold.steps = -max_waiting_steps;
}

void raise_hold(const World& world, Controls& controls, Action action, const Hold& hold)
{
    *hold.flag = 1;
    controls.raised_at[static_cast<std::size_t>(index_of(action))] = world.tick_count;
}

// A held action stays on while any of its inputs, or its button on the
// page, is held. Let go before any tick has seen it, it is a tap: one step,
// as a wheel's notch, however short the press.
void refresh_hold(World& world, const Controls& controls, Action action)
{
    const Hold hold = hold_of(world, action);
    if (hold.flag == nullptr) return;
    const auto index = static_cast<std::size_t>(index_of(action));
    const bool was_on = *hold.flag != 0;
    *hold.flag = controls.held.any_of(controls.bindings().of(action)) || controls.touch_held[index] ? 1 : 0;
    if (was_on && *hold.flag == 0 && controls.raised_at[index] == world.tick_count) add_notch(hold);
}

void release_all(World& world, Controls& controls)
{
    controls.held.clear();
    controls.touch_held.reset();
    world.angle_up = world.angle_down = world.pow_up = world.pow_down = 0;
}

// Saves the controls after a change made on the screen; the note says
// whether they were kept, and why not.
void save_controls(Platform& platform, std::string& note)
{
    const ControlsFile& file = platform.controls.file;
    std::string reason = file.path_reason;
    const bool saved = !file.path.empty() && write_controls_file(file, reason) && platform.keep_files(reason);
    if (saved) {
        note += "; saved";
    } else {
        note += "; for this run only: " + reason;
        platform.report_error(("qmsim: controls not saved: " + reason).c_str());
    }
}

// Enter on the preset's row chooses the other preset; on an action's, it
// waits for the input to add.
void screen_enter(ControlsScreen& screen, Platform& platform)
{
    if (row_action(screen.selected) != Action::none) {
        screen.capturing = true;
        return;
    }
    std::string note;
    switch_preset(platform.controls.file, note);
    save_controls(platform, note);
    refresh_controls_screen(screen, platform.controls, note);
}

void screen_choice(World& world, Platform& platform, Input input, Action in_menu)
{
    ControlsScreen& screen = world.controls_screen;
    Controls& controls = platform.controls;
    const Action chosen = row_action(screen.selected);
    if (chosen != Action::none && input == Input::key(VK_BACK)) {
        std::string note;
        if (reset_binding(controls.file, chosen, note)) save_controls(platform, note);
        refresh_controls_screen(screen, controls, note);
        return;
    }
    if (chosen != Action::none && input == Input::key(VK_DELETE)) {
        screen.removing = true;
        return;
    }
    switch (in_menu) {
    case Action::menu_up: screen.selected = (screen.selected + screen.count - 1) % screen.count; return;
    case Action::menu_down: screen.selected = (screen.selected + 1) % screen.count; return;
    case Action::menu_enter: screen_enter(screen, platform); return;
    case Action::menu_back: screen.open = false; return;
    default: break;
    }
    const Action in_play = bound_action(controls.bindings(), input, false);
    if (in_play == Action::controls) screen.open = false;
    if (in_play == Action::quit) platform.post_quit(0);
}

// The input Enter or Delete waited for, added to the chosen action or taken
// from it (Esc does neither).
void screen_change(ControlsScreen& screen, Platform& platform, Input input)
{
    const bool adding = screen.capturing;
    screen.capturing = false;
    screen.removing = false;
    std::string note;
    ControlsFile& file = platform.controls.file;
    const Action chosen = row_action(screen.selected);
    if (input != Input::key(VK_ESCAPE) &&
        (adding ? rebind(file, chosen, input, note) : unbind(file, chosen, input, note))) {
        save_controls(platform, note);
    }
    refresh_controls_screen(screen, platform.controls, note);
}

// An input while the controls screen shows: the screen's own, or, once
// Enter or Delete has asked for it, the input to add or take away.
void screen_input(World& world, Platform& platform, Input input)
{
    ControlsScreen& screen = world.controls_screen;
    if (screen.capturing || screen.removing) {
        screen_change(screen, platform, input);
    } else {
        screen_choice(world, platform, input, bound_action(platform.controls.bindings(), input, true));
    }
    platform.controls_changed();
}

// A touch button while the controls screen shows: its menu's buttons, and
// Back while a new input is awaited keeps the old one.
void screen_touch(World& world, Platform& platform, Action action)
{
    ControlsScreen& screen = world.controls_screen;
    if (screen.capturing) {
        if (action != Action::menu_back) return;
        screen.capturing = false;
        refresh_controls_screen(screen, platform.controls, "");
    } else if (action == Action::quit) {
        platform.post_quit(0);
    } else {
        screen_choice(world, platform, Input{}, action_info(action).menu ? action : Action::none);
    }
    platform.controls_changed();
}

// A replay ends at any press, which does nothing else unless it quits; a
// paused round heeds only pause and quit.
bool passes_gates(World& world, Action in_play)
{
    if (world.practice.replay.running()) {
        stop_replay(world);
        if (in_play != Action::quit) return false;
    }
    return !world.practice.paused || in_play == Action::pause || in_play == Action::quit;
}

// The actions done once per press; a held action's flag is its caller's.
void do_press(World& world, Platform& platform, Action action)
{
    switch (action) {
    case Action::face_left: world.direction = -1; break;
    case Action::face_right: world.direction = 1; break;
    case Action::fire: world.fire_now = 1; break;
    case Action::quit: platform.post_quit(0); break;
    case Action::trace: toggle_trace(world); break;
    case Action::prediction: toggle_prediction(world); break;
    case Action::chart: toggle_chart(world); break;
    case Action::recall: request_recall(world); break;
    case Action::replay: start_replay(world); break;
    case Action::score: toggle_score(world); break;
    case Action::pause: toggle_pause(world); break;
    case Action::screenshot: take_screenshot(world, platform); break;
    case Action::help: fill_help(world.help, platform.controls.bindings(), world.device); break;
    case Action::controls:
        release_all(world, platform.controls);
        world.help.open = false;
        open_controls_screen(world.controls_screen, platform.controls);
        platform.controls_changed();
        break;
    default: break;  // the drill menu is the drill's; the menus' actions act in menus alone
    }
}

// An input's actions in a menu and in play, pressed; true when its action
// in play was done (a held one then holds).
bool press(World& world, Platform& platform, Action in_menu, Action in_play)
{
    if (!passes_gates(world, in_play)) return false;
    if (world.help.open && (in_menu == Action::menu_back || in_play == Action::help)) {
        world.help.open = false;
        return false;
    }
    if (drill_action(world, platform, in_menu, in_play) || in_play == Action::none) return false;
    do_press(world, platform, in_play);
    return true;
}

}  // namespace

void input_down(World& world, Platform& platform, Input input)
{
    Controls& controls = platform.controls;
    if (world.controls_screen.open) {
        screen_input(world, platform, input);
        return;
    }
    const Action in_play = bound_action(controls.bindings(), input, false);
    // The help lists the device used before it was asked for.
    if (in_play != Action::help) world.device = device_of(input);
    if (!press(world, platform, bound_action(controls.bindings(), input, true), in_play)) return;
    const Hold hold = hold_of(world, in_play);
    if (hold.flag == nullptr) return;
    if (input.kind == InputKind::wheel) {
        add_notch(hold);
        return;
    }
    controls.held.set(input, true);
    raise_hold(world, controls, in_play, hold);
}

void input_up(World& world, Platform& platform, Input input)
{
    Controls& controls = platform.controls;
    controls.held.set(input, false);
    refresh_hold(world, controls, bound_action(controls.bindings(), input, false));
}

void wheel_turned(World& world, Platform& platform, int turn)
{
    int& waiting = platform.controls.wheel_turn;
    // A turn the other way starts afresh.
    if ((turn > 0 && waiting < 0) || (turn < 0 && waiting > 0)) waiting = 0;
    waiting += turn;
    for (; waiting >= wheel_notch; waiting -= wheel_notch) input_down(world, platform, Input::wheel(wheel_up));
    for (; waiting <= -wheel_notch; waiting += wheel_notch) input_down(world, platform, Input::wheel(wheel_down));
}

void pad_axis_moved(World& world, Platform& platform, PadAxis axis, int value)
{
    if (axis >= pad_axis_count) return;
    Controls& controls = platform.controls;
    const bool trigger = axis == pad_left_trigger || axis == pad_right_trigger;
    for (const bool positive : {false, true}) {
        // A trigger rests at its low end, which names no input.
        if (trigger && !positive) continue;
        const Input input = Input::pad_axis(axis, positive);
        const bool past = positive ? value > pad_dead_zone : value < -pad_dead_zone;
        if (past == controls.axes_past[input.code]) continue;
        controls.axes_past[input.code] = past;
        if (past) {
            input_down(world, platform, input);
        } else {
            input_up(world, platform, input);
        }
    }
}

void touch_action(World& world, Platform& platform, Action action, bool down)
{
    if (index_of(action) < 0 || index_of(action) >= action_count) return;
    Controls& controls = platform.controls;
    const auto index = static_cast<std::size_t>(index_of(action));
    if (!down) {
        controls.touch_held[index] = false;
        refresh_hold(world, controls, action);
        return;
    }
    world.device = Device::touch;
    if (world.controls_screen.open) {
        screen_touch(world, platform, action);
        return;
    }
    const bool menu = action_info(action).menu;
    // The close button in a running drill leaves it, as Esc does.
    const bool leaves_drill = action == Action::quit && drill_running(world);
    const Action in_menu = menu ? action : leaves_drill ? Action::menu_back : Action::none;
    if (!press(world, platform, in_menu, menu ? Action::none : action)) return;
    const Hold hold = hold_of(world, action);
    if (hold.flag == nullptr) return;
    controls.touch_held[index] = true;
    raise_hold(world, controls, action, hold);
}

bool overlay_owns_key(const World& world, unsigned message, WPARAM key)
{
    if ((message != WM_KEYDOWN && message != WM_KEYUP) || (key != VK_ESCAPE && key != VK_RETURN)) return false;
    if (key == VK_ESCAPE && (world.help.open || drill_running(world))) return true;
    return drill_menu_or_results(world) || world.controls_screen.open;
}

}  // namespace qm

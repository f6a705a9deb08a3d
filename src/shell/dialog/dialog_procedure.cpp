// The configuration dialog's procedure.
#include "shell/dialog/dialog_procedure.h"

#include <cassert>
#include <cstdio>

#include "sim/practice.h"
#include "sim/round_start.h"

namespace qm {

namespace {

constexpr int wind_entries = 26;        // fixed wind strength 0 to 25
constexpr int angle_entries = 360;      // fixed wind direction 0 to 359 degrees
constexpr int turns_entries = 20;       // wind changes every 1 to 20 turns
constexpr int turns_start_position = 2; // the entry "3"

// The exit code after a refused display switch: the run did not do what was
// asked.
constexpr int display_switch_failed_exit_code = 1;

constexpr int display_radios[] = {IDC_STRETCH_FULLSCREEN, IDC_FULLSCREEN_32, IDC_FULLSCREEN_16, IDC_WINDOWED};

// Disabled in this order by Start, for the rest of the run.
constexpr int start_disables[] = {IDC_STRETCH_FULLSCREEN, IDC_FULLSCREEN_32, IDC_FULLSCREEN_16, IDC_WINDOWED,
                                  IDC_RANDOM_WIND,        IDC_FIXED_WIND,    IDC_MAP_LIST,      IDC_WIND_LIST,
                                  IDC_ANGLE_LIST,         IDC_TURNS_LIST,    IDC_START,         IDC_EXIT};

constexpr int used_controls[] = {
    IDC_STRETCH_FULLSCREEN, IDC_FULLSCREEN_32, IDC_FULLSCREEN_16, IDC_WINDOWED, IDC_START,
    IDC_MAP_LIST,           IDC_STATUS,        IDC_EXIT,          IDC_RANDOM_WIND, IDC_FIXED_WIND,
    IDC_WIND_LIST,          IDC_ANGLE_LIST,    IDC_TURNS_LIST,
};

Control& control(Dialog& dialog, int id)
{
    Control* found = dialog.find(id);
    assert(found != nullptr && "checked by check_dialog_controls at start-up");
    return *found;
}

void check(Dialog& dialog, int id, bool checked) { control(dialog, id).checked = checked; }
void enable(Dialog& dialog, int id, bool enabled) { control(dialog, id).enabled = enabled; }

void fill_numbers(Control& list, int first, int count)
{
    char text[16];
    list.items.clear();
    for (int n = first; n < first + count; ++n) {
        std::snprintf(text, sizeof text, "%d", n);
        list.items.emplace_back(text);
    }
}

// Random or fixed wind: its radio button checked, the lists of the other
// greyed.
void choose_wind(Dialog& dialog, bool random)
{
    check(dialog, IDC_RANDOM_WIND, random);
    check(dialog, IDC_FIXED_WIND, !random);
    enable(dialog, IDC_WIND_LIST, !random);
    enable(dialog, IDC_ANGLE_LIST, !random);
    enable(dialog, IDC_TURNS_LIST, random);
}

void initialise(DialogContext& context)
{
    Dialog& dialog = context.dialog;
    World& world = context.world;

    check(dialog, IDC_STRETCH_FULLSCREEN, true);
    check(dialog, IDC_FULLSCREEN_32, false);
    check(dialog, IDC_FULLSCREEN_16, false);
    check(dialog, IDC_WINDOWED, false);

    choose_wind(dialog, true);

    Control& maps = control(dialog, IDC_MAP_LIST);
    maps.items.clear();
    maps.items.emplace_back(flat_map_entry);
    int flat_position = static_cast<int>(maps.items.size()) - 1;
    for (int i = 0; i < world.map_count && i < max_maps; ++i) maps.items.emplace_back(world.map_filename[i]);
    maps.selection = flat_position;

    Control& wind = control(dialog, IDC_WIND_LIST);
    fill_numbers(wind, 0, wind_entries);
    wind.selection = 0;

    Control& angle = control(dialog, IDC_ANGLE_LIST);
    fill_numbers(angle, 0, angle_entries);
    angle.selection = 0;

    Control& turns = control(dialog, IDC_TURNS_LIST);
    fill_numbers(turns, 1, turns_entries);
    turns.selection = turns_start_position;

    // The terrain build writes its progress into prog_static; the status
    // line shows it.
    control(dialog, IDC_STATUS).live_text = world.prog_static;
}

void post_click(DialogContext& context, int id)
{
    context.desktop.post_message(Window::dialog, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                                 control(context.dialog, id).handle);
}

void apply_display_mode(DialogContext& context)
{
    Dialog& dialog = context.dialog;
    ScreenMode mode = ScreenMode::stretch_fullscreen;
    if (control(dialog, IDC_FULLSCREEN_32).checked) mode = ScreenMode::fullscreen_32;
    if (control(dialog, IDC_FULLSCREEN_16).checked) mode = ScreenMode::fullscreen_16;
    if (control(dialog, IDC_WINDOWED).checked) mode = ScreenMode::windowed;

    if (!disp_mode(context.world, context.display, mode)) {
        context.desktop.message_box("Unable to change resolution.", "Error");
        // The Start sequence still runs to its end; the loop then sees the
        // quit request.
        context.desktop.post_quit(display_switch_failed_exit_code);
    }
}

// The round the dialog asks for; a setting no checked button asks for stays
// as the world has it.
RoundSettings round_settings(DialogContext& context, const char* map)
{
    Dialog& dialog = context.dialog;
    const World& world = context.world;
    RoundSettings settings{map, world.random_wind, world.wind_change_turn, world.wind, world.wang};
    if (control(dialog, IDC_RANDOM_WIND).checked) {
        settings.random_wind = 1;
        settings.wind_change_turn = control(dialog, IDC_TURNS_LIST).selection + 1;
    }
    if (control(dialog, IDC_FIXED_WIND).checked) {
        settings.random_wind = 0;
        settings.wind = static_cast<double>(control(dialog, IDC_WIND_LIST).selection);
        settings.wang = static_cast<double>(control(dialog, IDC_ANGLE_LIST).selection);
    }
    return settings;
}

void start(DialogContext& context)
{
    World& world = context.world;
    Dialog& dialog = context.dialog;
    // Only once: repeated Enter presses and their posted clicks find the
    // simulator loading or running.
    if (world.loading != 0 || world.loaded != 0) return;

    for (int id : start_disables) enable(dialog, id, false);

    int map_index = control(dialog, IDC_MAP_LIST).selection - 1;
    if (map_index == -1) {
        context.desktop.show_window(Window::dialog, false);
        apply_display_mode(context);
        start_round(world, round_settings(context, nullptr));
        start_ticking(world, context.desktop);
    } else if (map_index >= 0 && map_index < max_maps) {
        apply_display_mode(context);
        // The message loop builds the terrain, then starts the ticks.
        start_round(world, round_settings(context, world.map_filename[map_index]));
    }
}

void click(DialogContext& context, LPARAM handle)
{
    Dialog& dialog = context.dialog;
    const Control* clicked = dialog.find_by_handle(handle);
    if (clicked == nullptr) return;

    switch (clicked->id) {
    case IDC_STRETCH_FULLSCREEN:
    case IDC_FULLSCREEN_32:
    case IDC_FULLSCREEN_16:
    case IDC_WINDOWED: {
        int chosen = clicked->id;
        for (int id : display_radios) check(dialog, id, id == chosen);
        break;
    }
    case IDC_RANDOM_WIND:
        choose_wind(dialog, true);
        break;
    case IDC_FIXED_WIND:
        choose_wind(dialog, false);
        break;
    case IDC_EXIT:
        context.desktop.post_quit(0);
        break;
    case IDC_START:
        start(context);
        break;
    default:
        break;
    }
}

}  // namespace

int DialgProc(DialogContext& context, unsigned message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:
        initialise(context);
        return 1;
    case WM_COMMAND:
        if (HIWORD(wparam) == NOTIFY_ACCELERATOR) {
            if (LOWORD(wparam) == CMD_START) post_click(context, IDC_START);
            if (LOWORD(wparam) == CMD_EXIT) post_click(context, IDC_EXIT);
        } else if (HIWORD(wparam) == BN_CLICKED) {
            click(context, lparam);
        }
        return 0;
    case WM_CLOSE:
        // Closing the dialog's window acts as Esc does.
        post_click(context, IDC_EXIT);
        return 0;
    default:
        return 0;
    }
}

void start_ticking(World& world, Desktop& desktop)
{
    // The aids' copies of the round are made before the window shows, so
    // that the first frames come at their pace.
    arm_practice(world);
    desktop.show_window(Window::main, true);
    desktop.set_timer(tick_timer_id, tick_period_ms);
    world.loaded = 1;
}

bool check_dialog_controls(const Dialog& dialog, std::string& error)
{
    for (int id : used_controls) {
        if (dialog.find(id) == nullptr) {
            error = "dialog template lacks control " + std::to_string(id);
            return false;
        }
    }
    return true;
}

}  // namespace qm

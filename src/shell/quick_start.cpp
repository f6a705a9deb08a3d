// The quick-start choices handed to the dialog's Start, and the display
// modes by name.
#include "shell/quick_start.h"

#include <cstring>
#include <iterator>
#include <string_view>

namespace qm {

namespace {

struct ModeName {
    std::string_view name;
    ScreenMode mode;
    int control;
};

constexpr ModeName mode_names[] = {
    {"stretch", ScreenMode::stretch_fullscreen, IDC_STRETCH_FULLSCREEN},
    {"full32", ScreenMode::fullscreen_32, IDC_FULLSCREEN_32},
    {"full16", ScreenMode::fullscreen_16, IDC_FULLSCREEN_16},
    {"windowed", ScreenMode::windowed, IDC_WINDOWED},
};

Control& control(Dialog& dialog, int id) { return *dialog.find(id); }

void set_radio(Dialog& dialog, std::initializer_list<int> group, int chosen)
{
    for (int id : group) control(dialog, id).checked = id == chosen;
}

// The map's entry in the dialog's list, added to the catalogue when the
// folder's scan did not find it.
int map_entry(World& world, Control& list, const char* map)
{
    for (int i = 0; i < world.map_count && i < max_maps; ++i) {
        if (std::strcmp(world.map_filename[i], map) == 0) return i + 1;
    }
    // With the catalogue full the last entry gives way: the dialog that
    // would list it never shows.
    const int slot = world.map_count < max_maps ? world.map_count : max_maps - 1;
    std::snprintf(world.map_filename[slot], map_name_size, "%s", map);
    world.map_count = slot + 1;
    list.items.resize(static_cast<std::size_t>(slot) + 1);
    list.items.emplace_back(map);
    return slot + 1;
}

}  // namespace

bool parse_screen_mode(std::string_view name, ScreenMode& mode)
{
    for (const ModeName& m : mode_names) {
        if (m.name == name) {
            mode = m.mode;
            return true;
        }
    }
    return false;
}

std::string screen_mode_forms()
{
    std::string forms;
    for (const ModeName& m : mode_names) {
        if (!forms.empty()) forms += '|';
        forms += m.name;
    }
    return forms;
}

std::string screen_mode_list()
{
    std::string list;
    const std::size_t count = std::size(mode_names);
    for (std::size_t i = 0; i < count; ++i) {
        list += i == 0 ? "" : i + 1 == count ? " or " : ", ";
        list += mode_names[i].name;
    }
    return list;
}

void quick_start(DialogContext& context, const QuickStart& choices)
{
    Dialog& dialog = context.dialog;
    for (const ModeName& m : mode_names) {
        if (m.mode == choices.mode) {
            set_radio(dialog, {IDC_STRETCH_FULLSCREEN, IDC_FULLSCREEN_32, IDC_FULLSCREEN_16, IDC_WINDOWED}, m.control);
        }
    }
    if (choices.wind_given) {
        const RoundSettings& wind = choices.round;
        set_radio(dialog, {IDC_RANDOM_WIND, IDC_FIXED_WIND}, wind.random_wind != 0 ? IDC_RANDOM_WIND : IDC_FIXED_WIND);
        if (wind.random_wind != 0) {
            control(dialog, IDC_TURNS_LIST).selection = wind.wind_change_turn - 1;
        } else {
            control(dialog, IDC_WIND_LIST).selection = static_cast<int>(wind.wind);
            control(dialog, IDC_ANGLE_LIST).selection = static_cast<int>(wind.wang);
        }
    }
    Control& maps = control(dialog, IDC_MAP_LIST);
    if (choices.round.map != nullptr) maps.selection = map_entry(context.world, maps, choices.round.map);
    DialgProc(context, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), control(dialog, IDC_START).handle);
}

}  // namespace qm

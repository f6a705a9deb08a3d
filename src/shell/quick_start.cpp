// Reading the quick-start options and handing them to the dialog's Start.
#include "shell/quick_start.h"

#include <cstring>
#include <string_view>

#include "shell/drill/drill_catalogue.h"
#include "shell/drill/drill_session.h"
#include "terrain/bitmap_reader.h"

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

bool parse_mode(std::string_view text, ScreenMode& mode)
{
    for (const ModeName& m : mode_names) {
        if (m.name == text) {
            mode = m.mode;
            return true;
        }
    }
    return false;
}

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

namespace {

// The drill options once all are read: the drill found and its map checked,
// and nothing that would contradict it.
bool check_drill_choices(QuickStart& choices, const char* drill, std::string& error)
{
    if (drill == nullptr) {
        if (choices.seed_given) {
            error = "--seed needs --drill";
            return false;
        }
        return true;
    }
    if (choices.round.map != nullptr || choices.wind_given) {
        error = "--drill sets the map and the wind; leave out --map and --wind";
        return false;
    }
    if (!find_drill(drill, choices.drill, error)) return false;
    std::string reason;
    if (choices.drill.map_kind == DrillMap::file && !check_map_file(choices.drill.map, reason)) {
        error = std::string(choices.drill.map) + ": " + reason;
        return false;
    }
    choices.drill_given = true;
    return true;
}

}  // namespace

bool parse_quick_start(int argc, char** argv, QuickStart& choices, std::string& error)
{
    choices = QuickStart{};
    const char* drill = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg != "--map" && arg != "--mode" && arg != "--wind" && arg != "--drill" && arg != "--seed" &&
            arg != "--history") {
            error = "unknown option '" + std::string(arg) + "' (see --help)";
            return false;
        }
        if (i + 1 >= argc) {
            error = std::string(arg) + " needs a value";
            return false;
        }
        const char* value = argv[++i];
        if (arg == "--history") {
            choices.history = value;
            continue;
        }
        choices.requested = true;
        if (arg == "--map") {
            std::string reason;
            if (std::strlen(value) >= map_name_size) {
                error = "map path longer than " + std::to_string(map_name_size - 1) + " characters";
                return false;
            }
            if (!check_map_file(value, reason)) {
                error = std::string(value) + ": " + reason;
                return false;
            }
            choices.round.map = value;
        } else if (arg == "--mode") {
            if (!parse_mode(value, choices.mode)) {
                error = "bad mode '" + std::string(value) + "': stretch, full32, full16 or windowed";
                return false;
            }
        } else if (arg == "--drill") {
            drill = value;
        } else if (arg == "--seed") {
            if (!parse_seed(value, choices.seed)) {
                error = "bad seed '" + std::string(value) + "': a whole number from 0 to 4294967295";
                return false;
            }
            choices.seed_given = true;
        } else {
            if (!parse_wind(value, choices.round)) {
                error = "bad wind '" + std::string(value) + "': " + wind_values;
                return false;
            }
            choices.wind_given = true;
        }
    }
    return check_drill_choices(choices, drill, error);
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

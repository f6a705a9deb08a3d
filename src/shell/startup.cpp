// Start-up order after the windows exist, and the end of the run.
#include "shell/startup.h"

#include <cstdio>

#include "formats/history/history.h"
#include "shell/drill/drill_session.h"
#include "sim/practice.h"
#include "terrain/map_catalogue.h"

namespace qm {

namespace {

// The history of the desktop's drills: --history, or the platform's place
// for the user's files. Without either, or with a place too long to keep
// whole, drills keep none.
void choose_history(World& world, const QuickStart& choices)
{
    std::string path;
    std::string reason;
    if (choices.history != nullptr) {
        path = choices.history;
    } else if (!default_history_path(path, reason)) {
        path.clear();
    }
    if (path.size() >= sizeof world.drill.history_file) {
        std::fprintf(stderr, "qmsim: %s: a path longer than %zu bytes; drills keep no history\n", path.c_str(),
                     sizeof world.drill.history_file - 1);
        path.clear();
    }
    std::snprintf(world.drill.history_file, sizeof world.drill.history_file, "%s", path.c_str());
}

void start_quick_drill(World& world, const QuickStart& choices)
{
    std::string warning;
    std::string error;
    const std::uint32_t seed = choices.seed_given ? choices.seed : clock_seed();
    if (!start_drill(world, choices.drill, seed, warning, error)) {
        std::fprintf(stderr, "qmsim: %s\n", error.c_str());
    } else if (!warning.empty()) {
        std::fprintf(stderr, "qmsim: %s\n", warning.c_str());
    }
}

// The first frames of a run say where the help is (for two seconds).
constexpr const char* help_hint = "F1: controls and help";

}  // namespace

int run_shell(World& world, MessageLoop& loop, Display& display, const QuickStart& choices)
{
    fill_circle_samp(world);
    get_map_names(world);
    choose_history(world, choices);
    loop.controls.file = choices.controls;
    loop.controls_changed();
    if (!choices.quiet_start) show_notice(world, help_hint);
    DialgProc(loop.dialog_context(), WM_INITDIALOG, 0, 0);
    if (choices.requested) {
        quick_start(loop.dialog_context(), choices);
        if (choices.drill_given) start_quick_drill(world, choices);
    } else {
        loop.show_window(Window::dialog, true);
    }
    int exit_code = loop.run();
    record_abandoned(world, loop);
    // Undoes any screen switch of the full-screen modes.
    display.restore_display_settings();
    return exit_code;
}

}  // namespace qm

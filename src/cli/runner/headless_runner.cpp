// The headless session: sets the world up as the dialog's Start would, then
// runs the script line by line through the platform shells' message loop,
// so every input takes the path it takes on the desktop and the page.
#include "cli/runner/headless_runner.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "cli/controls_options.h"
#include "cli/output.h"
#include "cli/runner/headless_script.h"
#include "cli/runner/script_events.h"
#include "formats/challenge/challenge_pack.h"
#include "formats/text_file.h"
#include "shell/dialog/load_resources.h"
#include "shell/display_modes.h"
#include "shell/drill/drill_session.h"
#include "shell/exit_codes.h"
#include "shell/message_loop.h"
#include "sim/practice.h"
#include "sim/world.h"

namespace qm {

namespace {

// The windows the runner has not: nothing shows, and a message box's line
// goes to the error stream through the loop's log alone. The clipboard is
// the output: what is copied is written there as a line.
class HeadlessHost final : public WindowHost {
public:
    explicit HeadlessHost(std::FILE* out) : out_(out) {}
    bool copy_text(const char* text, std::string&) override
    {
        std::fprintf(out_, "copied: %s\n", text);
        return true;
    }
    void show_window(Window, bool) override {}
    void message_box(const char*, const char*) override {}
    void move_pointer_absolute(int, int) override {}
    LRESULT default_window_proc(unsigned, WPARAM, LPARAM) override { return 0; }
    void paint_dialog(DialogContext&) override {}

private:
    std::FILE* out_;
};

// No screen to switch: the round is set up before the script runs, so the
// dialog's Start, the only one to ask, finds it running.
class HeadlessDisplay final : public Display {
public:
    void set_main_window_pos(int, int, int, int) override {}
    bool enum_display_settings(int, DisplayMode&) override { return false; }
    int change_display_settings(const DisplayMode&) override { return 1; }
    void restore_display_settings() override {}
};

// A script has no cap on its length: it is run as it is read.
constexpr std::size_t unbounded_script = SIZE_MAX;

// The script through the platform shells' message loop, accelerators and
// all; returns the exit code.
int run_script(World& world, const ControlsFile& controls, TextLines& script, const std::vector<CommandInput>& inputs,
               std::FILE* out, std::FILE* err)
{
    Dialog dialog;
    AcceleratorTable accelerators;
    std::string error;
    if (!load_dialog_resources(dialog, accelerators, error)) {
        std::fprintf(err, "qmsim: %s\n", error.c_str());
        return exit_failed;
    }
    HeadlessHost host(out);
    HeadlessDisplay display;
    ScriptEvents events(world, script, inputs, out, err);
    MessageLoop loop(world, dialog, display, accelerators, events, host);
    loop.message_log = err;
    loop.output = out;
    loop.controls.file = controls;
    events.attach(loop);
    const int result = loop.run();
    record_abandoned(world, loop);
    return result;
}

// The script: a plain file, or the standard input without --script or
// with --script -.
bool open_script(TextLines& script, const char* path, std::FILE* in, std::string& reason)
{
    if (path == nullptr || std::string_view(path) == "-") {
        script.attach(in);
        return true;
    }
    return script.open(path, reason);
}

// The files the run reads, which neither a frame nor the history may be.
std::vector<CommandInput> run_inputs(const HeadlessOptions& options, const DrillRules& drill)
{
    std::vector<CommandInput> inputs;
    if (options.script != nullptr && std::string_view(options.script) != "-") inputs.push_back({"--script", options.script});
    if (options.map != nullptr) inputs.push_back({"--map", options.map});
    if (options.drill.drill != nullptr) inputs.push_back({"--drill", options.drill.drill});
    if (options.drill.challenge != nullptr && is_pack_path(options.drill.challenge)) {
        inputs.push_back({"--challenge", options.drill.challenge});
    }
    if (options.controls != nullptr) inputs.push_back({"--controls", options.controls});
    if (drill.map_kind == DrillMap::file) inputs.push_back({"the drill's map", drill.map});
    return inputs;
}

// The drill of --drill, begun before the first tick. The history only with
// --history, for it and for every drill the script starts from the menu.
bool start_headless_drill(World& world, const HeadlessOptions& options, const DrillRules& drill, std::FILE* err,
                          std::string& error)
{
    const DrillOptions& given = options.drill;
    if (given.history != nullptr) {
        std::snprintf(world.drill.history_file, sizeof world.drill.history_file, "%s", given.history);
    }
    if (!drill_asked(given)) return true;
    std::string warning;
    if (!start_drill(world, drill, given.seed_given ? given.seed : clock_seed(), warning, error)) return false;
    if (!warning.empty()) std::fprintf(err, "qmsim: %s\n", warning.c_str());
    return true;
}

}  // namespace

int run_headless(int argc, char** argv, std::FILE* in, std::FILE* out, std::FILE* err)
{
    HeadlessOptions options;
    std::string error;
    if (!parse_headless_options(argc, argv, options, error)) return refuse_options(headless_command(options), error, err);
    if (options.help) return print_help(headless_command(options), out, err);

    DrillRules drill;
    ControlsFile controls;
    // The runner plays by the preset of a missing file unless it is given a
    // file, so a script means the same on every machine.
    if ((drill_asked(options.drill) && !find_asked_drill(options.drill, drill, error)) ||
        (options.controls != nullptr && !load_controls(options.controls, controls, error))) {
        std::fprintf(err, "qmsim: %s\n", error.c_str());
        return exit_bad_input;
    }
    std::vector<CommandInput> inputs = run_inputs(options, drill);
    if (options.drill.history != nullptr) {
        error = same_file_refusal("--history", options.drill.history, inputs);
        if (!error.empty()) return refuse_options(headless_command(options), error, err);
        inputs.push_back({"--history", options.drill.history});
    }

    TextLines script(unbounded_script);
    if (!open_script(script, options.script, in, error)) {
        std::fprintf(err, "qmsim: cannot open the script %s: %s\n", options.script, error.c_str());
        return exit_bad_input;
    }

    // The world is far too large for the stack.
    auto world = std::make_unique<World>();
    int result = exit_bad_input;
    if (set_up_round(*world, options, error) && start_headless_drill(*world, options, drill, err, error)) {
        arm_practice(*world);
        result = run_script(*world, controls, script, inputs, out, err);
    } else {
        std::fprintf(err, "qmsim: %s\n", error.c_str());
    }

    if (result == exit_ok && !output_flushed(out, err)) result = exit_failed;
    // The history's promise: a session that could not be kept is no success.
    if (result == exit_ok && world->drill.history_lost) result = exit_failed;
    return result;
}

}  // namespace qm

// The headless session: sets the world up as the dialog's Start would, then
// runs the script line by line, every input going through WindowProcedure
// exactly as the shell's messages do.
#include "cli/runner/headless_runner.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "cli/controls_options.h"
#include "cli/output.h"
#include "cli/runner/headless_script.h"
#include "cli/runner/state_json.h"
#include "formats/challenge/challenge_pack.h"
#include "formats/json.h"
#include "formats/text_file.h"
#include "formats/words.h"
#include "raster/png_writer.h"
#include "shell/drill/drill_session.h"
#include "shell/exit_codes.h"
#include "shell/platform.h"
#include "shell/window_procedure.h"
#include "sim/practice.h"
#include "sim/shot_record.h"
#include "sim/world.h"

namespace qm {

namespace {

// Records what the simulation asks of the platform; there is no pointer to
// move and no default handling to do.
class HeadlessPlatform final : public Platform {
public:
    explicit HeadlessPlatform(std::FILE* err) : err_(err) {}

    bool quit = false;
    int exit_code = 0;

    void post_quit(int code) override
    {
        if (!quit) exit_code = code;
        quit = true;
    }
    void move_pointer_absolute(int, int) override {}
    LRESULT default_window_proc(unsigned, WPARAM, LPARAM) override { return 0; }
    void report_error(const char* line) override { std::fprintf(err_, "%s\n", line); }

private:
    std::FILE* err_;
};

// A script line longer than this is refused rather than read on: a file
// with no line breaks (or a standard input without end) must not fill the
// memory. A script has no cap on its length: it is run as it is read.
constexpr std::size_t max_script_line = 4096;
constexpr std::size_t unbounded_script = SIZE_MAX;

struct Session {
    World& world;
    HeadlessPlatform platform;
    const std::vector<CommandInput>& inputs;  // no frame is written over one
    long long ticks = 0;
    JsonWriter state_line;  // kept from one `state` to the next
};

void send(Session& s, unsigned message, WPARAM wparam, LPARAM lparam)
{
    WindowProcedure(s.world, s.platform, message, wparam, lparam);
}

void tick(Session& s)
{
    send(s, WM_TIMER, tick_timer_id, 0);
    ++s.ticks;
}

void press(Session& s, unsigned key)
{
    send(s, WM_KEYDOWN, key, 0);
    send(s, WM_KEYUP, key, 0);
}

// Runs one command; returns -1 to go on, or the exit code.
int execute(Session& s, const ScriptCommand& command, long line_number, std::FILE* out, std::FILE* err)
{
    switch (command.kind) {
    case ScriptCommandKind::nothing: break;
    case ScriptCommandKind::tick:
        for (long i = 0; i < command.count; ++i) tick(s);
        break;
    case ScriptCommandKind::until_rest:
        for (long i = 0; i < command.count && !round_at_rest(s.world); ++i) tick(s);
        break;
    case ScriptCommandKind::until_ready:
        for (long i = 0; i < command.count && !round_ready(s.world); ++i) tick(s);
        break;
    case ScriptCommandKind::aim:
        // A drill that fixes the angle keeps it; the power is set still.
        if (!drill_angle_fixed(s.world)) s.world.vang = command.angle;
        s.world.v0 = command.power;
        break;
    case ScriptCommandKind::face: press(s, command.key); break;
    case ScriptCommandKind::fire: press(s, VK_F); break;
    case ScriptCommandKind::key_down: send(s, WM_KEYDOWN, command.key, 0); break;
    case ScriptCommandKind::key_up: send(s, WM_KEYUP, command.key, 0); break;
    case ScriptCommandKind::rbutton_down: send(s, WM_RBUTTONDOWN, 0, make_mouse_lparam(command.x, command.y)); break;
    case ScriptCommandKind::mouse_move: send(s, WM_MOUSEMOVE, 0, make_mouse_lparam(command.x, command.y)); break;
    case ScriptCommandKind::rbutton_up: send(s, WM_RBUTTONUP, 0, make_mouse_lparam(0, 0)); break;
    case ScriptCommandKind::wheel:
        send(s, WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<std::uint16_t>(command.count * wheel_notch)) << 16, 0);
        break;
    case ScriptCommandKind::pad_down: send(s, WM_PAD_BUTTON, command.key, 1); break;
    case ScriptCommandKind::pad_up: send(s, WM_PAD_BUTTON, command.key, 0); break;
    case ScriptCommandKind::pad_axis: send(s, WM_PAD_AXIS, command.key, static_cast<LPARAM>(command.value)); break;
    case ScriptCommandKind::state:
        write_state_json(s.world, s.platform.controls.file, s.ticks, s.state_line, out);
        if (!output_flushed(out, err)) return exit_failed;
        break;
    case ScriptCommandKind::frame: {
        std::string reason = same_file_refusal("frame", command.path.c_str(), s.inputs);
        if (!reason.empty()) {
            std::fprintf(err, "qmsim: script line %ld: %s\n", line_number, reason.c_str());
            return exit_bad_input;
        }
        if (!write_png(s.world.memoria, command.path.c_str(), reason)) {
            std::fprintf(err, "qmsim: script line %ld: cannot write the frame to %s: %s\n", line_number,
                         command.path.c_str(), reason.c_str());
            return exit_failed;
        }
        break;
    }
    }
    if (s.platform.quit) return s.platform.exit_code;
    return -1;
}

int run_script(World& world, const ControlsFile& controls, TextLines& script, const std::vector<CommandInput>& inputs,
               std::FILE* out, std::FILE* err)
{
    Session session{world, HeadlessPlatform(err), inputs, 0, {}};
    session.platform.controls.file = controls;
    std::string line;
    std::string error;
    ScriptCommand command;
    long line_number = 0;
    for (TextLines::Read read; (read = script.next(line, max_script_line)) != TextLines::Read::end;) {
        if (read == TextLines::Read::failed) {
            std::fprintf(err, "qmsim: script read failed after line %ld: %s\n", line_number, script.reason().c_str());
            return exit_bad_input;
        }
        ++line_number;
        if (line_number == 1 && std::string_view(line).starts_with(byte_order_mark)) {
            line.erase(0, byte_order_mark.size());
        }
        if (read == TextLines::Read::too_long) {
            std::fprintf(err, "qmsim: script line %ld: longer than %zu characters\n", line_number, max_script_line);
            return exit_bad_input;
        }
        if (!parse_script_line(line, command, error)) {
            std::fprintf(err, "qmsim: script line %ld: %s\n", line_number, error.c_str());
            return exit_bad_input;
        }
        int result = execute(session, command, line_number, out, err);
        if (result >= 0) return result;
    }
    return exit_ok;
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

// The drill of --drill, begun before the first tick; its history only with
// --history.
bool start_headless_drill(World& world, const HeadlessOptions& options, const DrillRules& drill, std::FILE* err,
                          std::string& error)
{
    const DrillOptions& given = options.drill;
    if (!drill_asked(given)) return true;
    if (given.history != nullptr) {
        std::snprintf(world.drill.history_file, sizeof world.drill.history_file, "%s", given.history);
    }
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
        HeadlessPlatform closing(err);
        record_abandoned(*world, closing);
    } else {
        std::fprintf(err, "qmsim: %s\n", error.c_str());
    }

    if (result == exit_ok && !output_flushed(out, err)) result = exit_failed;
    // The history's promise: a session that could not be kept is no success.
    if (result == exit_ok && world->drill.history_lost) result = exit_failed;
    return result;
}

}  // namespace qm

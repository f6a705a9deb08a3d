// The headless session: sets the world up as the dialog's Start would, then
// runs the script line by line, every input going through WindowProcedure
// exactly as the shell's messages do.
#include "cli/runner/headless_runner.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "cli/controls_options.h"
#include "cli/output.h"
#include "cli/runner/headless_script.h"
#include "cli/runner/state_json.h"
#include "raster/png_writer.h"
#include "shell/drill/drill_catalogue.h"
#include "shell/drill/drill_session.h"
#include "shell/exit_codes.h"
#include "shell/platform.h"
#include "shell/window_procedure.h"
#include "shell/words.h"
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
// with no line breaks (or a device without end) must not fill the memory.
constexpr std::size_t max_script_line = 4096;

enum class LineRead { line, end, too_long };

// Reads one line without its line break.
LineRead read_line(std::FILE* in, std::string& line)
{
    line.clear();
    int c = std::getc(in);
    if (c == EOF) return LineRead::end;
    while (c != EOF && c != '\n') {
        if (line.size() == max_script_line) return LineRead::too_long;
        line.push_back(static_cast<char>(c));
        c = std::getc(in);
    }
    return LineRead::line;
}

struct Session {
    World& world;
    HeadlessPlatform platform;
    long long ticks = 0;
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
        write_state_json(s.world, s.platform.controls.file, s.ticks, out);
        if (!output_flushed(out, err)) return exit_failed;
        break;
    case ScriptCommandKind::frame: {
        std::string reason;
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

int run_script(World& world, const ControlsFile& controls, std::FILE* script, std::FILE* out, std::FILE* err)
{
    Session session{world, HeadlessPlatform(err), 0};
    session.platform.controls.file = controls;
    std::string line;
    std::string error;
    ScriptCommand command;
    long line_number = 0;
    for (LineRead read; (read = read_line(script, line)) != LineRead::end;) {
        ++line_number;
        if (line_number == 1 && std::string_view(line).starts_with(byte_order_mark)) {
            line.erase(0, byte_order_mark.size());
        }
        if (read == LineRead::too_long) {
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
    if (std::ferror(script)) {
        std::fprintf(err, "qmsim: script read failed after line %ld\n", line_number);
        return exit_bad_input;
    }
    return exit_ok;
}

// Opens a script file; null, with the system's reason, when it cannot be
// read (a folder opens, but reads as nothing).
std::FILE* open_script(const char* path, std::string& reason)
{
    std::FILE* script = std::fopen(path, "rb");
    if (script == nullptr) {
        reason = std::strerror(errno);
        return nullptr;
    }
    struct stat info {};
    if (::fstat(::fileno(script), &info) == 0 && S_ISDIR(info.st_mode)) {
        std::fclose(script);
        reason = std::strerror(EISDIR);
        return nullptr;
    }
    return script;
}

// The drill of --drill, begun before the first tick; its history only with
// --history.
bool start_headless_drill(World& world, const HeadlessOptions& options, const DrillRules& drill, std::FILE* err,
                          std::string& error)
{
    const DrillOptions& given = options.drill;
    if (given.drill == nullptr) return true;
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
    // The runner plays by the classic preset unless it is given a file, so
    // a script means the same on every machine.
    if ((options.drill.drill != nullptr && !find_drill(options.drill.drill, drill, error)) ||
        (options.controls != nullptr && !load_controls(options.controls, controls, error))) {
        std::fprintf(err, "qmsim: %s\n", error.c_str());
        return exit_bad_input;
    }

    std::FILE* script = in;
    if (options.script != nullptr) {
        script = open_script(options.script, error);
        if (script == nullptr) {
            std::fprintf(err, "qmsim: cannot open the script %s: %s\n", options.script, error.c_str());
            return exit_bad_input;
        }
    }

    // The world is far too large for the stack.
    auto world = std::make_unique<World>();
    int result = exit_bad_input;
    if (set_up_round(*world, options, error) && start_headless_drill(*world, options, drill, err, error)) {
        arm_practice(*world);
        result = run_script(*world, controls, script, out, err);
        HeadlessPlatform closing(err);
        record_abandoned(*world, closing);
    } else {
        std::fprintf(err, "qmsim: %s\n", error.c_str());
    }

    if (script != in) std::fclose(script);
    if (result == exit_ok && !output_flushed(out, err)) result = exit_failed;
    return result;
}

}  // namespace qm

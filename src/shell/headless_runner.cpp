// The headless session: sets the world up as the dialog's Start would, then
// runs the script line by line, every input going through WindowProcedure
// exactly as the shell's messages do.
#include "shell/headless_runner.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <memory>
#include <string_view>

#include "raster/png_writer.h"
#include "shell/headless_script.h"
#include "shell/platform.h"
#include "shell/state_json.h"
#include "shell/window_procedure.h"
#include "sim/round_start.h"
#include "sim/world.h"
#include "terrain/bitmap_reader.h"
#include "terrain/load_map.h"

namespace qm {

namespace {

constexpr const char* usage =
    "usage: qmsim --headless [--map FILE] [--wind random:N | --wind fixed:S:A] [--script FILE]\n";

constexpr int exit_ok = 0;
constexpr int exit_failed = 1;
constexpr int exit_bad_input = 2;

// The ranges the configuration dialog offers.
constexpr int min_turns = 1;
constexpr int max_turns = 20;
constexpr int max_fixed_wind = 25;
constexpr int max_fixed_wang = 359;

// The headless desktop, against which pointer moves are normalised.
constexpr int headless_desk_width = frame_width;
constexpr int headless_desk_height = frame_height;

// A whole number without sign within [low, high], the whole of text.
bool parse_bounded(std::string_view text, int low, int high, int& value)
{
    if (text.empty() || text.front() < '0' || text.front() > '9') return false;
    int parsed = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (ec != std::errc() || end != text.data() + text.size() || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

bool parse_wind(std::string_view text, HeadlessOptions& options)
{
    constexpr std::string_view random_prefix = "random:";
    constexpr std::string_view fixed_prefix = "fixed:";
    if (text.starts_with(random_prefix)) {
        int turns = 0;
        if (!parse_bounded(text.substr(random_prefix.size()), min_turns, max_turns, turns)) return false;
        options.random_wind = 1;
        options.wind_change_turn = turns;
        return true;
    }
    if (text.starts_with(fixed_prefix)) {
        std::string_view rest = text.substr(fixed_prefix.size());
        std::size_t colon = rest.find(':');
        if (colon == std::string_view::npos) return false;
        int strength = 0;
        int angle = 0;
        if (!parse_bounded(rest.substr(0, colon), 0, max_fixed_wind, strength)) return false;
        if (!parse_bounded(rest.substr(colon + 1), 0, max_fixed_wang, angle)) return false;
        options.random_wind = 0;
        options.wind = strength;
        options.wang = angle;
        return true;
    }
    return false;
}

// Records what the simulation asks of the platform; there is no pointer to
// move and no default handling to do.
class HeadlessPlatform final : public Platform {
public:
    bool quit = false;
    int exit_code = 0;

    void post_quit(int code) override
    {
        if (!quit) exit_code = code;
        quit = true;
    }
    void move_pointer_absolute(int, int) override {}
    LRESULT default_window_proc(unsigned, WPARAM, LPARAM) override { return 0; }
};

// The dialog's Start: surfaces, wind settings, then the map built to the end.
int start(World& world, const HeadlessOptions& options, std::FILE* err)
{
    world.DeskCap_X = headless_desk_width;
    world.DeskCap_Y = headless_desk_height;
    fill_circle_samp(world);

    if (options.map != nullptr && !is_map_file(options.map)) {
        std::fprintf(err,
                     "qmsim: %s cannot be used as a map: it must be a readable 1-bit bitmap, 800 pixels high and "
                     "at most 3200 wide\n",
                     options.map);
        return exit_bad_input;
    }
    start_round(world, RoundSettings{options.map, options.random_wind, options.wind_change_turn, options.wind,
                                     options.wang});
    if (options.map != nullptr) {
        build_terrain(world, world);
        world.loading = 0;
    }
    world.loaded = 1;
    return exit_ok;
}

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

// Runs one command; returns -1 to go on, or the exit code.
int execute(Session& s, const ScriptCommand& command, long line_number, std::FILE* out, std::FILE* err)
{
    switch (command.kind) {
    case ScriptCommandKind::nothing: break;
    case ScriptCommandKind::tick:
        for (long i = 0; i < command.count; ++i) {
            send(s, WM_TIMER, tick_timer_id, 0);
            ++s.ticks;
        }
        break;
    case ScriptCommandKind::key_down: send(s, WM_KEYDOWN, command.key, 0); break;
    case ScriptCommandKind::key_up: send(s, WM_KEYUP, command.key, 0); break;
    case ScriptCommandKind::rbutton_down: send(s, WM_RBUTTONDOWN, 0, make_mouse_lparam(command.x, command.y)); break;
    case ScriptCommandKind::mouse_move: send(s, WM_MOUSEMOVE, 0, make_mouse_lparam(command.x, command.y)); break;
    case ScriptCommandKind::rbutton_up: send(s, WM_RBUTTONUP, 0, make_mouse_lparam(0, 0)); break;
    case ScriptCommandKind::state:
        write_state_json(s.world, s.ticks, out);
        std::fflush(out);
        break;
    case ScriptCommandKind::frame:
        if (!write_png(s.world.memoria, command.path.c_str())) {
            std::fprintf(err, "qmsim: script line %ld: cannot write the frame to %s\n", line_number,
                         command.path.c_str());
            return exit_failed;
        }
        break;
    }
    if (s.platform.quit) return s.platform.exit_code;
    return -1;
}

int run_script(World& world, std::FILE* script, std::FILE* out, std::FILE* err)
{
    Session session{world, {}, 0};
    std::string line;
    std::string error;
    ScriptCommand command;
    long line_number = 0;
    for (LineRead read; (read = read_line(script, line)) != LineRead::end;) {
        ++line_number;
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

}  // namespace

bool parse_headless_options(int argc, char** argv, HeadlessOptions& options, std::string& error)
{
    options = HeadlessOptions{};
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--headless") continue;
        if (arg == "--help") {
            options.help = true;
            continue;
        }
        if (arg == "--map" || arg == "--script" || arg == "--wind") {
            if (i + 1 >= argc) {
                error = std::string(arg) + " needs a value";
                return false;
            }
            const char* value = argv[++i];
            if (arg == "--map") {
                options.map = value;
            } else if (arg == "--script") {
                options.script = value;
            } else if (!parse_wind(value, options)) {
                error = "bad wind '" + std::string(value) + "': random:N with N from 1 to 20, or fixed:S:A with S "
                        "from 0 to 25 and A from 0 to 359";
                return false;
            }
            continue;
        }
        error = "unknown option '" + std::string(arg) + "'";
        return false;
    }
    return true;
}

int run_headless(int argc, char** argv, std::FILE* in, std::FILE* out, std::FILE* err)
{
    HeadlessOptions options;
    std::string error;
    if (!parse_headless_options(argc, argv, options, error)) {
        std::fprintf(err, "qmsim: %s\n%s", error.c_str(), usage);
        return exit_bad_input;
    }
    if (options.help) {
        std::fputs(usage, out);
        return exit_ok;
    }

    std::FILE* script = in;
    if (options.script != nullptr) {
        script = std::fopen(options.script, "rb");
        if (script == nullptr) {
            std::fprintf(err, "qmsim: cannot open the script %s: %s\n", options.script, std::strerror(errno));
            return exit_bad_input;
        }
    }

    // The world is far too large for the stack.
    auto world = std::make_unique<World>();
    int result = start(*world, options, err);
    if (result == exit_ok) result = run_script(*world, script, out, err);

    if (script != in) std::fclose(script);
    std::fflush(out);
    return result;
}

}  // namespace qm

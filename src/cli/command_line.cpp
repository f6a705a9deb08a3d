// The choice between the desktop, the headless runner, the shot table and chart,
// and the runs that need no window.
#include "cli/command_line.h"

#include <string_view>

#include "cli/chart/chart_options.h"
#include "cli/chart/shot_chart.h"
#include "cli/coach/coach_command.h"
#include "cli/controls_options.h"
#include "cli/drill/challenge_command.h"
#include "cli/drill/drill_commands.h"
#include "cli/output.h"
#include "cli/quick_start_options.h"
#include "cli/runner/headless_runner.h"
#include "cli/solve/shot_solve.h"
#include "cli/table/shot_table.h"
#include "shell/exit_codes.h"

namespace qm {

namespace {

constexpr const char* description =
    "QM Simulator: practise artillery shots on destructible terrain.\n"
    "\n"
    "Without options the configuration dialog comes up; the maps offered are the 1-bit,\n"
    "800 pixel high .bmp files of the working directory. Any of --map, --mode and --wind\n"
    "skips the dialog and starts the round with those choices (the dialog's defaults for\n"
    "the rest).\n"
    "\n"
    "--headless runs without a window: a script (from --script FILE or standard input)\n"
    "of ticks, key presses and pointer moves drives the simulation; `state` prints it as\n"
    "JSON and `frame PATH` writes the frame as PNG. Without --map the flat map is used;\n"
    "the wind defaults to random:3.\n"
    "\n"
    "table prints, as CSV, where a shot lands for every angle and power of a grid, fired\n"
    "from the player's spot once both units have landed (README: Shot tables).\n"
    "\n"
    "solve prints, as CSV, the hit window at each angle: the power that costs the target\n"
    "most and the powers around it that still cost it half as much (README: The hit window).\n"
    "\n"
    "chart draws, as PNG, the power that carries a shot each distance in each of a few\n"
    "winds, and prints a rule of thumb (README: Shot charts).\n"
    "\n"
    "--drill plays a drill: rounds with a target at a drawn distance and wind, scored;\n"
    "drills lists them, history shows the sessions kept (README: Drills).\n"
    "\n"
    "coach reads the history into bands of distance and wind, rates the player and names\n"
    "the weakest bands (README: Coach; docs/coach.md).\n"
    "\n"
    "challenge prints a drill and its seed as a code to send (--pack: a file with its map);\n"
    "--challenge CODE|PACK plays one, the same targets and winds on every build (README:\n"
    "Challenges).\n"
    "\n"
    "controls prints the bindings of keys, the wheel and a game pad in effect and the file\n"
    "they came from (README: Controls; the file's format: docs/controls.md).\n";

// Every command's usage under the first, each "usage: " made blank.
std::string program_usage()
{
    constexpr std::string_view opening = "usage: ";
    std::string usage = "usage: qmsim [--help] [--version]\n";
    for (const std::string& command : {quick_start_usage(), headless_usage(), table_usage(), solve_usage(), chart_usage(),
                                       drills_usage(), history_usage(), coach_usage(), challenge_usage(),
                                       controls_usage()}) {
        usage += std::string(opening.size(), ' ') + command.substr(opening.size());
    }
    return usage;
}

}  // namespace

ProgramRequest read_command_line(int argc, char** argv)
{
    if (argc > 1 && std::string_view(argv[1]) == "table") return {ProgramMode::table, {}, {}};
    if (argc > 1 && std::string_view(argv[1]) == "solve") return {ProgramMode::solve, {}, {}};
    if (argc > 1 && std::string_view(argv[1]) == "chart") return {ProgramMode::chart, {}, {}};
    if (argc > 1 && std::string_view(argv[1]) == "drills") return {ProgramMode::drills, {}, {}};
    if (argc > 1 && std::string_view(argv[1]) == "history") return {ProgramMode::history, {}, {}};
    if (argc > 1 && std::string_view(argv[1]) == "coach") return {ProgramMode::coach, {}, {}};
    if (argc > 1 && std::string_view(argv[1]) == "challenge") return {ProgramMode::challenge, {}, {}};
    if (argc > 1 && std::string_view(argv[1]) == "controls") return {ProgramMode::controls, {}, {}};
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--headless") return {ProgramMode::headless, {}, {}};
    }
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--version") return {ProgramMode::version, {}, {}};
        if (arg == "--help") return {ProgramMode::help, {}, {}};
        if (arg == "--script") return {ProgramMode::refused, "--script needs --headless", {}};
    }
    ProgramRequest request;
    std::string usage;
    if (!parse_quick_start(argc, argv, request.quick, request.error, usage)) {
        request.mode = ProgramMode::refused;
        request.error.append("\n").append(usage);
    }
    return request;
}

bool run_command_line(int argc, char** argv, std::FILE* in, std::FILE* out, std::FILE* err, int& exit_code,
                      QuickStart& quick)
{
    ProgramRequest request = read_command_line(argc, argv);
    switch (request.mode) {
    case ProgramMode::headless: exit_code = run_headless(argc, argv, in, out, err); return true;
    case ProgramMode::table: exit_code = run_table(argc - 1, argv + 1, out, err); return true;
    case ProgramMode::solve: exit_code = run_solve(argc - 1, argv + 1, out, err); return true;
    case ProgramMode::chart: exit_code = run_chart(argc - 1, argv + 1, out, err); return true;
    case ProgramMode::drills: exit_code = run_drills(argc - 1, argv + 1, out, err); return true;
    case ProgramMode::history: exit_code = run_history(argc - 1, argv + 1, out, err); return true;
    case ProgramMode::coach: exit_code = run_coach(argc - 1, argv + 1, out, err); return true;
    case ProgramMode::challenge: exit_code = run_challenge(argc - 1, argv + 1, out, err); return true;
    case ProgramMode::controls: exit_code = run_controls(argc - 1, argv + 1, out, err); return true;
    case ProgramMode::version:
        std::fprintf(out, "qmsim %s\n", QM_VERSION);
        exit_code = output_flushed(out, err) ? exit_ok : exit_failed;
        return true;
    case ProgramMode::help:
        std::fprintf(out, "%s%s", program_usage().c_str(), description);
        exit_code = output_flushed(out, err) ? exit_ok : exit_failed;
        return true;
    case ProgramMode::refused:
        std::fprintf(err, "qmsim: %s\n", request.error.c_str());
        exit_code = exit_bad_input;
        return true;
    case ProgramMode::desktop: break;
    }
    quick = request.quick;
    return false;
}

}  // namespace qm

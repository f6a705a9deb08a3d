// The choice between the desktop, the headless runner and the shot table.
#include "shell/command_line.h"

#include <string_view>

namespace qm {

namespace {

// Options that only the headless runner takes (the desktop has no use for
// them yet).
constexpr std::string_view headless_options[] = {"--map", "--wind", "--script"};

}  // namespace

ProgramRequest read_command_line(int argc, char** argv)
{
    if (argc > 1 && std::string_view(argv[1]) == "table") return {ProgramMode::table, {}};
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--headless") return {ProgramMode::headless, {}};
    }
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--version") return {ProgramMode::version, {}};
        if (arg == "--help") return {ProgramMode::help, {}};
        for (std::string_view option : headless_options) {
            if (arg == option) return {ProgramMode::refused, std::string(arg) + " needs --headless"};
        }
        return {ProgramMode::refused, "unknown option '" + std::string(arg) + "' (see --help)"};
    }
    return {ProgramMode::desktop, {}};
}

}  // namespace qm

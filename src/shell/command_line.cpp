// The choice between the desktop, the headless runner and the shot table.
#include "shell/command_line.h"

#include <string_view>

namespace qm {

namespace {

// The usage line, without its line break, after a refused quick start.
std::string usage_line()
{
    std::string usage = quick_start_usage;
    if (!usage.empty() && usage.back() == '\n') usage.pop_back();
    return usage;
}

}  // namespace

ProgramRequest read_command_line(int argc, char** argv)
{
    if (argc > 1 && std::string_view(argv[1]) == "table") return {ProgramMode::table, {}, {}};
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
    if (!parse_quick_start(argc, argv, request.quick, request.error)) {
        request.mode = ProgramMode::refused;
        request.error.append("\n").append(usage_line());
    }
    return request;
}

}  // namespace qm

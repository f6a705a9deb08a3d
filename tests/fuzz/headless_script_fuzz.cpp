// Feeds arbitrary bytes, line by line, to the headless script parser: every
// line must be accepted with a well-formed command or refused with a reason.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "main/headless_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    qm::ScriptCommand command;
    std::string error;
    while (!input.empty()) {
        std::size_t end = input.find('\n');
        std::string_view line = input.substr(0, end);
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
        if (!qm::parse_script_line(line, command, error)) {
            if (error.empty()) std::abort();
            continue;
        }
        using qm::ScriptCommandKind;
        if (command.kind == ScriptCommandKind::tick &&
            (command.count < 1 || command.count > qm::max_ticks_per_command))
            std::abort();
        if ((command.kind == ScriptCommandKind::rbutton_down || command.kind == ScriptCommandKind::mouse_move) &&
            (command.x < 0 || command.x >= qm::headless_client_width || command.y < 0 ||
             command.y >= qm::headless_client_height))
            std::abort();
        if (command.kind == ScriptCommandKind::frame && command.path.empty()) std::abort();
    }
    return 0;
}

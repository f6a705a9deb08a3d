// Feeds arbitrary bytes to the controls file's reader: the text must be
// accepted with a table that keeps the rules (no input doing two things in
// one context, Escape only quitting or closing) and that, written out and
// read back, is the same table; or refused with one line naming a line of
// the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "formats/controls/controls_file.h"
#include "formats/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    qm::Preset preset = qm::Preset::classic;
    qm::Bindings bindings;
    long line = 0;
    std::string reason;
    if (!qm::parse_controls(text, preset, bindings, line, reason)) {
        long lines = 1;
        for (std::string_view rest = text; !rest.empty(); qm::take_line(rest)) ++lines;
        if (reason.empty() || reason.find('\n') != std::string::npos || line < 0 || line > lines) std::abort();
        return 0;
    }
    qm::Clash clash;
    if (qm::find_clash(bindings, clash) || qm::escape_misbound(bindings) != qm::Action::none) std::abort();
    for (const bool every : {false, true}) {
        qm::Preset again_preset = qm::Preset::laptop;
        qm::Bindings again;
        if (!qm::parse_controls(qm::format_controls(preset, bindings, every), again_preset, again, line, reason) ||
            again_preset != preset || !(again == bindings)) {
            std::abort();
        }
    }
    return 0;
}

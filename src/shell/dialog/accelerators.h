// The accelerator table: key presses that become commands for the
// configuration dialog, read from the resource text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "shell/platform.h"

namespace qm {

struct Accelerator {
    unsigned key = 0;        // virtual-key code
    unsigned modifiers = 0;  // MOD_* that must be held; no others may be
    unsigned command = 0;
};

struct AcceleratorTable {
    int resource_id = 0;
    std::vector<Accelerator> entries;
};

// Read an accelerator table. On failure returns false and says why in
// `error` (with the line number).
bool parse_accelerators(std::string_view text, AcceleratorTable& table, std::string& error);

// The command a key message gives, or 0 when it matches no entry. Only key
// presses match; releases and other messages never do.
unsigned match_accelerator(const AcceleratorTable& table, unsigned message, WPARAM key, unsigned modifiers);

}  // namespace qm

// The drills that come with the program, a progression from a still day at
// short range to long shots in full wind, as drill text compiled in.
#pragma once

#include <span>
#include <string_view>

namespace qm {

struct BuiltinDrill {
    std::string_view key;   // what --drill takes
    std::string_view text;  // in the drill file format
};

std::span<const BuiltinDrill> builtin_drills();

}  // namespace qm

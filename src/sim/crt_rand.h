// The C runtime's rand(), reproduced so every run draws the same sequence as
// the platform the game ran on. Each world owns its own generator.
#pragma once

#include <cstdint>

namespace qm {

struct CrtRand {
    std::uint32_t state = 1;  // the runtime's state when never seeded

    // 0 to 32767.
    int next()
    {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFFu);
    }
};

}  // namespace qm

// The drill's own random sequence (splitmix64), apart from the round's, so
// a drill's draws never change what the round's generator serves.
#pragma once

#include <cstdint>

namespace qm {

struct DrillRand {
    std::uint64_t state = 0;

    std::uint64_t next()
    {
        state += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // A whole number from low to high, both included (low <= high).
    int between(int low, int high)
    {
        const std::uint64_t span = static_cast<std::uint64_t>(high - low) + 1;
        return low + static_cast<int>(next() % span);
    }
};

// The seed of the session after one shot with `seed`: Enter on the results
// shoots the drill again with new draws that its own seed repeats.
inline std::uint32_t next_drill_seed(std::uint32_t seed)
{
    DrillRand r{seed};
    return static_cast<std::uint32_t>(r.next() >> 32);
}

}  // namespace qm

// The screen the frame shows, handed to the page: which touch buttons it
// offers, and the overlay's text, which a small screen shows at a readable
// size over the frame.
#pragma once

#include <cstdint>
#include <string>

#include "sim/world.h"

namespace qm {

class WebScreen {
public:
    // Tells the page when the screen or its overlay's text changed, looked
    // at once a tick.
    void offer(const World& world);

private:
    std::uint64_t tick_ = ~std::uint64_t{0};
    std::string screen_;
    std::string overlay_;
};

}  // namespace qm

// The controls in effect while the program runs: the bindings and the file
// they are kept in, and which inputs are held down.
#pragma once

#include <array>
#include <bitset>

#include "formats/controls/controls_file.h"

namespace qm {

// Which inputs are down now: a held action stays on while any of its
// inputs is.
class HeldInputs {
public:
    bool held(Input input) const;
    void set(Input input, bool down);
    void clear();
    // Whether any input bound to the action is held.
    bool any_of(const ActionInputs& inputs) const;

private:
    static constexpr unsigned key_codes = 256;
    std::bitset<key_codes> keys_;
    std::bitset<pad_button_count> buttons_;
    std::bitset<pad_axis_count * 2> axes_;
};

struct Controls {
    ControlsFile file;  // the bindings, their preset, and where they are kept
    HeldInputs held;
    int wheel_turn = 0;  // a wheel's turn short of a whole notch, in 120ths
    std::bitset<pad_axis_count * 2> axes_past;  // axis directions past the dead zone
    std::bitset<action_count> touch_held;       // actions whose button on the page is held
    // The tick count when each held action was last raised: one let go
    // before a tick has seen it still counts as one step.
    std::array<long long, action_count> raised_at{};

    const Bindings& bindings() const { return file.bindings; }
};

}  // namespace qm

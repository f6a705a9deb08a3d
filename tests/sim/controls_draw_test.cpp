// The controls screen as drawn: a row of eight long inputs stays inside the
// panel, and a short one is written as it is.
#include "sim/controls/controls_draw.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "test_world.h"

namespace qm {
namespace {

TEST(ControlsDraw, ARowOfLongInputsEndsAtThePanelsEdge)
{
    const struct {
        std::string inputs;
        bool reaches_edge;
    } cases[] = {
        {"NumpadAdd WheelUp", false},
        {"PadRightStickDown PadLeftStickDown PadRightTrigger PadLeftTrigger PadDpadDown PadLeftShoulder "
         "PadRightShoulder PadBack",
         true},
    };
    for (const auto& c : cases) {
        auto w = test::make_world();
        std::fill(w->memoria.data(), w->memoria.data() + 800 * 600, test::black);
        w->controls_screen.open = true;
        w->controls_screen.count = 1;
        std::snprintf(w->controls_screen.inputs[0], sizeof w->controls_screen.inputs[0], "%s", c.inputs.c_str());
        draw_controls_screens(*w);
        // Right of the panel's edge (x 776) the frame is as it was; just
        // inside it, the row's text shows only when it was cut there.
        int outside = 0, near_edge = 0;
        for (int y = 64; y < 80; ++y) {  // the first row
            for (int x = 778; x < 800; ++x) outside += w->memoria.row(y)[x] != test::black;
            for (int x = 700; x < 768; ++x) near_edge += w->memoria.row(y)[x] != test::white;
        }
        EXPECT_EQ(outside, 0) << c.inputs;
        EXPECT_EQ(near_edge > 0, c.reaches_edge) << c.inputs;
    }
}

}  // namespace
}  // namespace qm

// The controls screen as drawn: a row of eight long inputs stays inside the
// panel, and a short one is written as it is.
#include "sim/controls/controls_draw.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "test_world.h"

namespace qm {
namespace {

TEST(ControlsDraw, ARowOfLongInputsStaysInsideThePanel)
{
    const struct {
        std::string inputs;
        int lines;  // the row's inputs wrap under their column
    } cases[] = {
        {"NumpadAdd WheelUp", 1},
        {"PadRightStickDown PadLeftStickDown PadRightTrigger PadLeftTrigger PadDpadDown PadLeftShoulder "
         "PadRightShoulder PadBack",
         2},
    };
    for (const auto& c : cases) {
        auto w = test::make_world();
        std::fill(w->memoria.data(), w->memoria.data() + 800 * 600, test::black);
        w->controls_screen.open = true;
        w->controls_screen.count = 1;
        std::snprintf(w->controls_screen.inputs[0], sizeof w->controls_screen.inputs[0], "%s", c.inputs.c_str());
        draw_controls_screens(*w);
        // Right of the panel's edge (x 776) the frame is as it was.
        int outside = 0;
        for (int y = 0; y < 600; ++y) {
            for (int x = 778; x < 800; ++x) outside += w->memoria.row(y)[x] != test::black;
        }
        EXPECT_EQ(outside, 0) << c.inputs;
        int lines = 0;
        for (int i = 0; i < w->overlay_text.count; ++i) lines += w->overlay_text.runs[i].x == 176;
        EXPECT_EQ(lines, c.lines) << c.inputs;
    }
}

}  // namespace
}  // namespace qm

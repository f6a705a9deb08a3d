// An overlay's text as written: laid out again in rows and columns of the
// frame's cells, kept to its capacity, drawn as write_text draws.
#include "sim/overlay_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/hud.h"

namespace qm {
namespace {

struct Written {
    int x, y;
    const char* text;
};

TEST(OverlayText, RunsAreLaidOutInTheFramesCells)
{
    const struct {
        const char* what;
        std::vector<Written> runs;
        const char* lines;
    } cases[] = {
        {"nothing written", {}, ""},
        {"one run", {{40, 32, "Help"}}, "Help\n"},
        {"a column right of the leftmost", {{40, 32, "fire"}, {176, 32, "Space"}}, "fire             Space\n"},
        {"a skipped row stays empty", {{40, 32, "a"}, {40, 64, "b"}}, "a\n\nb\n"},
        {"written out of order", {{40, 64, "second"}, {40, 48, "first"}}, "first\nsecond\n"},
        {"a run a few pixels off shares the row", {{46, 50, "hits"}, {424, 52, "bands"}},
         "hits                                           bands\n"},
        {"a later run over an earlier one", {{40, 32, "aaaa"}, {48, 32, "b"}}, "abaa\n"},
    };
    for (const auto& c : cases) {
        OverlayText text;
        for (const Written& run : c.runs) text.add(run.x, run.y, run.text);
        EXPECT_EQ(overlay_lines(text), c.lines) << c.what;
    }
}

TEST(OverlayText, RunsPastItsCapacityAreDroppedAndLongOnesCut)
{
    OverlayText text;
    for (int i = 0; i < overlay_runs + 5; ++i) text.add(0, i * 16, "x");
    EXPECT_EQ(text.count, overlay_runs);
    text.clear();
    const std::string long_run(overlay_run_size + 20, 'y');
    text.add(0, 0, long_run.c_str());
    EXPECT_EQ(overlay_lines(text), std::string(overlay_run_size - 1, 'y') + "\n");
}

TEST(OverlayText, TheWriterDrawsWhatItKeeps)
{
    Surface frame(200, 40);
    Surface plain(200, 40);
    OverlayText text;
    OverlayWriter out(frame, text);
    out.write(8, 8, "ang: 50.0");
    write_text(plain, 8, 8, "ang: 50.0");
    EXPECT_EQ(overlay_lines(text), "ang: 50.0\n");
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 200; ++x) ASSERT_EQ(frame.row(y)[x], plain.row(y)[x]) << x << "," << y;
    }
}

}  // namespace
}  // namespace qm

// The text of the overlay the frame shows (a menu, the results, the controls
// screen, the help) as it was written, each run where it went: a shell on a
// small screen shows it again as text of a readable size, while the frame's
// pixels stay as they are.
#pragma once

#include <string>

#include "raster/surface.h"
#include "sim/text_layout.h"

namespace qm {

constexpr int overlay_runs = 72;
constexpr int overlay_run_size = 160;

struct OverlayText {
    struct Run {
        int x = 0;
        int y = 0;
        char text[overlay_run_size] = {};
    };
    int count = 0;
    Run runs[overlay_runs] = {};

    void clear() { count = 0; }
    // A run past the last that fits is dropped.
    void add(int x, int y, const char* text);
    void add(int x, int y, const char* text, int length);
};

// Writes an overlay's text into the frame and keeps it in the overlay's text.
class OverlayWriter {
public:
    OverlayWriter(Surface& surface, OverlayText& text) : frame(surface), text_(text) {}
    void write(int x, int y, const char* text);
    OverlayText& text() { return text_; }

    Surface& frame;

private:
    OverlayText& text_;
};

// Draws a laid-out overlay (its panel, then its lines) and keeps its lines.
void draw_layout(OverlayWriter& out, const TextLayout& layout);

// The runs laid out again as lines of fixed-width cells (8 by 16 pixels in
// the frame), from the top run's row and the leftmost run's column; empty
// when nothing was written.
std::string overlay_lines(const OverlayText& text);

}  // namespace qm

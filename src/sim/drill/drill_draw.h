// What a drill shows over the frame: its HUD line while it runs, the drill
// menu, and the results screen once it ends.
#pragma once

#include <cstddef>

#include "sim/drill/drill_menu.h"
#include "sim/text_layout.h"

namespace qm {

struct World;
struct DrillRun;
struct DrillRoundRecord;

constexpr int drill_line_size = 160;

// The HUD line: name, round r/R, shot s/S, score, the personal best and,
// while the round starts, "wait", or once its target has landed, its
// distance and side ("307R") and the coach's chance of a first-shot hit.
void format_drill_line(const DrillRun& drill, bool starting, char (&line)[drill_line_size]);

// A round's row on the results screen (`number` from 1): its distance and
// side, wind, shots, damage and points.
void format_round_row(const DrillRoundRecord& round, int number, char (&line)[drill_line_size]);

// Draws whichever of the three shows (nothing when no drill runs and the
// menu is closed). Formats into fixed buffers: nothing is allocated.
void draw_drill(World& world);

// The menu's panel and lines, pointing into the menu; its keys' words name
// the page's buttons on a touch screen.
TextLayout menu_layout(const DrillMenu& menu, bool touch);

// The head of the results screen: the drill's name, its figures, what went
// wrong with the history and the challenge's outcome, and where the rows
// of the rounds go under them.
struct ResultsHead {
    char title[drill_line_size];
    char score[drill_line_size];
    char hits[drill_line_size];
    char challenge[drill_line_size];
    TextLayout layout;
    int rows_y = 0;
};
void results_head(const DrillRun& drill, ResultsHead& head);

// Where the results screen puts its chart, and its size.
constexpr int results_chart_x = 424;
constexpr int results_chart_y = 150;
constexpr int results_chart_width = 330;
constexpr int results_chart_height = 260;

}  // namespace qm

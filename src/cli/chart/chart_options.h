// The shot chart's command line: the table's map, facing, angles, powers and
// threads, the wind curves to draw and the files to write.
//
//   qmsim chart --out FILE.png [--csv FILE] [--map FILE] [--facing left|right]
//               [--angle A | --angle A,A,...] [--power FROM:TO:STEP]
//               [--winds S:A,S:A,...] [--threads N]
#pragma once

#include <string>
#include <vector>

#include "cli/grid_axis.h"
#include "cli/options.h"

namespace qm {

// A wind curve: strength 0 to 25, direction 0 to 359 degrees (0 blows to
// the right, 90 upwards).
struct ChartWind {
    int strength = 0;
    int angle = 0;
};

struct ChartOptions {
    const char* map = nullptr;  // null: the flat map
    int direction = 1;          // facing: 1 right, -1 left
    std::vector<GridValue> angles;  // one panel each
    GridAxis powers;
    std::vector<ChartWind> winds;  // in the order drawn
    int threads = 0;  // 0: one a core
    const char* out = nullptr;  // the picture
    const char* csv = nullptr;  // null: no CSV
    bool help = false;
};


// The wind blowing the way the shot flies, and the other way, for a facing.
int wind_towards(int direction);
int wind_against(int direction);

// Reads the command line after the word `chart` (argv[0] is `chart`).
// Returns false with a one-line reason in error for a bad option.
bool parse_chart_options(int argc, char** argv, ChartOptions& options, std::string& error);

// The chart's options as a table, for refusals and help, and its usage.
Command chart_command(ChartOptions& options);
std::string chart_usage();

}  // namespace qm

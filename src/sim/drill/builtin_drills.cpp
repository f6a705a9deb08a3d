// The built-in drills' texts.
#include "sim/drill/builtin_drills.h"

namespace qm {

namespace {

constexpr BuiltinDrill drills[] = {
    {"still", "name Still air\n"
              "map flat\nrounds 5\nshots 3\ndistance 200 450\nside right\nwind fixed 0 0\n"},
    {"breeze", "name Breeze\n"
               "map flat\nrounds 10\nshots 3\ndistance 250 600\nside right\nwind 1 6\n"},
    {"gale", "name Full wind\n"
             "map flat\nrounds 10\nshots 3\ndistance 250 700\nside right\nwind 0 25\n"},
    {"long", "name Long range\n"
             "map flat\nrounds 10\nshots 4\ndistance 800 1400\nside right\nwind 0 10\n"},
    {"hills", "name Hills\n"
              "map hills\nrounds 10\nshots 3\ndistance 300 900\nside either\nwind 0 12\n"},
    {"power", "name Power only\n"
              "map flat\nrounds 10\nshots 3\ndistance 200 1000\nside right\nwind 0 8\nangle 45\n"},
    {"behind", "name Behind you\n"
               "map hills\nrounds 10\nshots 3\ndistance 250 700\nside left\nwind 0 10\n"},
    {"islands", "name Across the gap\n"
                "map islands\nrounds 10\nshots 3\ndistance 400 1200\nside either\nwind 0 15\n"},
    {"coach", "name Coach\n"
              "map flat\nrounds 10\nshots 3\ndistance 50 2300\nside right\nwind 0 25\nplan coach\n"},
};

}  // namespace

std::span<const BuiltinDrill> builtin_drills() { return drills; }

}  // namespace qm

// What a drill asks for: its rounds, shots, distances, side, wind, angle,
// aids and map, as plain data a world can hold. Read from drill files by the
// shell; the limits here are the file format's.
#pragma once

#include <cstdint>

#include "terrain/map_format.h"

namespace qm {

constexpr int drill_name_size = 64;
constexpr int drill_min_rounds = 1;
constexpr int drill_max_rounds = 100;
constexpr int drill_min_shots = 1;
constexpr int drill_max_shots = 10;
constexpr int drill_min_distance = 50;    // pixels from the player
constexpr int drill_max_distance = 2300;
constexpr int drill_max_wind = 25;        // strengths as the dialog offers them
constexpr int drill_max_wang = 359;       // degrees

constexpr int challenge_sender_size = 33;  // the sender's name: at most 32 bytes
constexpr int drill_code_size = 200;       // a challenge code, its NUL included

enum class DrillSide { right, left, either };

enum class DrillMap {
    level,   // level ground across the map's whole width, its top at the flat map's line
    sample,  // one of the sample maps, built in (map names the sample)
    file,    // a map file (map holds its path)
};

// A drill that came as a challenge code: its seed belongs to it, and it may
// bring the score to beat and who set it.
struct DrillChallenge {
    bool active = false;
    bool score_given = false;
    long long score = 0;
    char sender[challenge_sender_size] = {};
};

struct DrillRules {
    char name[drill_name_size] = {};
    DrillMap map_kind = DrillMap::level;
    char map[map_name_size] = {};
    int rounds = 10;
    int shots = 3;
    int distance_min = 300;
    int distance_max = 600;
    DrillSide side = DrillSide::right;
    // Wind drawn each round: strength and direction, whole numbers within
    // these bounds; a direction range with min above max wraps through 0.
    int wind_min = 0, wind_max = 0;
    int wang_min = 0, wang_max = 0;
    bool angle_fixed = false;
    double angle = 45.0;  // degrees, when fixed
    bool aids = false;    // prediction and power finder allowed
    bool coach = false;   // the coach plans each round's band (distances and winds drawn inside it)
    std::uint64_t digest = 0;  // of the settings: a changed drill starts a new series of bests
    DrillChallenge challenge;  // not part of the settings' digest
};

}  // namespace qm

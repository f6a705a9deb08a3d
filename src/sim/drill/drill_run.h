// A drill in progress: its rounds and their records, the score, what the
// history said of earlier sessions, and the tick's part in it (ending a
// round at a hit or its last shot, placing the target for the next one).
#pragma once

#include <bitset>
#include <cstdint>
#include <vector>

#include "bodies/bot.h"
#include "bodies/field.h"
#include "raster/surface.h"
#include "sim/drill/coach_bands.h"
#include "sim/drill/coach_rounds.h"
#include "sim/drill/drill_menu.h"
#include "sim/drill/drill_rand.h"
#include "sim/drill/drill_rules.h"
#include "terrain/map_format.h"

namespace qm {

struct World;

constexpr int drill_first_shot_factor = 3;   // a round won with its first shot scores 3 x the damage
constexpr int drill_second_shot_factor = 2;  // with its second, 2 x; later, 1 x
// The most a shot can cost the target: each of its shells a direct hit at
// distance 0 (every impact is offered to the target once).
constexpr int drill_max_shot_damage = (1 + secondary_shells) * blast_full;
// The most one round can score.
constexpr long long drill_max_round_points = static_cast<long long>(drill_first_shot_factor) * drill_max_shot_damage;

constexpr int drill_chart_scores = 30;  // the results chart's sessions
constexpr int drill_note_size = 160;
constexpr int drill_path_size = 512;

// One shot of a round as the coach keeps it.
struct DrillShotRecord {
    double angle = 0.0;  // degrees
    double power = 0.0;
    int damage = 0;      // the target lost to the shot's three shells
    bool struck = false; // the main shell struck somewhere
    int signed_miss = 0; // its first strike less the target's contact point, along the line to the target
};

struct DrillRoundRecord {
    int distance = 0;   // drawn, pixels
    int side = 1;       // 1 right of the player, -1 left
    int target_x = 0;   // where the target was dropped
    int wind = 0, wang = 0;
    int shots = 0;      // fired in the round
    bool hit = false;
    int damage = 0;     // of the hitting shot
    long long points = 0;
    int miss[drill_max_shots] = {};  // per shot: main shell's first strike to the target, horizontally

    // Taken once both units have landed (or at the first shot, if sooner):
    // contact point to contact point, the wind along that line, its band and
    // the first-shot hit chance the coach gave it then.
    bool measured = false;
    int player_x = 0, player_y = 0;
    int landed_x = 0, landed_y = 0;
    int landed_distance = 0;
    int along = 0;
    int band = no_band;
    double predicted = 0.0;
    bool angle_fixed = false;
    bool assisted = false;  // a shot left with an aid shown: never counted in a band
    DrillShotRecord shot[drill_max_shots];

    // The hit window at the first shot's angle and facing on the round as
    // it stood before that shot, once worked out (unknown when the shot left
    // before both units had landed); its powers when some power reaches.
    bool window_known = false;
    bool window_reaches = false;
    double best = 0.0, low = 0.0, high = 0.0;
};

// The wind settings of free practice, put back when the drill ends.
struct FreeWind {
    int random_wind = 1;
    double wind = 0.0;
    double wang = 0.0;
};

// The map of free practice, put back when the drill ends: its image, or the
// flat map. Kept as the first drill's map is loaded over it.
struct FreeMap {
    std::vector<std::uint8_t> image;  // map_rows by map_max_columns, as MapImage holds it
    int columns = 0;
    int rows = 0;
    int flat_map = 0;
    bool kept = false;
};

// What a run of a drill makes as it goes, all of it begun afresh with each
// run.
struct DrillProgress {
    bool finished = false;  // every round played: the results show
    bool recorded = false;  // the finished drill's history line has been dealt with

    int round = 0;              // the current round, from 0
    bool round_pending = true;  // its target is yet to be placed
    int last_round = -1;        // the round that ended last; -1: none yet
    int redraws = 0;            // of the current round, drawn again as no power reached it
    bool shot_in_play = false;  // a counted shot flies or has not yet come to rest
    bool strike_noted = false;
    DrillRoundRecord rounds[drill_max_rounds];

    long long score = 0;
    int hits = 0;
    int first_shot_hits = 0;
    int shots = 0;
    long long damage = 0;
    bool assisted = false;  // a shot left with the prediction or the aim chart shown
    bool new_best = false;  // this session beat every earlier one

    char note[drill_note_size] = {};  // what went wrong with the history, shown in the results
    char code[drill_code_size] = {};  // the finished drill's challenge code, with its score; empty: none
    bool copy_noticed = false;  // the notice up is the copy key's, shown on the results
    bool chart_drawn = false;         // the results chart is drawn
};

struct DrillRun : DrillProgress {
    bool active = false;  // a drill is loaded: running, or showing its results

    DrillRules rules;
    std::uint32_t seed = 0;
    DrillRand rng;

    // Terrain columns, from terrain_left, with no ground when the drill
    // began. Craters only take ground away, so they stay bare; placing a
    // target passes over them without looking down each one again.
    std::bitset<stripe_count * stripe_size> bare_columns;

    // From the history before the drill began, this session added when it ends.
    bool best_known = false;
    long long best = 0;
    long long chart[drill_chart_scores] = {};  // the last sessions' scores, oldest first
    int chart_count = 0;
    CoachSkill skill;  // the player's bands, each counted round of this session added as it ends
    // The coach's drill: its focus band (no_band in a placement session),
    // that band's estimate as the session began, and each round's band.
    int focus = no_band;
    double focus_estimate = 0.0;
    FocusMemory focus_memory;  // of the coach's sessions before this one
    int plan[drill_max_rounds] = {};

    char history_file[drill_path_size] = {};  // empty: no history is kept
    bool history_lost = false;                // a line of this run of the program could not be written
    Surface chart_picture;                    // the results chart, drawn once the drill ends

    FreeWind free_wind;
    FreeMap free_map;
};

// Round, shot and aids questions the shell and the HUD ask.
bool drill_running(const World& world);         // active and not finished
// A running drill's round is starting: its target is yet to drop, drops, or
// the view follows it before coming back to the player. The aim is not free
// and the keys that aim and fire do nothing.
bool drill_round_starting(const World& world);
bool drill_angle_fixed(const World& world);
bool drill_allows_aids(const World& world);
// The aim is free, the view has come back to the player, nothing moves and
// no drill round waits to begin: what a script waits for before aiming.
bool round_ready(const World& world);
// The round shown, from 1, and the shots fired in it.
int drill_round_number(const DrillRun& drill);
int drill_round_shots(const DrillRun& drill);

// The finished challenge's outcome against its score to beat: "won",
// "tied" or "lost"; null when the challenge set no score.
const char* challenge_outcome(const DrillRun& drill);

// Adds a session's score to the chart's, the oldest giving way when full.
void add_chart_score(DrillRun& drill, long long score);

// The distance every view of a round gives (results, HUD, state, history,
// coach): contact point to contact point once both units landed, the drawn
// distance before that; and the side the target stands on, 1 right of the
// player, -1 left, by the same rule.
int round_distance(const DrillRoundRecord& round);
int round_side(const DrillRoundRecord& round);

// Points for a hit with shot `shot` (from 1): 3, 2, then 1 times the damage.
long long drill_points(int shot, int damage);
double drill_mean_miss(const DrillRun& drill);

// Begins a drill whose map is already in the terrain (see drill_map.h): the
// records cleared, the generator seeded, the wind settings kept for later,
// the prediction put away unless the drill allows it. The first round
// begins once the player stands still. It looks down every column of the
// terrain once, between ticks. History figures and file are the
// caller's to fill in before or after.
void begin_drill(World& world, const DrillRules& rules, std::uint32_t seed);

// Ends the drill (after its results, or abandoned), between ticks: free
// practice's wind and map come back.
void end_drill(World& world);

// The tick's part, after the turn logic: notes a shot's launch, its strike
// and its end, closes the round at a hit or its last shot, and places the
// target for the next round once the player stands still.
void drill_tick(World& world);

}  // namespace qm

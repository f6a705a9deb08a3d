// The coach's plan of bands and its draws inside them.
#include "sim/drill/coach_rounds.h"

#include "bodies/bot.h"
#include "sim/drill/drill_run.h"
#include "sim/world.h"

namespace qm {

namespace {

constexpr int drop_y = 0;  // targets drop from the top of the world
constexpr int edge_margin = 40;  // as the drill's other placements keep from the field's edge
constexpr int wind_draws = 64;   // whole winds drawn for a band before they are searched in turn

// Of the bands but `except`, one with the fewest rounds counted and planned,
// a tie broken by the drill's generator.
int least_played(DrillRun& d, const int (&planned)[coach_band_count], int except)
{
    int fewest = -1;
    int ties = 0;
    for (int band = 0; band < coach_band_count; ++band) {
        if (band == except) continue;
        const int rounds = d.skill.bands[band].rounds + planned[band];
        if (fewest < 0 || rounds < fewest) {
            fewest = rounds;
            ties = 0;
        }
        if (rounds == fewest) ++ties;
    }
    int pick = d.rng.between(0, ties - 1);
    for (int band = 0; band < coach_band_count; ++band) {
        if (band == except || d.skill.bands[band].rounds + planned[band] != fewest) continue;
        if (pick-- == 0) return band;
    }
    return no_band;
}

// A wind of a whole strength and direction whose effect, for a target on
// `side`, falls in `band`: drawn whole until one does (every band holds
// some 15 % or more of such winds, so a few draws do), then, should the
// draws all miss, the next that does after the last drawn.
void wind_for(DrillRun& d, int band, int side, int& wind, int& wang)
{
    for (int i = 0; i < wind_draws; ++i) {
        wind = d.rng.between(0, drill_max_wind);
        wang = d.rng.between(0, drill_max_wang);
        if (wind_band(wind_effect(wind, wang, side)) == band) return;
    }
    const int directions = drill_max_wang + 1;
    const int count = (drill_max_wind + 1) * directions;
    const int last = wind * directions + wang;
    for (int i = 1; i <= count; ++i) {
        const int at = (last + i) % count;
        wind = at / directions;
        wang = at % directions;
        if (wind_band(wind_effect(wind, wang, side)) == band) return;
    }
}

// Where to drop a unit so that it lands at x in this wind; false when no
// drop does (no ground there, or too near the field's edge).
bool drop_for(const World& world, int x, int wind, int wang, int& drop)
{
    int landed = 0;
    if (!unit_landing(world, x, drop_y, wind, wang, landed)) return false;
    drop = x - (landed - x);
    if (drop < terrain_left + edge_margin || drop >= terrain_right - edge_margin) return false;
    return unit_landing(world, drop, drop_y, wind, wang, landed) && landed == x;
}

// The column with ground furthest towards `towards` (-1 left, 1 right),
// kept edge_margin inside the ground's end.
bool ground_end(const World& world, int towards, int& x)
{
    const DrillRun& d = world.drill;
    const int columns = terrain_right - terrain_left;
    for (int i = 0; i < columns; ++i) {
        const int column = towards < 0 ? i : columns - 1 - i;
        if (d.bare_columns[static_cast<std::size_t>(column)]) continue;
        x = terrain_left + column - towards * edge_margin;
        return true;
    }
    return false;
}

}  // namespace

void remember_focus(FocusMemory& memory, int focus, double estimate_at_start)
{
    if (focus == no_band) return;
    if (focus == memory.band) {
        ++memory.sessions;
        return;
    }
    memory = FocusMemory{focus, 1, estimate_at_start};
}

int choose_focus(const CoachSkill& skill, const FocusMemory& memory)
{
    if (memory.band != no_band && skill.bands[memory.band].known()) {
        const double now = skill.estimate(memory.band);
        const bool stuck = memory.sessions >= focus_patience && now <= memory.estimate_at_start;
        if (now < focus_target && !stuck) return memory.band;
    }
    int weakest[coach_weakest];
    const int count = skill.weakest(weakest);
    for (int i = 0; i < count; ++i) {
        const bool dropped = weakest[i] == memory.band && memory.sessions >= focus_patience;
        if (!dropped && skill.estimate(weakest[i]) < focus_target) return weakest[i];
    }
    return no_band;
}

void plan_coach_rounds(DrillRun& d)
{
    const int rounds = d.rules.rounds;
    const int focused = d.focus == no_band ? 0 : (rounds * coach_focus_tenths + 5) / 10;
    int planned[coach_band_count] = {};
    for (int i = 0; i < rounds; ++i) {
        const int band = i < focused ? d.focus : least_played(d, planned, d.focus);
        d.plan[i] = band;
        ++planned[band];
    }
    // Focus rounds spread through the session rather than all first.
    for (int i = rounds - 1; i > 0; --i) {
        const int j = d.rng.between(0, i);
        const int kept = d.plan[i];
        d.plan[i] = d.plan[j];
        d.plan[j] = kept;
    }
}

bool draw_coach_round(World& world)
{
    DrillRun& d = world.drill;
    DrillRoundRecord& r = d.rounds[d.round];
    const int band = d.plan[d.round];
    int low = 0, high = 0;
    distance_band_range(band_distance(band), low, high);
    r.distance = d.rng.between(low, high);
    for (int side : {1, -1}) {
        wind_for(d, band_wind(band), side, r.wind, r.wang);
        int player_x = world.player_bot.pos_x;
        int target_x = 0;
        if (!drop_for(world, player_x + side * r.distance, r.wind, r.wang, target_x)) {
            // Too little ground that way: the player moves to the far end of it.
            if (!ground_end(world, -side, player_x)) continue;
            int player_drop = 0;
            if (!drop_for(world, player_x, r.wind, r.wang, player_drop) ||
                !drop_for(world, player_x + side * r.distance, r.wind, r.wang, target_x)) {
                continue;
            }
            world.player_bot.reset(&world.memoria, r.wind, r.wang, player_drop, drop_y);
        }
        r.side = side;
        r.target_x = target_x;
        return true;
    }
    return false;
}

}  // namespace qm

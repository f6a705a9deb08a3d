// The drill's rounds: where each round's target drops and what wind blows,
// and how each counted shot ends the round or not.
#include "sim/drill/drill_run.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "sim/drill/coach_rounds.h"
#include "sim/drill/drill_ground.h"
#include "sim/drill/drill_map.h"
#include "sim/drill/round_lesson.h"
#include "sim/practice.h"
#include "sim/shot_record.h"
#include "sim/world.h"
#include "terrain/terrain_raster.h"

namespace qm {

namespace {

constexpr int window_slice = finder_slice;  // powers of the first shot's window fired a tick
constexpr int placement_draws = 16;  // draws of side and distance before the nearest ground is taken
constexpr int drop_y = 0;            // targets drop from the top of the world, as a respawn does

int draw_side(DrillRun& d)
{
    switch (d.rules.side) {
    case DrillSide::right: return 1;
    case DrillSide::left: return -1;
    case DrillSide::either: break;
    }
    return d.rng.between(0, 1) == 0 ? 1 : -1;
}

int draw_wang(DrillRun& d)
{
    const DrillRules& s = d.rules;
    if (s.wang_min <= s.wang_max) return d.rng.between(s.wang_min, s.wang_max);
    // Wrapping through 0, as 330 to 30 does.
    return (d.rng.between(s.wang_min, s.wang_max + 360)) % 360;
}

bool both_landed(const World& world)
{
    return unit_at_rest(world, world.target1) && unit_at_rest(world, world.player_bot);
}

bool can_begin_round(const World& world)
{
    return world.fire_now == 0 && world.mainbullet.state >= state_at_rest && unit_at_rest(world, world.player_bot);
}

// The round's side, distance and wind drawn within the drill's bounds.
void draw_round(World& world, DrillRoundRecord& r)
{
    DrillRun& d = world.drill;
    const int player_x = world.player_bot.pos_x;
    int x = 0;
    bool placed = false;
    for (int i = 0; i < placement_draws && !placed; ++i) {
        r.side = draw_side(d);
        r.distance = d.rng.between(d.rules.distance_min, d.rules.distance_max);
        x = player_x + r.side * r.distance;
        placed = can_stand(world, x);
    }
    if (!placed) x = nearest_ground(world, x);
    r.target_x = x;
    r.wind = d.rng.between(d.rules.wind_min, d.rules.wind_max);
    r.wang = draw_wang(d);
}

void begin_round(World& world)
{
    DrillRun& d = world.drill;
    DrillRoundRecord& r = d.rounds[d.round];
    r = DrillRoundRecord{};
    if (!d.rules.coach || !draw_coach_round(world)) draw_round(world, r);
    world.wind = r.wind;
    world.wang = r.wang;
    world.target1.reset(&world.memoria, world.wind, world.wang, r.target_x, drop_y);
    if (d.rules.angle_fixed) world.vang = d.rules.angle;
    world.round_check.start(d.rules.angle_fixed, d.rules.angle);
    // The view goes to the target as it drops and lands, then back to the
    // player: each round shows where it is.
    world.focus = 2;
    d.round_pending = false;
}

// A finished round into its band, unless an aid was shown.
void count_round(DrillRun& d)
{
    const DrillRoundRecord& r = d.rounds[d.round];
    if (!r.measured || r.assisted || r.shots == 0) return;
    d.skill.add(CountedRound{r.band, r.hit && r.shots == 1, r.hit, r.shot[0].struck, r.shot[0].signed_miss,
                             r.window_known && r.window_reaches, r.shot[0].power - r.best});
}

void end_round(DrillRun& d)
{
    count_round(d);
    d.last_round = d.round;
    ++d.round;
    d.redraws = 0;
    if (d.round < d.rules.rounds) {
        d.round_pending = true;
        return;
    }
    d.round = d.rules.rounds - 1;
    d.finished = true;
    if (d.rules.coach) remember_focus(d.focus_memory, d.focus, d.focus_estimate);
    add_chart_score(d, d.score);
    d.new_best = !d.best_known || d.score > d.best;
    if (d.new_best) d.best = d.score;
    d.best_known = true;
}

// The round's check has found no power that reaches it.
bool out_of_reach(const World& world)
{
    return !world.round_check.checking() && !world.round_check.reachable();
}

// One slice of the round's check; a round no power reaches is drawn again
// at once from the drill's generator (after round_check_draws draws it is
// played as it is, its chance 0).
void check_round(World& world)
{
    DrillRun& d = world.drill;
    RoundCheck& check = world.round_check;
    if (!check.checking() || !check.step(world, round_check_slice) || check.reachable()) return;
    if (d.redraws < round_check_draws) {
        ++d.redraws;
        d.round_pending = true;
        return;
    }
    DrillRoundRecord& r = d.rounds[d.round];
    if (r.measured) r.predicted = 0.0;
}

// The round's geometry once both units stand (or its first shot leaves):
// the distance between the contact points, the wind along that line, its
// band (by the wind's effect on the shot) and the chance the coach gives
// the first shot.
void measure_round(DrillRun& d, World& world, bool launched)
{
    DrillRoundRecord& r = d.rounds[d.round];
    r.measured = true;
    if (!launched) world.practice.drill_window.take(world, d.round);
    r.player_x = world.player_bot.pos_x;
    r.player_y = world.player_bot.pos_y;
    r.landed_x = world.target1.pos_x;
    r.landed_y = world.target1.pos_y;
    const double dx = r.landed_x - r.player_x;
    const double dy = r.landed_y - r.player_y;
    r.landed_distance = static_cast<int>(std::lround(std::sqrt(dx * dx + dy * dy)));
    r.along = wind_along(r.wind, r.wang, round_side(r));
    r.band = coach_band(r.landed_distance, wind_effect(r.wind, r.wang, round_side(r)));
    r.predicted = r.band == no_band ? d.skill.overall_estimate() : d.skill.estimate(r.band);
    if (!out_of_reach(world)) return;
    r.predicted = 0.0;
    r.angle_fixed = d.rules.angle_fixed;
}

// The strike less the target's contact point, along the line from the
// player to where the target landed.
int signed_miss(const DrillRoundRecord& r, const World& world)
{
    const double ux = r.landed_x - r.player_x;
    const double uy = r.landed_y - r.player_y;
    const double length = std::sqrt(ux * ux + uy * uy);
    const double mx = world.last_impact.x - world.target1.pos_x;
    const double my = world.last_impact.y - world.target1.pos_y;
    if (length == 0.0) return static_cast<int>(std::lround(mx));
    return static_cast<int>(std::lround((mx * ux + my * uy) / length));
}

// Carries the first shot's window search on by up to count powers; once
// done, the window goes into its round's record.
void search_window(World& world, int count)
{
    RoundWindow& w = world.practice.drill_window;
    const int round = w.round();
    if (round < 0 || !w.step(count)) return;
    DrillRoundRecord& r = world.drill.rounds[round];
    const RoundWindowAnswer found = w.answer();
    r.window_known = true;
    r.window_reaches = found.reaches;
    r.best = found.best;
    r.low = found.low;
    r.high = found.high;
    w.clear();
}

// The counted shot has come to rest: a hit ends the round, so does the last shot.
void close_shot(DrillRun& d, World& world)
{
    DrillRoundRecord& r = d.rounds[d.round];
    d.shot_in_play = false;
    // A round may end before its window's slices are all fired (a shell
    // that strikes at once): the rest now, so the round keeps it.
    search_window(world, finder_powers);
    const int damage = world.last_impact.target_damage;
    r.shot[r.shots - 1].damage = damage;
    if (damage > 0) {
        r.hit = true;
        r.damage = damage;
        r.points = drill_points(r.shots, damage);
        d.score += r.points;
        d.damage += damage;
        ++d.hits;
        if (r.shots == 1) ++d.first_shot_hits;
    }
    if (!r.hit && r.shots < d.rules.shots) return;
    char said[drill_note_size];
    round_end_notice(r, d.skill, said, sizeof said);
    if (said[0] != '\0') show_notice(world, said);
    end_round(d);
}

}  // namespace

int round_distance(const DrillRoundRecord& r) { return r.measured ? r.landed_distance : r.distance; }
int round_side(const DrillRoundRecord& r)
{
    if (!r.measured) return r.side;
    return r.landed_x >= r.player_x ? 1 : -1;
}

bool drill_running(const World& world) { return world.drill.active && !world.drill.finished; }
const char* challenge_outcome(const DrillRun& drill)
{
    const DrillChallenge& c = drill.rules.challenge;
    if (!c.score_given) return nullptr;
    return drill.score > c.score ? "won" : drill.score == c.score ? "tied" : "lost";
}

bool drill_round_starting(const World& world)
{
    if (!drill_running(world)) return false;
    const DrillRun& d = world.drill;
    const DrillRoundRecord& r = d.rounds[d.round];
    return d.round_pending || (r.shots == 0 && (!r.measured || world.focus != 0));
}

bool drill_angle_fixed(const World& world) { return drill_running(world) && world.drill.rules.angle_fixed; }
bool drill_allows_aids(const World& world) { return !drill_running(world) || world.drill.rules.aids; }

bool round_ready(const World& world)
{
    return aim_free(world) && round_at_rest(world) &&
           world.cam1.settled_on(world.player_bot.pos_x, world.player_bot.pos_y) &&
           !(drill_running(world) && (world.drill.round_pending || world.round_check.checking()));
}

int drill_round_number(const DrillRun& drill) { return drill.round + 1; }
int drill_round_shots(const DrillRun& drill) { return drill.rounds[drill.round].shots; }

void add_chart_score(DrillRun& d, long long score)
{
    if (d.chart_count == drill_chart_scores) {
        for (int i = 1; i < drill_chart_scores; ++i) d.chart[i - 1] = d.chart[i];
        --d.chart_count;
    }
    d.chart[d.chart_count++] = score;
}

long long drill_points(int shot, int damage)
{
    const int factor = shot == 1 ? drill_first_shot_factor : shot == 2 ? drill_second_shot_factor : 1;
    return static_cast<long long>(factor) * damage;
}

double drill_mean_miss(const DrillRun& drill)
{
    long long sum = 0;
    int count = 0;
    const int played = drill.finished ? drill.rules.rounds : drill.round + 1;
    for (int i = 0; i < played; ++i) {
        for (int s = 0; s < drill.rounds[i].shots; ++s) sum += drill.rounds[i].miss[s];
        count += drill.rounds[i].shots;
    }
    return count == 0 ? 0.0 : static_cast<double>(sum) / count;
}

void begin_drill(World& world, const DrillRules& rules, std::uint32_t seed)
{
    DrillRun& d = world.drill;
    const FreeWind free_wind = d.active ? d.free_wind : FreeWind{world.random_wind, world.wind, world.wang};
    d.active = true;
    d.rules = rules;
    d.seed = seed;
    d.rng = DrillRand{seed};
    static_cast<DrillProgress&>(d) = DrillProgress{};
    d.free_wind = free_wind;
    find_bare_columns(world);
    world.practice.drill_window.arm(world);
    world.round_check.arm(world);
    if (rules.coach) {
        d.focus = choose_focus(d.skill, d.focus_memory);
        d.focus_estimate = d.focus == no_band ? 0.0 : d.skill.estimate(d.focus);
        plan_coach_rounds(d);
    }
    world.random_wind = 0;
    // Free practice's last trace and score belong to no round of the drill.
    clear_trace(world.practice.trace);
    world.practice.score_shown = false;
    if (!rules.aids) {
        world.practice.prediction_shown = false;
        world.practice.chart_shown = false;
    }
    if (rules.angle_fixed) world.vang = rules.angle;
}

void end_drill(World& world)
{
    DrillRun& d = world.drill;
    if (!d.active) return;
    d.active = false;
    d.finished = false;
    world.random_wind = d.free_wind.random_wind;
    // Shots of the drill counted on; the next change is a whole turn away.
    world.shots_done = 0;
    if (d.free_wind.random_wind == 0) {
        world.wind = d.free_wind.wind;
        world.wang = d.free_wind.wang;
    }
    restore_free_map(world);
}

void drill_tick(World& world)
{
    DrillRun& d = world.drill;
    if (!d.active || d.finished) return;
    const bullet& shell = world.mainbullet;
    check_round(world);
    // A round still being checked has not begun: its shots do not count.
    if (!d.round_pending && !world.round_check.checking()) {
        DrillRoundRecord& r = d.rounds[d.round];
        const bool launched = !d.shot_in_play && shell.just_launched();
        if (!r.measured && (launched || both_landed(world))) measure_round(d, world, launched);
        if (launched && r.shots == 0) {
            world.practice.drill_window.begin(d.round, world.vang, world.mainbullet.dir);
        }
        // A shot fired while the round waits to begin does not count.
        if (launched) {
            d.shot_in_play = true;
            d.strike_noted = false;
            r.shot[r.shots] = DrillShotRecord{world.vang, world.v0, 0, false, 0};
            ++r.shots;
            ++d.shots;
            if (world.practice.prediction_shown || world.practice.chart_shown) {
                d.assisted = true;
                r.assisted = true;
            }
        }
        if (d.shot_in_play && !d.strike_noted && world.last_impact.struck) {
            r.miss[r.shots - 1] = std::abs(world.last_impact.x - world.target1.pos_x);
            r.shot[r.shots - 1].struck = true;
            r.shot[r.shots - 1].signed_miss = signed_miss(r, world);
            d.strike_noted = true;
        }
        search_window(world, window_slice);
        if (d.shot_in_play && shell.state >= state_at_rest) close_shot(d, world);
    }
    if (!d.finished && d.round_pending && can_begin_round(world)) begin_round(world);
}

}  // namespace qm

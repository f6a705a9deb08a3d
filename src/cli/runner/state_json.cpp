// Writes the shot-control variables, the camera, the bodies and the last
// shot's strike as one JSON object on one line.
#include "cli/runner/state_json.h"

#include <utility>

#include "formats/json.h"
#include "sim/world.h"

namespace qm {

namespace {

void write_body(JsonWriter& json, const bullet& b)
{
    json.number("pos_x", static_cast<long long>(b.pos_x));
    json.number("pos_y", static_cast<long long>(b.pos_y));
    json.number("time", b.time);
    json.number("state", static_cast<long long>(b.state));
}

void write_secondary(JsonWriter& json, const char* name, const sec_bullet& b)
{
    json.object(name);
    write_body(json, b);
    json.number("orbit_angle", b.orbit_angle);
    json.number("orbit_radius", b.orbit_radius);
    json.close();
}

void write_unit_fields(JsonWriter& json, const bot& u)
{
    json.number("pos_x", static_cast<long long>(u.pos_x));
    json.number("pos_y", static_cast<long long>(u.pos_y));
    json.number("state", static_cast<long long>(u.state));
    json.number("slope", u.slope);
    json.number("hp", static_cast<long long>(u.hp));
    json.number("respawn_ticks", static_cast<long long>(u.respawn_ticks));
    json.number("focus_ticks", static_cast<long long>(u.focus_ticks));
    json.number("damage_shown", static_cast<long long>(u.damage_shown));
    json.number("damage_ticks", static_cast<long long>(u.damage_ticks));
}

// The practice aids: what the prediction, the power finder and the aim chart
// show (null while they show nothing), the score panel's figures, and
// whether the round waits.
void write_practice(JsonWriter& json, const World& world)
{
    const Practice& p = world.practice;
    const PredictionView view = prediction_view(world);
    if (view.strike_known) {
        json.object("prediction");
        json.number("x", static_cast<long long>(view.strike_x));
        json.number("y", static_cast<long long>(view.strike_y));
        json.close();
    } else {
        json.null("prediction");
    }
    if (view.window.reaches) {
        json.object("power_finder");
        json.number("best", view.window.best_power());
        json.number("best_damage", view.window.best_damage);
        json.number("low", view.window.low_power());
        json.number("high", view.window.high_power());
        json.close();
    } else {
        json.null("power_finder");
    }
    const AimChartView chart = aim_chart_view(world);
    if (chart.shown) {
        json.object("chart");
        json.number("shots", static_cast<long long>(chart.fired));
        if (chart.fired == chart_powers) {
            json.number("target_distance", static_cast<long long>(chart.target_distance));
        } else {
            json.null("target_distance");
        }
        if (chart.fired == chart_powers && chart.reaches) {
            json.number("power", chart.power);
            json.number("power_distance", static_cast<long long>(chart.power_distance));
        } else {
            json.null("power");
            json.null("power_distance");
        }
        json.close();
    } else {
        json.null("chart");
    }
    const PracticeScore& score = p.score;
    json.object("score");
    json.number("shots", static_cast<long long>(score.shots));
    json.number("damaging_shots", static_cast<long long>(score.damaging_shots));
    json.number("kills", static_cast<long long>(score.kills));
    json.number("accuracy", accuracy(score));
    json.number("total_damage", score.total_damage);
    json.number("best_damage", static_cast<long long>(score.best_damage));
    json.close();
    json.boolean("paused", p.paused);
    json.boolean("replaying", p.replay.running());
}

// The round in play as the coach sees it: nulls until its target has landed.
void write_drill_round(JsonWriter& json, const DrillRun& d)
{
    const DrillRoundRecord& r = d.rounds[d.round];
    if (d.finished || d.round_pending || !r.measured) {
        for (const char* name : {"distance", "wind_along", "band", "predicted"}) json.null(name);
        return;
    }
    json.number("distance", static_cast<long long>(round_distance(r)));
    json.number("wind_along", static_cast<long long>(r.along));
    if (r.band == no_band) {
        json.null("band");
    } else {
        char name[64];
        band_name(r.band, name, sizeof name);
        json.text("band", name);
    }
    json.decimal("predicted", r.predicted, 3);
}

// The round that ended last, as its lesson tells it: its window at the
// first shot's angle (nulls when unknown or out of reach) and that shot.
void write_last_round(JsonWriter& json, const DrillRun& d)
{
    if (d.last_round < 0) {
        json.null("last_round");
        return;
    }
    const DrillRoundRecord& r = d.rounds[d.last_round];
    json.object("last_round");
    const bool window = r.window_known && r.window_reaches;
    for (const auto& [name, power] : {std::pair{"best", r.best}, std::pair{"low", r.low}, std::pair{"high", r.high}}) {
        if (window) {
            json.decimal(name, power, 2);
        } else {
            json.null(name);
        }
    }
    json.number("angle", r.shot[0].angle);
    json.decimal("power", r.shot[0].power, 2);
    json.close();
}

// The drill: null without one, else its progress as the HUD line shows it.
void write_drill(JsonWriter& json, const World& world)
{
    const DrillRun& d = world.drill;
    if (!d.active) {
        json.null("drill");
        return;
    }
    json.object("drill");
    json.text("name", d.rules.name);
    json.number("round", static_cast<long long>(drill_round_number(d)));
    json.number("rounds", static_cast<long long>(d.rules.rounds));
    json.number("shot", static_cast<long long>(drill_round_shots(d)));
    json.number("shots", static_cast<long long>(d.rules.shots));
    json.number("score", d.score);
    if (d.best_known) {
        json.number("best", d.best);
    } else {
        json.null("best");
    }
    json.number("hits", static_cast<long long>(d.hits));
    json.number("first_shot_hits", static_cast<long long>(d.first_shot_hits));
    json.boolean("finished", d.finished);
    write_drill_round(json, d);
    write_last_round(json, d);
    json.close();
}

// The controls in effect: their preset, and the file they came from (null
// without one).
void write_controls(JsonWriter& json, const ControlsFile& controls)
{
    json.object("controls");
    json.text("preset", preset_name(controls.preset));
    if (controls.path.empty()) {
        json.null("file");
    } else {
        json.text("file", controls.path);
    }
    json.close();
}

}  // namespace

void write_state_json(const World& world, const ControlsFile& controls, long long tick, JsonWriter& json,
                      std::FILE* out)
{
    json.clear();
    json.open();
    json.number("tick", tick);
    json.number("vang", world.vang);
    json.number("v0", world.v0);
    json.number("direction", static_cast<long long>(world.direction));
    json.number("fire_now", static_cast<long long>(world.fire_now));
    json.number("shoot_delay", static_cast<long long>(world.shoot_delay));
    json.number("shots_done", static_cast<long long>(world.shots_done));
    json.number("wind", world.wind);
    json.number("wang", world.wang);
    json.number("random_x", static_cast<long long>(world.random_x));
    json.number("focus", static_cast<long long>(world.focus));
    json.number("cam_x", static_cast<long long>(world.cam1.cam_x));
    json.number("cam_y", static_cast<long long>(world.cam1.cam_y));

    json.object("mainbullet");
    write_body(json, world.mainbullet);
    json.close();
    write_secondary(json, "sec_bullet1", world.sec_bullet1);
    write_secondary(json, "sec_bullet2", world.sec_bullet2);

    json.object("target1");
    write_unit_fields(json, world.target1);
    json.close();

    const player& p = world.player_bot;
    json.object("player_bot");
    write_unit_fields(json, p);
    json.number("launch_x", static_cast<long long>(p.launch_x));
    json.number("launch_y", static_cast<long long>(p.launch_y));
    json.number("facing", static_cast<long long>(p.facing));
    json.number("just_fired", static_cast<long long>(p.just_fired));
    json.close();

    const ShotResult& impact = world.last_impact;
    if (impact.struck) {
        json.object("last_impact");
        json.number("tick", impact.tick);
        json.number("x", static_cast<long long>(impact.x));
        json.number("y", static_cast<long long>(impact.y));
        json.number("dx", static_cast<long long>(impact.dx));
        json.number("dy", static_cast<long long>(impact.dy));
        json.number("flight_ticks", static_cast<long long>(impact.flight_ticks));
        json.number("target_damage", static_cast<long long>(impact.target_damage));
        json.number("player_damage", static_cast<long long>(impact.player_damage));
        json.close();
    } else {
        json.null("last_impact");
    }

    write_practice(json, world);
    write_drill(json, world);
    write_controls(json, controls);

    json.close();
    std::fprintf(out, "%s\n", json.line().c_str());
}

}  // namespace qm

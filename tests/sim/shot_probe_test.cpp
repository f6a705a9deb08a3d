// The shot probe: every answer must be what the same shot fired in the round
// gives, and firing must leave the probe as synced.
#include "sim/shot_probe.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sim/init_dcs.h"
#include "sim/paint.h"
#include "sim/shot_record.h"
#include "sim/world.h"
#include "terrain/bitmap_reader.h"
#include "terrain/load_map.h"

namespace qm {
namespace {

constexpr int max_ticks = 20000;

// A round on a sample map (or the flat map) under a fixed wind, run until
// both units have landed.
std::unique_ptr<World> landed_round(const char* map, int wind, int wang)
{
    auto w = std::make_unique<World>();
    fill_circle_samp(*w);
    if (map == nullptr) w->flat_map = 1;
    init_DCs(*w);
    w->random_wind = 0;
    w->wind = wind;
    w->wang = wang;
    if (map != nullptr) {
        const std::string path = std::string(QM_SOURCE_DIR) + "/maps/" + map;
        EXPECT_TRUE(open_bitmap(*w, path.c_str(), BitmapMode::load)) << path;
        build_terrain(*w, *w);
    }
    w->loaded = 1;
    paint(*w);
    for (int i = 0; i < max_ticks && !round_at_rest(*w); ++i) paint(*w);
    return w;
}

// The shot fired for real: aim set, facing latched, F pressed, then ticks
// until everything is at rest again.
ShotResult real_shot(const World& round, double angle, double power, int direction)
{
    auto w = std::make_unique<World>(round);
    w->vang = angle;
    w->v0 = power;
    w->direction = direction;
    w->fire_now = 1;
    for (int i = 0; i < max_ticks && (i == 0 || !round_at_rest(*w)); ++i) paint(*w);
    EXPECT_TRUE(round_at_rest(*w));
    return w->last_impact;
}

void expect_same(const ShotResult& a, const ShotResult& b)
{
    EXPECT_EQ(a.struck, b.struck);
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    EXPECT_EQ(a.dx, b.dx);
    EXPECT_EQ(a.dy, b.dy);
    EXPECT_EQ(a.flight_ticks, b.flight_ticks);
    EXPECT_EQ(a.target_damage, b.target_damage);
    EXPECT_EQ(a.player_damage, b.player_damage);
    EXPECT_EQ(a.tick, b.tick);
}

struct Aim {
    double angle;
    double power;
    int direction;
};

struct Round {
    const char* map;  // null: the flat map
    int wind;
    int wang;
    Aim shots[6];
};

// Shots chosen to cover: hits on the target's body and near misses (damage
// from one or several shells), the player's own unit caught by its shot, a
// secondary's crater that lets the main shell through, flights off the side
// of the field, steep and flat shots, both facings, and a cross wind.
const Round rounds[] = {
    {"hills.bmp", 0, 0, {{64, 1.01, 1}, {45, 1.5, 1}, {90, 0.5, 1}, {30, 4.0, 1}, {50, 2.5, -1}, {10, 0.3, -1}}},
    {"hills.bmp", 12, 180, {{64, 1.01, 1}, {75, 3.2, 1}, {20, 1.7, 1}, {88, 4.0, -1}, {45, 0.0, 1}, {35, 2.2, -1}}},
    {"tower.bmp", 5, 90, {{45, 1.3, 1}, {60, 1.8, 1}, {80, 2.6, 1}, {25, 1.1, 1}, {40, 3.0, -1}, {70, 1.0, -1}}},
    {"islands.bmp", 25, 270, {{45, 1.6, 1}, {30, 0.8, 1}, {60, 2.2, 1}, {15, 3.5, 1}, {85, 1.2, -1}, {50, 1.9, -1}}},
    {"cave.bmp", 3, 0, {{45, 1.2, 1}, {20, 0.9, 1}, {65, 2.0, 1}, {89, 3.9, 1}, {30, 1.5, -1}, {55, 2.8, -1}}},
    {nullptr, 7, 45, {{45, 1.0, 1}, {80, 2.0, 1}, {15, 3.0, -1}, {60, 0.2, 1}, {30, 4.0, 1}, {90, 1.0, -1}}},
};

TEST(ShotProbe, EveryShotIsTheRealShot)
{
    for (const Round& r : rounds) {
        auto round = landed_round(r.map, r.wind, r.wang);
        ShotProbe probe(*round);
        for (const Aim& aim : r.shots) {
            SCOPED_TRACE(std::string(r.map != nullptr ? r.map : "flat") + " angle " + std::to_string(aim.angle) +
                         " power " + std::to_string(aim.power) + " direction " + std::to_string(aim.direction));
            expect_same(probe.fire(aim.angle, aim.power, aim.direction),
                        real_shot(*round, aim.angle, aim.power, aim.direction));
        }
    }
}

// The covering set above must really cover what it claims, or the equality
// proves less than it seems.
TEST(ShotProbe, TheCoveringShotsDamageBothUnits)
{
    auto round = landed_round("hills.bmp", 0, 0);
    ShotProbe probe(*round);
    const ShotResult on_target = probe.fire(64, 1.01, 1);
    EXPECT_GT(on_target.target_damage, 0);
    const ShotResult straight_up = probe.fire(90, 0.5, 1);
    EXPECT_GT(straight_up.player_damage, 0);
}

TEST(ShotProbe, FiringLeavesTheProbeAsSynced)
{
    auto round = landed_round("hills.bmp", 12, 180);
    ShotProbe probe(*round);
    const ShotResult first = probe.fire(64, 1.01, 1);
    // Craters, damage and a fallen unit in between must not carry over.
    for (const Aim& aim : rounds[1].shots) probe.fire(aim.angle, aim.power, aim.direction);
    expect_same(probe.fire(64, 1.01, 1), first);
}

TEST(ShotProbe, SyncTakesTheRoundAsItIsNow)
{
    auto round = landed_round("hills.bmp", 0, 0);
    ShotProbe probe(*round);
    // A real shot leaves a crater and damage; after sync the probe fires from
    // that round, not from the one it was built on.
    auto after = std::make_unique<World>(*round);
    after->vang = 64;
    after->v0 = 1.01;
    after->fire_now = 1;
    for (int i = 0; i < max_ticks && (i == 0 || !round_at_rest(*after)); ++i) paint(*after);
    probe.sync(*after);
    expect_same(probe.fire(70, 1.2, 1), real_shot(*after, 70, 1.2, 1));
}

}  // namespace
}  // namespace qm

// The field: a body steps through the view it is given and nothing else, so a
// shot can be flown on the side with a field of its own.
#include "bodies/field.h"

#include <gtest/gtest.h>

#include <memory>

#include "sim/world.h"
#include "test_world.h"

namespace qm {
namespace {

// A field over copies of a world's stripes, scratch surface and readings,
// with bodies of its own; the ring table is the world's, read only.
struct SideField {
    explicit SideField(const World& w) : terrain(w), scratch(w), readings(w)
    {
        field.frame = &frame;
        field.terrain = &terrain;
        field.scratch = &scratch;
        field.rings = &w;
        field.readings = &readings;
        field.secondaries = {&secondary1, &secondary2};
        field.units = {&target, &player_unit};
    }

    Field field;
    Surface frame{frame_width, frame_height};
    TerrainStripes terrain;
    UnitScratch scratch;
    FieldReadings readings;
    sec_bullet secondary1{&field};
    sec_bullet secondary2{&field};
    bot target{&field};
    player player_unit{&field};
    bullet shot{&field};
};

// Steps the shot until it strikes; the number of ticks, or -1.
int fly(bullet& shot)
{
    for (int tick = 1; tick <= 400; ++tick) {
        shot.update(0, 0);
        if (shot.state != 0) return tick;
    }
    return -1;
}

TEST(Field, AShotFlownOnTheSideMatchesTheWorldsAndLeavesTheWorldAlone)
{
    // The same launch into level ground at y 700, once through a side field
    // and once through the world's own: the same tick, point and crater, and
    // the side flight changes nothing of the world.
    auto w = test::make_world();
    test::lay_level_ground(*w, -2400, 2400, 700);
    auto side = std::make_unique<SideField>(*w);

    side->shot.reset(&side->frame, 2.5, 50, 0, 90, 0, 600, 1);
    const int side_ticks = fly(side->shot);
    ASSERT_GT(side_ticks, 0);
    const int crater_x = side->shot.pos_x;
    const int crater_y = side->shot.pos_y;
    EXPECT_NE(is_terrain(side->terrain, crater_x, crater_y), is_terrain(*w, crater_x, crater_y));
    EXPECT_EQ(w->sec_bullet1.state, state_at_rest);  // the world's secondaries were not launched
    EXPECT_EQ(side->secondary1.origin_x, 0);

    w->mainbullet.reset(&w->memoria, 2.5, 50, 0, 90, 0, 600, 1);
    EXPECT_EQ(fly(w->mainbullet), side_ticks);
    EXPECT_EQ(w->mainbullet.pos_x, crater_x);
    EXPECT_EQ(w->mainbullet.pos_y, crater_y);
    EXPECT_EQ(is_terrain(*w, crater_x, crater_y), is_terrain(side->terrain, crater_x, crater_y));
}

}  // namespace
}  // namespace qm

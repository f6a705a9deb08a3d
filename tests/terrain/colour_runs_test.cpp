// Runs along terrain rows: after any change and reread, each row's runs say
// exactly what its pixels hold, or the row is given up when it has too many.
#include "terrain/colour_runs.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace qm {
namespace {

constexpr COLORREF other_colour = 0x00123456;

std::unique_ptr<TerrainStripes> empty_terrain()
{
    auto t = std::make_unique<TerrainStripes>();
    for (Surface& s : t->ground) {
        s = Surface(stripe_size, stripe_size);
        Rectangle(s, Pen{0, empty_colour}, Brush{empty_colour}, 0, 0, stripe_size, stripe_size);
        s.clear_changed();
    }
    return t;
}

// Terrain x of a stripe's column.
int at(int stripe, int x) { return stripe * stripe_size + x; }

void dot(TerrainStripes& t, int x, int y, COLORREF c) { SetPixel(t.ground[x / stripe_size], x % stripe_size, y, c); }

// Rereads every stretch the stripes marked as changed.
void reread_changes(ColourRuns& runs, TerrainStripes& t)
{
    for (int i = 0; i < stripe_count; ++i) {
        Surface& s = t.ground[i];
        for (int y = s.first_changed_row(); y < s.last_changed_row(); ++y)
            runs.reread(t, y, at(i, s.changed(y).from), at(i, s.changed(y).to));
        s.clear_changed();
    }
}

// Row y's runs against its pixels; a row whose stripe is missing reads black.
::testing::AssertionResult runs_match(const ColourRuns& runs, const TerrainStripes& t, int y)
{
    int count = 0;
    const ColourRun* r = runs.row(y, count);
    if (r == nullptr) return ::testing::AssertionFailure() << "row " << y << " given up";
    int start = 0;
    for (int i = 0; i < count; ++i) {
        if (r[i].end <= start || (i > 0 && r[i].colour == r[i - 1].colour))
            return ::testing::AssertionFailure() << "row " << y << ": run " << i << " empty or not joined";
        for (int x = start; x < r[i].end; ++x) {
            const Surface& s = t.ground[x / stripe_size];
            const COLORREF p = s.width() == 0 ? 0 : GetPixel(s, x % stripe_size, y);
            if (p != r[i].colour) return ::testing::AssertionFailure() << "row " << y << ", x " << x;
        }
        start = r[i].end;
    }
    if (start != terrain_row_width) return ::testing::AssertionFailure() << "row " << y << " ends at " << start;
    return ::testing::AssertionSuccess();
}

struct Change {
    const char* name;
    std::function<void(TerrainStripes&)> make;
    int given_up_row;  // a row expected to have too many runs, or -1
    bool before_build = false;  // a change no drawing call marks
};

const Change changes[] = {
    {"a crater inside one stripe",
     [](TerrainStripes& t) { Ellipse(t.ground[2], Pen{2, other_colour}, Brush{terrain_colour}, 300, 100, 370, 140); }, -1},
    {"a crater across two stripes",
     [](TerrainStripes& t) {
         Ellipse(t.ground[2], Pen{2, other_colour}, Brush{terrain_colour}, 770, 10, 840, 60);
         Ellipse(t.ground[3], Pen{2, other_colour}, Brush{terrain_colour}, -30, 10, 40, 60);
     }, -1},
    {"pixels at both ends of a row and back to empty",
     [](TerrainStripes& t) {
         dot(t, 0, 5, terrain_colour);
         dot(t, terrain_row_width - 1, 5, terrain_colour);
         dot(t, 1, 5, other_colour);
         dot(t, 0, 6, terrain_colour);
         dot(t, 0, 6, empty_colour);
     }, -1},
    {"a row of more runs than are kept",
     [](TerrainStripes& t) {
         for (int i = 0; i <= ColourRuns::max_runs; ++i) dot(t, at(1, 2 * i), 7, terrain_colour);
     }, 7},
    {"a stripe never made", [](TerrainStripes& t) { t.ground[5] = Surface(); }, -1, true},
};

TEST(ColourRuns, RereadRowsMatchTheirPixels)
{
    for (const Change& c : changes) {
        SCOPED_TRACE(c.name);
        auto t = empty_terrain();
        ColourRuns runs;
        runs.make_room();
        if (c.before_build) c.make(*t);
        runs.build(*t);
        if (!c.before_build) c.make(*t);
        reread_changes(runs, *t);
        ColourRuns fresh;
        fresh.make_room();
        fresh.build(*t);
        for (int y = 0; y < stripe_size; ++y) {
            if (y == c.given_up_row) {
                int count = 0;
                EXPECT_EQ(runs.row(y, count), nullptr);
                EXPECT_EQ(fresh.row(y, count), nullptr);
                continue;
            }
            ASSERT_TRUE(runs_match(runs, *t, y));
            ASSERT_TRUE(runs_match(fresh, *t, y));
        }
    }
}

}  // namespace
}  // namespace qm

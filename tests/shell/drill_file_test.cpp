// Drill files: every key read with its range, defaults for what is left
// out, and one "FILE:LINE: reason" for every kind of bad line.
#include "shell/drill/drill_file.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/drill/drill_catalogue.h"
#include "sim/drill/builtin_drills.h"

namespace qm {
namespace {

bool parse(const std::string& text, DrillRules& rules, std::string& error)
{
    return parse_drill(text, "t.drill", "maps", "t", rules, error);
}

TEST(DrillFile, ReadsEveryKey)
{
    DrillRules s;
    std::string error;
    ASSERT_TRUE(parse("\xEF\xBB\xBFname Long one  # comment\r\nmap ridge.bmp\nrounds 100\nshots 10\n\n"
                      "distance 50 2300\nside either\nwind 3 9 330 30\nangle 62.5\naids all\n",
                      s, error))
        << error;
    EXPECT_STREQ(s.name, "Long one");
    EXPECT_EQ(s.map_kind, DrillMap::file);
    EXPECT_STREQ(s.map, "maps/ridge.bmp");  // beside the drill file
    EXPECT_EQ(s.rounds, 100);
    EXPECT_EQ(s.shots, 10);
    EXPECT_EQ(s.distance_min, 50);
    EXPECT_EQ(s.distance_max, 2300);
    EXPECT_EQ(s.side, DrillSide::either);
    EXPECT_EQ(s.wind_min, 3);
    EXPECT_EQ(s.wind_max, 9);
    EXPECT_EQ(s.wang_min, 330);
    EXPECT_EQ(s.wang_max, 30);
    EXPECT_TRUE(s.angle_fixed);
    EXPECT_EQ(s.angle, 62.5);
    EXPECT_TRUE(s.aids);
}

TEST(DrillFile, WindFormsAndDefaults)
{
    struct Case {
        const char* text;
        int wind_min, wind_max, wang_min, wang_max;
    };
    const Case cases[] = {
        {"", 0, 0, 0, 0},                   // no wind by default
        {"wind fixed 5 180", 5, 5, 180, 180},
        {"wind 0 25", 0, 25, 0, 359},       // any direction
        {"wind 2 4 90 270", 2, 4, 90, 270},
    };
    for (const Case& c : cases) {
        DrillRules s;
        std::string error;
        ASSERT_TRUE(parse(c.text, s, error)) << c.text << ": " << error;
        EXPECT_EQ(s.wind_min, c.wind_min) << c.text;
        EXPECT_EQ(s.wind_max, c.wind_max) << c.text;
        EXPECT_EQ(s.wang_min, c.wang_min) << c.text;
        EXPECT_EQ(s.wang_max, c.wang_max) << c.text;
    }
    DrillRules s;
    std::string error;
    ASSERT_TRUE(parse("", s, error));
    EXPECT_STREQ(s.name, "t");  // the file's name
    EXPECT_EQ(s.map_kind, DrillMap::level);
    EXPECT_FALSE(s.aids);       // aids give the answer away: off unless asked for
    EXPECT_FALSE(s.angle_fixed);
}

TEST(DrillFile, BadLinesGiveTheirLineAndReason)
{
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"rounds 10\nround 3", "t.drill:2: unknown key 'round'; keys: name, map, rounds, shots, distance, side, wind, angle, aids"},
        {"rounds 0", "t.drill:1: rounds needs a whole number from 1 to 100, not '0'"},
        {"rounds 101", "t.drill:1: rounds needs a whole number from 1 to 100, not '101'"},
        {"shots 11", "t.drill:1: shots needs a whole number from 1 to 10, not '11'"},
        {"# two\n\ndistance 600 300", "t.drill:3: distance needs MIN MAX, whole numbers from 50 to 2300, MIN not above MAX, not '600'"},
        {"distance 49 300", "t.drill:1: distance needs MIN MAX, whole numbers from 50 to 2300, MIN not above MAX, not '49'"},
        {"side up", "t.drill:1: side needs right, left or either, not 'up'"},
        {"wind 5", "t.drill:1: wind needs 'fixed S A', 'SMIN SMAX' or 'SMIN SMAX AMIN AMAX' (strengths 0 to 25, directions 0 to 359)"},
        {"wind 9 3", "t.drill:1: wind needs 'fixed S A', 'SMIN SMAX' or 'SMIN SMAX AMIN AMAX' (strengths 0 to 25, directions 0 to 359)"},
        {"wind fixed 26 0", "t.drill:1: wind needs 'fixed S A', 'SMIN SMAX' or 'SMIN SMAX AMIN AMAX' (strengths 0 to 25, directions 0 to 359)"},
        {"angle 95", "t.drill:1: angle needs free or a fixed angle from 10 to 90, not '95'"},
        {"aids some", "t.drill:1: aids needs none or all, not 'some'"},
        {"rounds 3 4", "t.drill:1: rounds takes no further value, found '4'"},
        {"shots 3\nshots 4", "t.drill:2: shots given twice"},
        {"name", "t.drill:1: name needs a text"},
        {"map", "t.drill:1: map needs flat, a sample map's name or a map file"},
    };
    for (const Case& c : cases) {
        DrillRules s;
        std::string error;
        EXPECT_FALSE(parse(c.text, s, error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

TEST(DrillFile, TheDigestFollowsTheSettings)
{
    // An edited drill starts a new series of bests; the same text, the same series.
    DrillRules a, b, c;
    std::string error;
    ASSERT_TRUE(parse("rounds 5\nwind 0 5", a, error));
    ASSERT_TRUE(parse("wind 0 5   # reordered\nrounds 5", b, error));
    ASSERT_TRUE(parse("rounds 5\nwind 0 6", c, error));
    EXPECT_EQ(a.digest, b.digest);
    EXPECT_NE(a.digest, c.digest);
}

TEST(DrillFile, EveryBuiltInReadsAndTheyDiffer)
{
    ASSERT_GE(builtin_drills().size(), 6u);
    for (const BuiltinDrill& b : builtin_drills()) {
        DrillRules rules;
        std::string error;
        EXPECT_TRUE(find_drill(std::string(b.key), rules, error)) << b.key << ": " << error;
        EXPECT_FALSE(rules.aids) << b.key;
    }
    DrillRules rules;
    std::string error;
    EXPECT_FALSE(find_drill("no-such", rules, error));
    EXPECT_EQ(error, "no built-in drill named 'no-such' and no such file (qmsim drills lists them)");
    EXPECT_FALSE(find_drill("missing.drill", rules, error));
    EXPECT_EQ(error, "missing.drill: No such file or directory");
}

}  // namespace
}  // namespace qm

// Drill files: every key read with its range, defaults for what is left
// out, and one "FILE:LINE: reason" for every kind of bad line.
#include "formats/drill/drill_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "formats/drill/drill_catalogue.h"
#include "formats/history/history_record.h"
#include "scratch_files.h"
#include "sim/drill/builtin_drills.h"
#include "terrain/bitmap_writer.h"
#include "terrain_test_support.h"

namespace qm {
namespace {

bool parse(const std::string& text, DrillRules& rules, std::string& error)
{
    return parse_drill(text, "t.drill", "maps", "t", rules, error);
}

TEST(DrillFile, ReadsEveryKey)
{
    test::TempDir dir;
    ASSERT_TRUE(write_bitmap(dir.file("ridge.bmp"), MapPicture(8, map_rows, map_terrain)));
    DrillRules s;
    std::string error;
    ASSERT_TRUE(parse_drill("\xEF\xBB\xBFname Long one  # comment\r\nmap ridge.bmp\nrounds 100\nshots 10\n\n"
                            "distance 50 2300\nside either\nwind 3 9 330 30\nangle 62.5\naids all\n",
                            "t.drill", dir.path().string(), "t", s, error))
        << error;
    EXPECT_STREQ(s.name, "Long one");
    EXPECT_EQ(s.map_kind, DrillMap::file);
    EXPECT_EQ(s.map, dir.file("ridge.bmp"));  // beside the drill file
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
        {"rounds 10\nround 3", "t.drill:2: unknown key 'round'; keys: name, map, rounds, shots, distance, side, wind, angle, aids, plan"},
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
        {"rounds 5\nname Caf\xE9", "t.drill:2: not UTF-8 text"},
        {"# caf\xE9\nrounds 5", "t.drill:1: not UTF-8 text"},  // comments too: the file is text
        {"name A\tB", "t.drill:1: name holds a control character"},
        {"name A\x7F", "t.drill:1: name holds a control character"},
        {"name A\xC2\x85", "t.drill:1: name holds a control character"},
        {"name 0123456789012345678901234567890123456789012345678901234567890123",
         "t.drill:1: name longer than 63 bytes"},
        {"rounds 5\rmap none.bmp\rshots 2", "t.drill:2: maps/none.bmp: No such file or directory"},
        {"map /\r", "t.drill:1: /: Is a directory"},
    };
    for (const Case& c : cases) {
        DrillRules s;
        std::string error;
        EXPECT_FALSE(parse(c.text, s, error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

TEST(DrillFile, LinesEndAnyWayAndNamesKeepTheirCharacters)
{
    const struct {
        const char* text;
        const char* name;
        int rounds, shots;
    } cases[] = {
        {"name One\nrounds 5\nshots 2\n", "One", 5, 2},
        {"name One\r\nrounds 5\r\nshots 2\r\n", "One", 5, 2},
        {"name One\rrounds 5\rshots 2\r", "One", 5, 2},  // an old Mac editor's file
        {"name Caf\xC3\xA9 \xE2\x86\x92 \xF0\x9F\x8E\xAF\rrounds 5\n\rshots 2", "Caf\xC3\xA9 \xE2\x86\x92 \xF0\x9F\x8E\xAF", 5, 2},
    };
    for (const auto& c : cases) {
        DrillRules s;
        std::string error;
        ASSERT_TRUE(parse(c.text, s, error)) << c.text << ": " << error;
        EXPECT_STREQ(s.name, c.name);
        EXPECT_EQ(s.rounds, c.rounds) << c.text;
        EXPECT_EQ(s.shots, c.shots) << c.text;
    }
}

// Stored histories find their bests by these digests: a drill on the flat
// map or a sample map keeps the one it always had.
TEST(DrillFile, DigestsOfDrillsWithoutAMapFileStayAsTheyWere)
{
    const struct {
        const char* drill;  // a built-in's name, or a drill's text
        const char* digest;
    } cases[] = {
        {"still", "ff9421b481c124ff"},
        {"hills", "60a2cee3717908e5"},
        {"islands", "50d112bf6eb4ff95"},
        {"name Sample\nmap hills\nrounds 4\nshots 3\ndistance 300 700\nside right\nwind 0 6\nangle 45\n",
         "4bfa2e5275505288"},
        {"name Every key\nmap tower\nrounds 7\nshots 2\ndistance 100 900\nside either\nwind 3 9 330 30\n"
         "angle 62.5\naids all\n",
         "ca571732e1e82efa"},
        {"name Level\nmap flat\nside left\nwind fixed 4 90\n", "98e2bd0424a8feec"},
    };
    for (const auto& c : cases) {
        DrillRules s;
        std::string error;
        const bool read = std::string_view(c.drill).find('\n') == std::string_view::npos
                              ? find_drill(c.drill, s, error)
                              : parse(c.drill, s, error);
        ASSERT_TRUE(read) << error;
        EXPECT_EQ(digest_text(s.digest), c.digest) << c.drill;
    }
}

// A map file counts by its content: the same drill however its path is
// spelled, or wherever it and its map were copied, has the same digest.
TEST(DrillFile, AMapFileCountsByItsContentNotItsPath)
{
    test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "a" / "maps");
    std::filesystem::create_directories(dir.path() / "b");
    ASSERT_TRUE(write_bitmap(dir.file("a/maps/m.bmp"), MapPicture(16, map_rows, map_terrain)));
    ASSERT_TRUE(write_bitmap(dir.file("b/copy.bmp"), MapPicture(16, map_rows, map_terrain)));
    ASSERT_TRUE(write_bitmap(dir.file("b/other.bmp"), MapPicture(24, map_rows, map_terrain)));
    std::filesystem::create_symlink("../a/maps/m.bmp", dir.path() / "b" / "link.bmp");
    const std::string rest = "\nrounds 3\nname Same\n";
    const struct {
        std::string file;  // the drill file, written with the text
        std::string text;
        bool same;  // as the first
    } cases[] = {
        {dir.file("a/d.drill"), "map maps/m.bmp" + rest, true},
        {dir.file("a/maps/d.drill"), "map m.bmp" + rest, true},
        {dir.file("a/e.drill"), "map ./maps/../maps/m.bmp" + rest, true},
        {dir.file("b/d.drill"), "map " + dir.file("a/maps/m.bmp") + rest, true},
        {dir.file("b/f.drill"), "map copy.bmp" + rest, true},
        {dir.file("b/g.drill"), "map link.bmp" + rest, true},
        {dir.file("b/h.drill"), "map other.bmp" + rest, false},
    };
    std::uint64_t first = 0;
    for (const auto& c : cases) {
        test::make_text(c.file, c.text);
        DrillRules s;
        std::string error;
        ASSERT_TRUE(read_drill_file(c.file, s, error)) << error;
        if (&c == &cases[0]) first = s.digest;
        EXPECT_EQ(s.digest == first, c.same) << c.file;
    }
    // Spelled another way from another folder: the same drill.
    const auto here = std::filesystem::current_path();
    std::filesystem::current_path(dir.path() / "a");
    DrillRules s;
    std::string error;
    EXPECT_TRUE(read_drill_file("./maps/../d.drill", s, error)) << error;
    std::filesystem::current_path(here);
    EXPECT_EQ(s.digest, first);
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

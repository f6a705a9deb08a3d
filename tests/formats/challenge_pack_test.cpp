// Challenge packs: a drill on its own map back whole with its seed, sender
// and score, the map unpacked by content; damaged, cut, later and foreign
// files refused with their reason; the run-length coding they use.
#include "formats/challenge/challenge_pack.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "formats/challenge/challenge_code.h"
#include "formats/drill/drill_file.h"
#include "formats/run_length.h"
#include "terrain_test_support.h"

namespace qm {
namespace {

std::string bytes_of(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void write_bytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(RunLength, EveryShapeOfInputComesBack)
{
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"nothing", ""},
        {"one byte", "a"},
        {"a pair is no run", "aab"},
        {"the shortest run", "aaa"},
        {"the longest run", std::string(130, 'x')},
        {"a run one past the longest", std::string(131, 'x')},
        {"a long literal stretch", [] {
             std::string s;
             for (int i = 0; i < 300; ++i) s += static_cast<char>(i * 7);
             return s;
         }()},
        {"runs of zero bytes between literals", std::string("ab") + std::string(1000, '\0') + "cd" + std::string(5, '\xFF')},
    };
    for (const auto& c : cases) {
        std::string back;
        ASSERT_TRUE(run_length_decode(run_length_encode(c.bytes), c.bytes.size(), back)) << c.what;
        EXPECT_EQ(back, c.bytes) << c.what;
    }
    EXPECT_LT(run_length_encode(std::string(320000, '\0')).size(), 5000u);
}

TEST(RunLength, CodingsThatEndEarlyOrGrowTooLargeAreRefused)
{
    std::string back;
    EXPECT_FALSE(run_length_decode(std::string("\x05" "ab", 3), 100, back)) << "literal cut short";
    EXPECT_FALSE(run_length_decode(std::string("\x90", 1), 100, back)) << "repeat without its byte";
    EXPECT_FALSE(run_length_decode(run_length_encode(std::string(50, 'a')), 49, back)) << "past the size given";
}

class ChallengePack : public ::testing::Test {
protected:
    void SetUp() override
    {
        write_bytes(dir.file("my.bmp"), bytes_of(QM_SOURCE_DIR "/maps/hills.bmp"));
        write_bytes(dir.file("mine.drill"), "name Mine\nmap my.bmp\nrounds 4\nwind 2 9\nangle 52.5\n");
        std::string error;
        ASSERT_TRUE(read_drill_file(dir.file("mine.drill"), rules, error)) << error;
    }
    std::string pack(const DrillRules& r, std::uint32_t seed = 77)
    {
        std::string error;
        EXPECT_TRUE(write_challenge_pack(r, seed, dir.file("p.qmc"), error)) << error;
        return dir.file("p.qmc");
    }

    test::TempDir dir;
    DrillRules rules;
};

TEST_F(ChallengePack, TheDrillItsMapAndTheScoreToBeatComeBack)
{
    rules.challenge.score_given = true;
    rules.challenge.score = 900;
    std::snprintf(rules.challenge.sender, sizeof rules.challenge.sender, "Zoë \"the\" ace");
    DrillRules back;
    std::uint32_t seed = 0;
    std::string error;
    ASSERT_TRUE(read_challenge_pack(pack(rules), dir.file("maps"), back, seed, error)) << error;
    EXPECT_EQ(seed, 77u);
    EXPECT_STREQ(back.name, "Mine");
    EXPECT_EQ(back.map_kind, DrillMap::file);
    EXPECT_EQ(back.rounds, 4);
    EXPECT_EQ(back.wind_max, 9);
    EXPECT_EQ(back.angle, 52.5);
    EXPECT_TRUE(back.challenge.active);
    EXPECT_EQ(back.challenge.score, 900);
    EXPECT_STREQ(back.challenge.sender, rules.challenge.sender);
    EXPECT_EQ(bytes_of(back.map), bytes_of(dir.file("my.bmp")));
    EXPECT_LT(bytes_of(dir.file("p.qmc")).size(), bytes_of(dir.file("my.bmp")).size() / 20);
    std::string identity;
    ASSERT_TRUE(map_digest(dir.file("my.bmp").c_str(), identity, error)) << error;
    EXPECT_EQ(back.digest, challenge_digest(back, identity, 77)) << "a series of its own, by the map's content";
}

TEST_F(ChallengePack, OpeningAgainUsesTheSameMapFile)
{
    DrillRules first, second;
    std::uint32_t seed = 0;
    std::string error;
    const std::string file = pack(rules);
    ASSERT_TRUE(read_challenge_pack(file, dir.file("maps"), first, seed, error)) << error;
    ASSERT_TRUE(read_challenge_pack(file, dir.file("maps"), second, seed, error)) << error;
    EXPECT_STREQ(first.map, second.map);
    EXPECT_EQ(first.digest, second.digest);
}

TEST_F(ChallengePack, ADrillOnASampleMapTravelsWithoutOne)
{
    DrillRules sample;
    std::string error;
    ASSERT_TRUE(parse_drill("map hills\n", "s.drill", "", "s", sample, error)) << error;
    DrillRules back;
    std::uint32_t seed = 0;
    ASSERT_TRUE(read_challenge_pack(pack(sample, 3), dir.file("maps"), back, seed, error)) << error;
    EXPECT_EQ(back.map_kind, DrillMap::sample);
    EXPECT_STREQ(back.map, "hills");
    EXPECT_FALSE(std::filesystem::exists(dir.file("maps")));
}

TEST_F(ChallengePack, DamagedCutLaterAndForeignFilesAreRefused)
{
    const std::string good = bytes_of(pack(rules));
    std::string later = good;
    later[3] = '\x02';
    std::string flipped = good;
    flipped[good.size() / 2] = static_cast<char>(flipped[good.size() / 2] ^ 0x20);
    const struct {
        const char* what;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"empty", "", "not a challenge pack"},
        {"a map", bytes_of(dir.file("my.bmp")), "not a challenge pack"},
        {"cut short", good.substr(0, good.size() - 9), "its check does not match"},
        {"a flipped bit", flipped, "its check does not match"},
        {"a later format", later, "from a later version of qmsim"},
    };
    for (const auto& c : cases) {
        write_bytes(dir.file("bad.qmc"), c.bytes);
        DrillRules back;
        std::uint32_t seed = 0;
        std::string error;
        EXPECT_FALSE(read_challenge_pack(dir.file("bad.qmc"), dir.file("maps"), back, seed, error)) << c.what;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
        EXPECT_TRUE(error.starts_with(dir.file("bad.qmc") + ": ")) << error;
    }
}

TEST_F(ChallengePack, ACoachDrillIsNotPacked)
{
    rules.coach = true;
    std::string error;
    EXPECT_FALSE(write_challenge_pack(rules, 1, dir.file("c.qmc"), error));
    EXPECT_NE(error.find("the coach plans its rounds"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(dir.file("c.qmc")));
}

}  // namespace
}  // namespace qm

// The rounds of a history line as named data: written and read back, every
// field checked (fields of later versions: HistoryImport).
#include "formats/history/rounds_played.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/json.h"

namespace qm {
namespace {

// One round of 1200 px into a head wind of 20, two shots: short, then a hit.
const std::string one_round =
    "[{\"round\":3,\"distance\":1200,\"side\":-1,\"wind\":20,\"direction\":180,\"along\":-20,\"band\":19,"
    "\"angle_fixed\":false,\"assisted\":true,\"predicted\":0.350,\"window\":{\"best\":2.80,\"low\":2.70,"
    "\"high\":2.95},\"shots\":[{\"angle\":45.00,\"power\":2.50,"
    "\"damage\":0,\"miss\":-84},{\"angle\":44.00,\"power\":2.80,\"damage\":240,\"miss\":null}]}]";

std::string written(const std::vector<HistoryRound>& rounds)
{
    JsonWriter json;
    json.open();
    write_rounds_played(json, rounds);
    json.close();
    return json.line();
}

TEST(RoundsPlayed, RoundsComeBackAsTheyWereWritten)
{
    std::vector<HistoryRound> rounds;
    ASSERT_TRUE(parse_rounds_played(one_round, rounds));
    ASSERT_EQ(rounds.size(), 1u);
    const HistoryRound& r = rounds[0];
    EXPECT_EQ(r.number, 3);
    EXPECT_EQ(r.side, -1);
    EXPECT_TRUE(r.assisted);
    EXPECT_EQ(r.shots, 2);
    EXPECT_TRUE(r.shot[0].struck);
    EXPECT_EQ(r.shot[0].miss, -84);
    EXPECT_FALSE(r.shot[1].struck);  // null: the shell struck nothing
    EXPECT_DOUBLE_EQ(r.shot[1].power, 2.8);
    EXPECT_TRUE(r.window_known && r.window_reaches);
    EXPECT_DOUBLE_EQ(r.low, 2.7);
    EXPECT_EQ(written(rounds), "{\"rounds_played\":" + one_round + "}");
    EXPECT_EQ(written({}), "{\"rounds_played\":[]}");
}

// Each case changes one thing of the round above.
TEST(RoundsPlayed, FieldsMissingOutOfRangeOrOutOfStepRefuseTheRounds)
{
    const struct {
        const char* from;
        const char* to;
        const char* why;
    } cases[] = {
        {"\"band\":19", "\"band\":18", "band not that of the distance and wind"},
        {"\"wind\":20", "\"wind\":5", "more wind along than there is"},
        {"\"side\":-1", "\"side\":0", "no side"},
        {"\"predicted\":0.350", "\"predicted\":1.5", "a chance above 1"},
        {"\"assisted\":true", "\"assisted\":1", "a flag that is no boolean"},
        {"\"distance\":1200", "\"distance\":\"1200\"", "a number as text"},
        {"\"distance\":1200,", "", "a field missing"},
        {"\"round\":3", "\"round\":0", "a round before the first"},
        {",\"miss\":-84", "", "a shot without its miss"},
        {"\"damage\":240", "\"damage\":999", "more damage than a shot can do"},
        {"\"power\":2.50", "\"power\":9", "power past 4"},
        {"\"angle\":45.00", "\"angle\":1e999", "an angle past every number"},
        {"\"shots\":[{\"angle\":45.00,\"power\":2.50,\"damage\":0,\"miss\":-84},", "\"shots\":[", "(the shots cut to one)"},
        {"\"damage\":0,\"miss\":-84},{", "\"damage\":0,\"miss\":-84}],\"x\":[{", "(kept: the rest a field of its own)"},
        {"\"low\":2.70", "\"low\":2.90", "the window's low above its best"},
        {"\"high\":2.95", "\"high\":2.60", "its high below"},
        {",\"high\":2.95", "", "an end missing"},
        {"{\"best\":2.80,\"low\":2.70,\"high\":2.95}", "\"out of reach\"", "(kept: no power reaches)"},
        {"{\"best\":2.80,\"low\":2.70,\"high\":2.95}", "null", "(kept: the window not known)"},
        {"{\"best\":2.80,\"low\":2.70,\"high\":2.95}", "\"far\"", "a window that is no window"},
    };
    for (const auto& c : cases) {
        std::string text = one_round;
        text.replace(text.find(c.from), std::string(c.from).size(), c.to);
        std::vector<HistoryRound> rounds;
        const bool kept = c.why[0] == '(';
        EXPECT_EQ(parse_rounds_played(text, rounds), kept) << c.why;
    }
    std::vector<HistoryRound> rounds;
    const std::string no_shots = "[{\"round\":1,\"distance\":40,\"side\":1,\"wind\":0,\"direction\":0,\"along\":0,"
                                 "\"band\":-1,\"angle_fixed\":false,\"assisted\":false,\"predicted\":0,\"shots\":[]}]";
    EXPECT_FALSE(parse_rounds_played(no_shots, rounds));
    std::string eleven_shots = one_round;
    const std::string shot = "{\"angle\":45.00,\"power\":2.50,\"damage\":0,\"miss\":-84},";
    for (int i = 0; i < 9; ++i) eleven_shots.insert(eleven_shots.find(shot), shot);
    EXPECT_FALSE(parse_rounds_played(eleven_shots, rounds));
    const std::string round = one_round.substr(1, one_round.size() - 2);
    std::string many_rounds = one_round.substr(0, one_round.size() - 1);  // one more than a drill has
    for (int i = 0; i < drill_max_rounds; ++i) many_rounds.append(",").append(round);
    EXPECT_FALSE(parse_rounds_played(many_rounds.append("]"), rounds));
}

}  // namespace
}  // namespace qm

// The round log of a history line: written and read back, every value
// checked, and old lines and later layouts still read for their scores.
#include "formats/history/round_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/history/history_record.h"
#include "history_support.h"
#include "sim/drill/coach_bands.h"

namespace qm {
namespace {

HistoryRound round_of(int distance, int along, std::vector<HistoryShot> shots)
{
    HistoryRound r;
    r.distance = distance;
    r.wind = 20;
    r.wang = 180;
    r.along = along;
    r.band = coach_band(distance, wind_effect(r.wind, r.wang, r.side));
    r.predicted = 0.35;
    r.shots = static_cast<int>(shots.size());
    for (int i = 0; i < r.shots; ++i) r.shot[i] = shots[static_cast<std::size_t>(i)];
    return r;
}

TEST(RoundLog, RoundsComeBackAsTheyWereWritten)
{
    const std::vector<HistoryRound> rounds = {
        round_of(1200, -20, {{45.0, 2.5, 0, true, -84}, {45.0, 2.75, 0, false, 0}, {44.0, 2.8, 240, true, 3}}),
        round_of(40, 0, {{30.0, 1.0, 120, true, 0}}),
    };
    const std::string text = format_round_log(rounds);
    EXPECT_EQ(text, "1200 1 20 180 -20 15 0 0 0.350 45.00/2.50/0/-84 45.00/2.75/0/x 44.00/2.80/240/3;"
                    "40 1 20 180 0 -1 0 0 0.350 30.00/1.00/120/0");
    std::vector<HistoryRound> back;
    ASSERT_TRUE(parse_round_log(text, back));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(format_round_log(back), text);
    EXPECT_FALSE(back[0].first_shot_hit());
    EXPECT_TRUE(back[0].hit());
    EXPECT_FALSE(back[0].shot[1].struck);
    EXPECT_FALSE(counts_in_band(back[1]));  // outside every band
    EXPECT_FALSE(back[0].window_known);     // the text keeps no window
}

TEST(RoundLog, ValuesOutOfRangeOrOutOfStepRefuseTheLog)
{
    const char* bad[] = {
        "1200 1 20 180 -20 14 0 0 0.350 45/2.5/0/-84",       // band not that of the distance and wind
        "1200 1 5 180 -20 -1 0 0 0.350 45/2.5/0/-84",        // more wind along than there is
        "1200 0 20 180 -20 15 0 0 0.350 45/2.5/0/-84",       // no side
        "1200 1 20 180 -20 15 0 0 1.5 45/2.5/0/-84",         // a chance above 1
        "1200 1 20 180 -20 15 0 2 0.350 45/2.5/0/-84",       // a flag that is not 0 or 1
        "1200 1 20 180 -20 15 0 0 0.350",                    // no shot
        "1200 1 20 180 -20 15 0 0 0.350 45/2.5/0",           // a shot short of its miss
        "1200 1 20 180 -20 15 0 0 0.350 45/2.5/999/0",       // more damage than a shot can do
        "1200 1 20 180 -20 15 0 0 0.350 45/9/0/0",           // power past 4
        "1200 1 20 180 -20 15 0 0 0.350 45/2.5/0/-84;",      // a trailing separator
        "1200 1 20 180 -20 15 0 0 0.350 1/1/0/0 1/1/0/0 1/1/0/0 1/1/0/0 1/1/0/0 1/1/0/0 1/1/0/0 1/1/0/0 1/1/0/0 "
        "1/1/0/0 1/1/0/0",                                   // more shots than a drill has
        "1200 1 20 180 -20 15 0 0 0.350 x 45/2.5/0/-84",     // a window, which the text never kept
    };
    for (const char* text : bad) {
        std::vector<HistoryRound> rounds;
        EXPECT_FALSE(parse_round_log(text, rounds)) << text;
    }
}

// A line keeps its round's wind, so a band written by the wind along the
// ground, as lines were before the bands measured the wind's effect, is
// still read, and the round counts where its effect puts it.
TEST(RoundLog, BandsWrittenByEitherRuleReadAsTheWindsEffect)
{
    struct Case {
        const char* round;
        bool read;
        int band;
    } cases[] = {
        {"1200 1 18 84 2 17 0 0 0.350 45.00/2.50/0/-84", true, 19},   // near-vertical updraught, once "calm"
        {"1200 1 18 84 2 19 0 0 0.350 45.00/2.50/0/-84", true, 19},   // the same, written by the effect
        {"1200 1 18 84 2 18 0 0 0.350 45.00/2.50/0/-84", false, 0},   // by neither
        {"1200 -1 18 274 -1 17 0 0 0.350 45.00/2.50/0/-84", true, 15}, // downdraught: carries it well short
        {"700 1 10 180 -10 11 0 0 0.350 45.00/2.50/0/-84", true, 11},  // a head wind by both rules
    };
    for (const Case& c : cases) {
        std::vector<HistoryRound> rounds;
        ASSERT_EQ(parse_round_log(c.round, rounds), c.read) << c.round;
        if (!c.read) continue;
        EXPECT_EQ(rounds[0].band, c.band) << c.round;
        std::vector<HistoryRound> again;
        ASSERT_TRUE(parse_round_log(format_round_log(rounds), again)) << c.round;
        EXPECT_EQ(again[0].band, c.band) << c.round;
    }
}

TEST(RoundLog, HistoryLinesOfEachLayoutRead)
{
    HistoryRecord r = test::record("A", 300);
    HistoryRecord back;
    // The first layout: no rounds, the line as it always was.
    std::string line = format_history_line(r);
    line.pop_back();
    ASSERT_TRUE(parse_history_line(line, back));
    EXPECT_EQ(back.format, 1);
    EXPECT_TRUE(back.round_log.empty());
    EXPECT_EQ(format_history_line(r).find("round_log"), std::string::npos);

    r.round_log = {round_of(1200, -20, {{45.0, 2.5, 120, true, -4}})};
    for (int format : {2, history_format}) {
        r.format = format;
        line = format_history_line(r);
        line.pop_back();
        ASSERT_TRUE(parse_history_line(line, back)) << line;
        EXPECT_EQ(back.format, format);
        EXPECT_EQ(format_round_log(back.round_log), format_round_log(r.round_log));
        EXPECT_EQ(format_history_line(back), line + "\n");  // each layout written back as it was
    }
    EXPECT_NE(line.find("\"rounds_played\":[{\"round\":1,"), std::string::npos) << line;
    EXPECT_EQ(line.find("round_log"), std::string::npos) << line;

    // More rounds logged than played, or hits than counted: not a record.
    HistoryRecord over = r;
    over.played = 0;
    over.hits = 0;
    over.first_shot_hits = 0;
    over.score = 0;
    over.damage = 0;
    line = format_history_line(over);
    line.pop_back();
    EXPECT_FALSE(parse_history_line(line, back));

    // A later layout's rounds that do not read as this one's are passed
    // over; its scores still count. In this layout they refuse the line.
    std::string later = format_history_line(r);
    later.pop_back();
    later.replace(later.find("\"distance\":1200"), 15, "\"distance\":\"far\"");
    EXPECT_FALSE(parse_history_line(later, back)) << later;
    later.replace(later.find("\"format\":3"), 10, "\"format\":4");
    ASSERT_TRUE(parse_history_line(later, back)) << later;
    EXPECT_EQ(back.score, 300);
    EXPECT_TRUE(back.round_log.empty());
}

}  // namespace
}  // namespace qm

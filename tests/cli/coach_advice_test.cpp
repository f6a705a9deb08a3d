// The coach's advice in powers, end to end: a drill keeps each round's hit
// window at its first shot's aim, the history keeps it, and the coach tells
// a scripted player who always shoots 0.2 below the best power to add 0.2.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "drilled.h"
#include "formats/history/history_record.h"
#include "formats/history/round_log.h"
#include "formats/history/rounds_played.h"
#include "formats/json.h"
#include "sim/drill/coach_bands.h"
#include "sim/hit_window.h"
#include "sim/shot_probe.h"

namespace qm {
namespace {

using test::Drilled;

bool ready(const World& w) { return round_ready(w) && w.drill.rounds[w.drill.round].measured; }

TEST(CoachAdvice, APlayerAlwaysShootingLowIsToldToAddTheDifference)
{
    struct Case {
        const char* drill;
        std::uint32_t seed;
        double off;  // the first shot's power against the round's best
        const char* says;
    };
    const Case cases[] = {
        {"rounds 4\nshots 1\ndistance 300 800\nside right\nwind 0 12\nangle 45\n", 3, -0.2, "add about 0.2"},
        {"map hills\nrounds 3\nshots 1\ndistance 300 700\nside either\nwind 0 8\nangle 60\n", 5, -0.2,
         "add about 0.2"},
        {"rounds 3\nshots 1\ndistance 400 900\nside right\nwind 0 6\nangle 50\n", 8, 0.3, "take off about 0.3"},
    };
    for (const Case& c : cases) {
        Drilled d(c.drill, c.seed);
        std::vector<HitWindow> seen;
        while (!d.drill().finished) {
            ASSERT_TRUE(d.until(ready)) << c.drill;
            World& w = *d.world;
            w.direction = w.target1.pos_x < w.player_bot.pos_x ? -1 : 1;
            d.tick();  // the facing turns
            ShotProbe probe(w);
            const HitWindow window = find_window(probe, w.vang, w.direction);
            seen.push_back(window);
            w.v0 = window.reaches ? window.best_power() + c.off : 2.0;
            const int shots = d.drill().shots;
            d.press(VK_F);
            for (int i = 0; i < 3000 && (d.drill().shots == shots || d.drill().shot_in_play); ++i) d.tick();
        }
        const std::vector<HistoryRound> rounds = history_rounds(d.drill());
        ASSERT_EQ(rounds.size(), seen.size()) << c.drill;
        CoachSkill skill;
        add_rounds(skill, rounds);
        int advised = 0;
        for (std::size_t i = 0; i < rounds.size(); ++i) {
            const HistoryRound& r = rounds[i];
            ASSERT_TRUE(r.window_known) << c.drill << i;
            ASSERT_EQ(r.window_reaches, seen[i].reaches) << c.drill << i;
            if (!r.window_reaches) continue;
            EXPECT_DOUBLE_EQ(r.best, seen[i].best_power()) << c.drill << i;
            EXPECT_DOUBLE_EQ(r.low, seen[i].low_power()) << c.drill << i;
            EXPECT_DOUBLE_EQ(r.high, seen[i].high_power()) << c.drill << i;
            if (r.band == no_band) continue;
            char text[256];
            band_sentence(skill, r.band, text, sizeof text);
            EXPECT_NE(std::string(text).find(c.says), std::string::npos) << text;
            ++advised;
        }
        EXPECT_GT(advised, 0) << c.drill;
        // The history line keeps the windows as they were.
        JsonWriter json;
        json.open();
        write_rounds_played(json, rounds);
        json.close();
        const std::string line = json.line();
        const std::size_t at = line.find('[');
        std::vector<HistoryRound> back;
        ASSERT_TRUE(parse_rounds_played(std::string_view(line).substr(at, line.size() - at - 1), back));
        ASSERT_EQ(back.size(), rounds.size());
        for (std::size_t i = 0; i < back.size(); ++i) {
            EXPECT_EQ(back[i].window_reaches, rounds[i].window_reaches) << i;
            EXPECT_DOUBLE_EQ(back[i].best, rounds[i].best) << i;
            EXPECT_DOUBLE_EQ(back[i].high, rounds[i].high) << i;
        }
    }
}

}  // namespace
}  // namespace qm

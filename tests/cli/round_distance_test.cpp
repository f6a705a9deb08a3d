// One distance per drill round: the HUD's round line, the runner's state,
// the results screen and the history all give the contact-point distance,
// not the distance the drill drew before the target drifted in the wind.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cli/runner/state_json.h"
#include "drilled.h"
#include "formats/history/round_log.h"
#include "formats/json.h"
#include "sim/drill/drill_draw.h"

namespace qm {
namespace {

using test::Drilled;

// Ready to aim, with the round's target landed.
bool ready(const World& w) { return round_ready(w) && w.drill.rounds[w.drill.round].measured; }

// The "distance" of the drill's round in play, as the state line gives it.
int state_distance(const World& world)
{
    std::FILE* out = std::tmpfile();
    JsonWriter json;
    write_state_json(world, ControlsFile{}, 0, json, out);
    std::rewind(out);
    char line[4096] = {};
    const std::size_t read = std::fread(line, 1, sizeof line - 1, out);
    std::fclose(out);
    const char* at = std::strstr(line, "\"drill\":");
    at = at == nullptr ? nullptr : std::strstr(at, "\"distance\":");
    return read == 0 || at == nullptr ? -1 : std::atoi(at + 11);
}

// "307R": as the HUD and the results write a round's place.
std::string place(int distance, int side)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d%c", distance, side > 0 ? 'R' : 'L');
    return text;
}

TEST(RoundDistance, HudStateResultsAndHistoryGiveTheContactPointDistance)
{
    struct Case {
        const char* drill;
        std::uint32_t seed;
    };
    const Case cases[] = {
        {"rounds 3\nshots 1\ndistance 250 900\nside either\nwind 10 25\n", 5},
        {"map hills\nrounds 3\nshots 1\ndistance 300 900\nside either\nwind 5 20\n", 8},
        {"rounds 2\nshots 1\ndistance 600 600\nwind fixed 0 0\n", 3},
    };
    bool drifted = false;
    for (const Case& c : cases) {
        Drilled d(c.drill, c.seed);
        std::vector<int> seen;
        while (!d.drill().finished) {
            ASSERT_TRUE(d.until(ready)) << c.drill;
            const DrillRoundRecord& r = d.drill().rounds[d.drill().round];
            const int distance = round_distance(r);
            seen.push_back(distance);
            drifted = drifted || distance != r.distance;
            EXPECT_EQ(state_distance(*d.world), distance) << c.drill;
            char line[drill_line_size];
            format_drill_line(d.drill(), false, line);
            EXPECT_NE(std::string(line).find("  " + place(distance, round_side(r)) + "  chance"), std::string::npos)
                << line;
            d.world->vang = 80;
            d.world->v0 = 0.5;  // falls beside the player: a miss
            const int shots = d.drill().shots;
            d.press(VK_F);
            for (int i = 0; i < 3000 && (d.drill().shots == shots || d.drill().shot_in_play); ++i) d.tick();
        }
        const std::vector<HistoryRound> kept = history_rounds(d.drill());
        ASSERT_EQ(kept.size(), seen.size()) << c.drill;
        for (std::size_t i = 0; i < kept.size(); ++i) {
            EXPECT_EQ(kept[i].distance, seen[i]) << c.drill << i;
            char row[drill_line_size];
            format_round_row(d.drill().rounds[i], static_cast<int>(i) + 1, row);
            const std::string cell = place(seen[i], kept[i].side);
            EXPECT_NE(std::string(row).find(cell.c_str()), std::string::npos) << row;
        }
    }
    EXPECT_TRUE(drifted);  // some target landed away from its drawn distance
}

}  // namespace
}  // namespace qm

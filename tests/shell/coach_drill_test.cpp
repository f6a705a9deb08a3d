// The coach's drill end to end: a scripted player who aims exactly except
// in one band, where every shot falls short, plays sessions into a history;
// the coach then names that band weakest and short, its drill draws most
// rounds from it, and its predictions beat a constant guess.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli/coach/coach_report.h"
#include "drilled.h"
#include "formats/history/history.h"
#include "history_support.h"
#include "sim/drill/coach_rounds.h"
#include "sim/prediction.h"
#include "sim/shot_probe.h"

namespace qm {
namespace {

constexpr const char* coach_drill = "name Coach\nmap flat\nrounds 10\nshots 3\ndistance 50 2300\nside right\n"
                                    "wind 0 25\nplan coach\n";
constexpr double short_by = 0.5;  // the weak band's power, below the exact one

bool ready(const World& w) { return round_ready(w) || w.drill.finished; }

// The hit window's best power at `angle`; 0 when none reaches.
double exact_power(const World& w, double angle, int direction)
{
    ShotProbe probe(w);
    const HitWindow window = find_window(probe, angle, direction);
    return window.reaches ? window.best_power() : 0.0;
}

// Plays one session; answers the bands its rounds counted in.
std::vector<int> play_session(const std::string& history, std::uint32_t seed, int weak_band)
{
    test::Drilled d(coach_drill, seed, history);
    std::vector<int> bands;
    while (!d.drill().finished) {
        EXPECT_TRUE(d.until(ready));
        if (d.drill().finished) break;
        World& w = *d.world;
        const DrillRoundRecord& r = d.drill().rounds[d.drill().round];
        if (r.shots == 0) bands.push_back(r.band);
        const int direction = w.target1.pos_x < w.player_bot.pos_x ? -1 : 1;
        w.direction = direction;
        double angle = 45.0;
        double power = exact_power(w, angle, direction);
        if (power == 0.0) power = exact_power(w, angle = 60.0, direction);
        w.vang = angle;
        w.v0 = r.band == weak_band ? power - short_by : power;
        d.press(VK_F);
        d.tick();
    }
    d.tick();  // the history line is written after the tick that ends the drill
    return bands;
}

TEST(CoachDrill, AShortBandIsNamedWeakestAndDrilledAndThePredictionsBeatAGuess)
{
    const std::string dir = test::scratch("coach_drill");
    const std::string history = dir + "/h.jsonl";
    const int weak = coach_band(400, 0);  // near, the wind barely moves it
    int session = 0;
    CoachReport report;
    std::string reason;
    // Placement sessions until the weak band is known.
    for (; session < 12 && !report.skill.bands[weak].known(); ++session) {
        play_session(history, 200 + session, weak);
        report = CoachReport{};
        std::vector<long> skipped;
        ASSERT_TRUE(read_history_each(history, [&](HistoryRecord& r) { report.add(r); }, skipped, reason)) << reason;
        ASSERT_TRUE(skipped.empty());
    }
    ASSERT_TRUE(report.skill.bands[weak].known());
    int weakest[coach_weakest];
    ASSERT_GE(report.skill.weakest(weakest), 1);
    EXPECT_EQ(weakest[0], weak);
    EXPECT_NE(band_sentence(report.skill, weak).find("px short on average"), std::string::npos)
        << band_sentence(report.skill, weak);
    EXPECT_LT(report.calibration.log_loss, report.calibration.guess_log_loss);

    const std::vector<int> bands = play_session(history, 999, weak);
    EXPECT_GE(std::count(bands.begin(), bands.end(), weak), 6);
}

}  // namespace
}  // namespace qm

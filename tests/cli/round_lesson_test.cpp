// What a finished drill round teaches: the line it brings to the frame (after
// a first-shot miss always, after a hit only while its band is not known to
// be strong) and the state line's `drill.last_round`, both against the
// window the round's first shot was fired in.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cli/runner/state_json.h"
#include "drilled.h"
#include "formats/json.h"
#include "sim/drill/round_lesson.h"
#include "sim/hit_window.h"
#include "sim/shot_probe.h"

namespace qm {
namespace {

using test::Drilled;

TEST(RoundLesson, SaysTheWindowAgainstTheFirstShot)
{
    struct Case {
        bool reaches;
        double best, low, high, angle, power;
        const char* says;
    };
    const Case cases[] = {
        {true, 1.08, 0.83, 1.19, 60, 0.80, "best 1.08 (good 0.83-1.19) at 60; you shot 0.80 (0.28 low)"},
        {true, 1.08, 0.83, 1.19, 60, 1.50, "best 1.08 (good 0.83-1.19) at 60; you shot 1.50 (0.42 high)"},
        {true, 0.5, 0.41, 0.6, 45, 0.5, "best 0.50 (good 0.41-0.60) at 45; you shot 0.50 (the best)"},
        {false, 0, 0, 0, 30, 2.25, "out of reach at 30; you shot 2.25"},
    };
    for (const Case& c : cases) {
        DrillRoundRecord r;
        r.shots = 1;
        r.window_known = true;
        r.window_reaches = c.reaches;
        r.best = c.best, r.low = c.low, r.high = c.high;
        r.shot[0].angle = c.angle, r.shot[0].power = c.power;
        char text[128];
        round_lesson(r, text, sizeof text);
        EXPECT_STREQ(text, c.says);
    }
}

// Every band known, each hit first time in every round or in none.
CoachSkill skill_of(bool strong)
{
    CoachSkill skill;
    for (int band = 0; band < coach_band_count; ++band) {
        for (int i = 0; i < 12; ++i) skill.add(CountedRound{band, strong, strong, true, 0, false, 0.0});
    }
    return skill;
}

TEST(RoundLesson, ComesAfterAMissAndAfterAHitOnlyWhileTheBandIsNotKnownStrong)
{
    enum Skill { none, weak, strong };
    struct Case {
        const char* why;
        Skill skill;
        bool hit;    // the first shot at the window's best, else at a power that misses
        bool shown;  // the lesson follows
    };
    const Case cases[] = {
        {"miss, nothing known", none, false, true},      {"hit, nothing known", none, true, true},
        {"miss, weak band", weak, false, true},          {"hit, weak band", weak, true, true},
        {"miss, strong band", strong, false, true},      {"hit, strong band", strong, true, false},
    };
    const char* drill = "rounds 1\nshots 1\ndistance 300 700\nside right\nwind 0 8\nangle 60\n";
    for (const Case& c : cases) {
        Drilled d(drill, 4);
        World& w = *d.world;
        if (c.skill != none) w.drill.skill = skill_of(c.skill == strong);
        ASSERT_TRUE(d.until([](const World& x) { return round_ready(x) && x.drill.rounds[0].measured; })) << c.why;
        w.direction = 1;
        d.tick();
        ShotProbe probe(w);
        const HitWindow window = find_window(probe, w.vang, w.direction);
        ASSERT_TRUE(window.reaches) << c.why;
        w.v0 = c.hit ? window.best_power() : 0.2;
        d.press(VK_F);
        ASSERT_TRUE(d.until([](const World& x) { return x.drill.finished; })) << c.why;
        const DrillRoundRecord& r = w.drill.rounds[0];
        ASSERT_EQ(r.shot[0].damage > 0, c.hit) << c.why;
        char lesson[128];
        round_lesson(r, lesson, sizeof lesson);
        char best[16];
        std::snprintf(best, sizeof best, "best %.2f ", window.best_power());
        EXPECT_NE(std::string(lesson).find(best), std::string::npos) << c.why << ": " << lesson;
        const std::string notice = w.practice.notice;
        EXPECT_EQ(notice.find(lesson) != std::string::npos, c.shown) << c.why << ": " << notice;
        EXPECT_EQ(notice.rfind("hit: ", 0) == 0, c.hit) << c.why << ": " << notice;
        EXPECT_GT(w.practice.notice_left, 0) << c.why;
    }
}

std::string state_line(const World& world)
{
    JsonWriter json;
    std::FILE* out = std::tmpfile();
    write_state_json(world, ControlsFile{}, 0, json, out);
    std::rewind(out);
    std::string line;
    for (int ch = std::fgetc(out); ch != EOF && ch != '\n'; ch = std::fgetc(out)) line += static_cast<char>(ch);
    std::fclose(out);
    return line;
}

TEST(RoundLesson, TheStateLineKeepsTheLastRoundsWindowAndFirstShot)
{
    struct Case {
        const char* drill;
        std::uint32_t seed;
        double off;  // the first shot against the best power
    };
    const Case cases[] = {
        {"rounds 2\nshots 2\ndistance 300 800\nside right\nwind 0 12\nangle 45\n", 3, -0.3},
        {"map hills\nrounds 2\nshots 1\ndistance 300 700\nside either\nwind 0 8\nangle 60\n", 5, 0.0},
    };
    for (const Case& c : cases) {
        Drilled d(c.drill, c.seed);
        World& w = *d.world;
        EXPECT_NE(state_line(w).find("\"last_round\":null"), std::string::npos) << c.drill;
        for (int round = 0; round < 2; ++round) {
            ASSERT_TRUE(d.until([](const World& x) { return round_ready(x) && x.drill.rounds[x.drill.round].measured; }));
            w.direction = w.target1.pos_x < w.player_bot.pos_x ? -1 : 1;
            d.tick();
            ShotProbe probe(w);
            const HitWindow window = find_window(probe, w.vang, w.direction);
            w.v0 = window.reaches ? window.best_power() + c.off : 2.0;
            const double angle = w.vang, power = w.v0;
            while (w.drill.last_round < round) {
                d.press(VK_F);
                for (int i = 0; i < 3000 && w.drill.last_round < round && !round_ready(w); ++i) d.tick();
                for (int i = 0; i < 3000 && w.drill.last_round < round && !aim_free(w); ++i) d.tick();
            }
            char want[160];
            if (window.reaches) {
                std::snprintf(want, sizeof want, "\"last_round\":{\"best\":%.2f,\"low\":%.2f,\"high\":%.2f,",
                              window.best_power(), window.low_power(), window.high_power());
            } else {
                std::snprintf(want, sizeof want, "\"last_round\":{\"best\":null,\"low\":null,\"high\":null,");
            }
            const std::string line = state_line(w);
            EXPECT_NE(line.find(want), std::string::npos) << line;
            char shot[64];
            std::snprintf(shot, sizeof shot, ",\"power\":%.2f}", power);
            EXPECT_NE(line.find(shot), std::string::npos) << line;
            EXPECT_DOUBLE_EQ(w.drill.rounds[round].shot[0].angle, angle);
        }
    }
}

}  // namespace
}  // namespace qm

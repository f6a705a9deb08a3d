// The practice aids in a running round: trace, score, recall, pause and
// replay, driven through the tick and the key actions.
#include "sim/practice.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "sim/paint.h"
#include "test_world.h"

namespace qm {
namespace {


class PracticeRound : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::build_sample_map(*w);
        w->random_wind = 0;
        w->wind = 0.0;
        tick(100);  // both units have landed
        arm_practice(*w);
    }

    void tick(int n = 1)
    {
        for (int i = 0; i < n; ++i) paint(*w);
    }
    // Fires with the current aim and runs until the main shell is at rest;
    // answers where it first struck.
    POINT fire_and_land()
    {
        w->fire_now = 1;
        POINT impact{};
        for (int i = 0; i < 2000 && !(w->mainbullet.state == state_at_rest && w->fire_now == 0); ++i) {
            const int before = w->mainbullet.state;
            tick();
            if (before == 0 && w->mainbullet.state != 0) impact = {w->mainbullet.pos_x, w->mainbullet.pos_y};
        }
        EXPECT_EQ(w->mainbullet.state, state_at_rest);
        return impact;
    }
    std::uint64_t frame_hash(int skip_top = 0, int skip_bottom = 0) const
    {
        std::uint64_t hash = 0xCBF29CE484222325ull;
        for (int y = 0; y < frame_height; ++y) {
            if (y >= skip_top && y < skip_bottom) continue;
            for (int x = 0; x < frame_width; ++x) hash = (hash ^ GetPixel(w->memoria, x, y)) * 0x100000001B3ull;
        }
        return hash;
    }
    // The frame without the banner's row, where the units of the round
    // shown (the replay's, while it plays) leave it.
    std::uint64_t hash_under(const char* banner, const World* shown = nullptr) const
    {
        const TextBox row = banner_box(shown != nullptr ? *shown : *w, banner);
        return frame_hash(row.top, row.bottom);
    }
    // What a tick moves: the random draws, the camera and the bodies.
    std::vector<double> round_state() const
    {
        CrtRand rng = w->rng;  // the next draw, without drawing it
        std::vector<double> s = {w->vang, w->v0, static_cast<double>(w->random_x), w->wind,
                                 static_cast<double>(w->cam1.cam_x), static_cast<double>(w->cam1.cam_y),
                                 static_cast<double>(w->focus), static_cast<double>(rng.next())};
        const bullet* bodies[] = {&w->sec_bullet1, &w->sec_bullet2, &w->mainbullet, &w->target1, &w->player_bot};
        for (const bullet* b : bodies) s.insert(s.end(), {double(b->pos_x), double(b->pos_y), b->time, double(b->state)});
        return s;
    }

    std::unique_ptr<World> w = test::make_world();
};

TEST_F(PracticeRound, TheTraceFollowsEveryShellMarksItsStrikeAndClearsAsTheNextShotLeaves)
{
    const POINT impact = fire_and_land();
    const ShotTrace& trace = w->practice.trace;
    for (const ShellTrace& shell : trace.shells) {
        EXPECT_GT(shell.count, 10);
        EXPECT_TRUE(shell.struck);
    }
    EXPECT_EQ(trace.shells[0].impact.x, impact.x);
    EXPECT_EQ(trace.shells[0].impact.y, impact.y);
    // No placeholder point from the launch tick: the first point is the
    // shell's first step, beside the muzzle.
    EXPECT_LT(std::abs(trace.shells[0].points[0].x - w->player_bot.launch_x), 20);

    w->fire_now = 1;
    while (w->mainbullet.state != 0) tick();
    for (const ShellTrace& shell : trace.shells) {
        EXPECT_EQ(shell.count, 0);
        EXPECT_FALSE(shell.struck);
    }
}

TEST_F(PracticeRound, AShownTraceMarksTheStrikeInTheFrame)
{
    const POINT impact = fire_and_land();
    tick();
    const int x = impact.x - w->cam1.cam_x;
    const int y = impact.y - w->cam1.cam_y;
    ASSERT_TRUE(x >= 5 && x < frame_width - 5 && y >= 5 && y < frame_height - 5) << x << "," << y;
    const COLORREF beside = GetPixel(w->memoria, x + 3, y + 3);
    EXPECT_NE(beside, test::black);  // the crater, not the mark
    toggle_trace(*w);
    tick();
    EXPECT_EQ(GetPixel(w->memoria, x + 3, y + 3), test::black);
    EXPECT_EQ(GetPixel(w->memoria, x - 3, y + 3), test::black);
    toggle_trace(*w);
    tick();
    EXPECT_EQ(GetPixel(w->memoria, x + 3, y + 3), beside);
}

TEST_F(PracticeRound, TheAimChartDrawsOnlyWhileOnWithTheAimFreeAndLeavesNoTrace)
{
    // A plain round beside this one: every frame but those of the chart shown
    // is the plain round's, byte for byte.
    std::unique_ptr<World> plain = test::make_world();
    *plain = *w;
    auto step = [&] {
        tick();
        paint(*plain);
        return frame_hash() == [&] {
            std::swap(w, plain);
            const std::uint64_t h = frame_hash();
            std::swap(w, plain);
            return h;
        }();
    };
    const struct {
        const char* when;
        bool toggle;   // G pressed before the ticks
        bool fire;     // F pressed before them: the shot leaves in the 30th
        int from;      // the ticks compared are those from this one
        int ticks;
        bool same;     // the frames are the plain round's
    } cases[] = {
        {"G on, the aim free", true, false, 0, 6, false},
        {"the shot in the air", false, true, 31, 60, true},
        {"G off", true, false, 0, 300, true},
    };
    for (const auto& c : cases) {
        if (c.toggle) toggle_chart(*w);
        if (c.fire) w->fire_now = plain->fire_now = 1;
        bool same = true;
        for (int i = 0; i < c.ticks; ++i) {
            const bool equal = step();
            if (i >= c.from) same = same && equal;
        }
        if (c.same) {
            EXPECT_TRUE(same) << c.when;
        } else {
            EXPECT_FALSE(step()) << c.when;
        }
    }
}

TEST_F(PracticeRound, RecallRestoresTheLastShotsAimOnlyWhileTheAimIsFree)
{
    w->vang = 61.0;
    w->v0 = 1.37;
    w->direction = -1;
    w->fire_now = 1;
    while (w->mainbullet.state != 0) tick();
    w->vang = 30.0;
    w->v0 = 3.0;
    w->direction = 1;
    request_recall(*w);
    tick();  // the shell is in the air: the request is dropped
    EXPECT_EQ(w->vang, 30.0);
    fire_and_land();
    while (!aim_free(*w)) tick();
    request_recall(*w);
    tick();
    EXPECT_EQ(w->vang, 61.0);
    EXPECT_EQ(w->v0, 1.37);
    EXPECT_EQ(w->direction, -1);
}

TEST_F(PracticeRound, APausedRoundStandsStillUnderItsBanner)
{
    w->fire_now = 1;
    tick(40);  // the shell in the air
    const std::vector<double> before = round_state();
    const std::uint64_t frame = hash_under(paused_banner);
    const std::uint64_t whole = frame_hash();
    toggle_pause(*w);
    tick(20);
    EXPECT_EQ(round_state(), before);
    EXPECT_EQ(hash_under(paused_banner), frame);
    EXPECT_NE(frame_hash(), whole);  // the banner is there
    toggle_pause(*w);
    tick();
    EXPECT_NE(round_state(), before);
}

TEST_F(PracticeRound, AReplayShowsTheShotsFramesAgainAndLeavesTheRoundUntouched)
{
    EXPECT_FALSE(start_replay(*w));  // no shot yet
    w->fire_now = 1;
    std::vector<std::uint64_t> frames;
    while (w->mainbullet.state != 0) tick();
    EXPECT_FALSE(start_replay(*w));  // the shot is still in the air
    while (w->mainbullet.state != state_at_rest) {
        tick();
        frames.push_back(hash_under(replay_banner));
    }
    tick(30);
    const std::vector<double> before = round_state();

    ASSERT_TRUE(start_replay(*w));
    std::vector<std::uint64_t> replayed;
    while (w->practice.replay.running()) {
        tick();
        replayed.push_back(hash_under(replay_banner, &w->practice.replay.shown()));
    }
    EXPECT_EQ(replayed, frames);
    EXPECT_EQ(round_state(), before);

    // Again, from the launch, as often as asked.
    ASSERT_TRUE(start_replay(*w));
    tick();
    EXPECT_EQ(hash_under(replay_banner, &w->practice.replay.shown()), frames.front());
    stop_replay(*w);
    EXPECT_FALSE(w->practice.replay.running());
}

TEST(PracticeScore, CountsWhatEachShotTookOffTheTarget)
{
    // One step: whether a shot left in this tick, and the target's hit
    // points at its end.
    struct Step {
        bool fired;
        int hp;
    };
    const struct Case {
        const char* name;
        std::vector<Step> steps;
        int shots, damaging, kills;
        long long total;
        int best;
        double accuracy;
    } cases[] = {
        {"placement before any shot counts nothing", {{false, 1000}}, 0, 0, 0, 0, 0, 0.0},
        {"a miss", {{false, 1000}, {true, 1000}, {false, 1000}}, 1, 0, 0, 0, 0, 0.0},
        {"three shells of one shot add up", {{false, 1000}, {true, 1000}, {false, 910}, {false, 880}}, 1, 1, 0, 120,
         120, 100.0},
        {"the best shot is the largest",
         {{false, 1000}, {true, 1000}, {false, 950}, {true, 950}, {false, 870}, {true, 870}},
         3, 2, 0, 130, 80, 200.0 / 3},
        {"a kill, and the placement after it is no damage",
         {{false, 100}, {true, 100}, {false, 0}, {false, 1000}, {true, 1000}, {false, 990}},
         2, 2, 1, 110, 100, 100.0},
    };
    auto w = std::make_unique<World>();
    for (const Case& c : cases) {
        PracticeScore score;
        for (const Step& step : c.steps) {
            w->target1.hp = step.hp;
            score_tick(score, *w, step.fired);
        }
        EXPECT_EQ(score.shots, c.shots) << c.name;
        EXPECT_EQ(score.damaging_shots, c.damaging) << c.name;
        EXPECT_EQ(score.kills, c.kills) << c.name;
        EXPECT_EQ(score.total_damage, c.total) << c.name;
        EXPECT_EQ(score.best_damage, c.best) << c.name;
        EXPECT_DOUBLE_EQ(accuracy(score), c.accuracy) << c.name;
    }
}

TEST(PracticeScore, ThePanelLinesShowTheFigures)
{
    PracticeScore score;
    score.shots = 12;
    score.damaging_shots = 5;
    score.kills = 1;
    score.total_damage = 530;
    score.best_damage = 120;
    char lines[score_lines][score_line_size];
    format_score(score, lines);
    EXPECT_STREQ(lines[0], "shots: 12 hits: 5 kills: 1");
    EXPECT_STREQ(lines[1], "accuracy: 42%");
    EXPECT_STREQ(lines[2], "damage: 530 best: 120");
}

}  // namespace
}  // namespace qm

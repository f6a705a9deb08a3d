// The coach's plan: which band is the focus and how long it stays, and how
// a session's rounds are shared out among the bands.
#include "sim/drill/coach_rounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

#include "sim/drill/drill_run.h"

namespace qm {
namespace {

// Every band known and hit at once, but `weak`, always missed.
CoachSkill skill_weak_in(int weak)
{
    CoachSkill skill;
    for (int round = 0; round < 6; ++round) {
        for (int band = 0; band < coach_band_count; ++band) {
            const bool hit = band != weak;
            skill.add(CountedRound{band, hit, hit, true, hit ? 0 : -90});
        }
    }
    return skill;
}

TEST(CoachRounds, TheFocusStaysUntilItPassesTheTargetOrStopsRising)
{
    const CoachSkill skill = skill_weak_in(7);
    const double now = skill.estimate(7);
    struct Case {
        const char* what;
        FocusMemory memory;
        int focus;
    } cases[] = {
        {"no memory: the weakest", {}, 7},
        {"a remembered band still below the target stays", {7, 2, now + 0.1}, 7},
        {"three sessions without rising: the next weakest, if below the target", {7, 3, now}, no_band},
        {"three sessions, but rising: it stays", {7, 3, now - 0.01}, 7},
        {"a remembered band above the target gives way", {12, 1, 0.1}, 7},
    };
    for (const Case& c : cases) EXPECT_EQ(choose_focus(skill, c.memory), c.focus) << c.what;
    EXPECT_EQ(choose_focus(CoachSkill{}, FocusMemory{}), no_band);  // nothing known: placement

    FocusMemory memory;
    remember_focus(memory, 7, 0.2);
    remember_focus(memory, 7, 0.3);
    remember_focus(memory, no_band, 0.0);  // a placement session leaves it
    EXPECT_EQ(memory.band, 7);
    EXPECT_EQ(memory.sessions, 2);
    EXPECT_DOUBLE_EQ(memory.estimate_at_start, 0.2);
}

std::unique_ptr<DrillRun> planned(const CoachSkill& skill, int focus, std::uint64_t seed)
{
    auto d = std::make_unique<DrillRun>();
    d->rules.rounds = 10;
    d->skill = skill;
    d->focus = focus;
    d->rng = DrillRand{seed};
    plan_coach_rounds(*d);
    return d;
}

TEST(CoachRounds, SevenRoundsInTenComeFromTheFocusTheRestFromTheLeastPlayed)
{
    CoachSkill skill = skill_weak_in(7);
    for (int i = 0; i < 3; ++i) skill.add(CountedRound{20, true, true, true, 0});  // band 20 played most
    const auto d = planned(skill, 7, 5);
    EXPECT_EQ(std::count(d->plan, d->plan + 10, 7), 7);
    EXPECT_EQ(std::count(d->plan, d->plan + 10, 20), 0);
    const std::set<int> others(d->plan, d->plan + 10);
    EXPECT_EQ(others.size(), 4u);  // the focus and three different bands

    // No history: ten different bands; the same seed, the same plan.
    const auto a = planned(CoachSkill{}, no_band, 9);
    EXPECT_EQ(std::set<int>(a->plan, a->plan + 10).size(), 10u);
    const auto b = planned(CoachSkill{}, no_band, 9);
    EXPECT_TRUE(std::equal(a->plan, a->plan + 10, b->plan));
    const auto c = planned(CoachSkill{}, no_band, 10);
    EXPECT_FALSE(std::equal(a->plan, a->plan + 10, c->plan));
}

}  // namespace
}  // namespace qm

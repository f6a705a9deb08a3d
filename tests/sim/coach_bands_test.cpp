// The coach's bands: their edges, the wind's effect and the wind along the shot, the estimate's
// smoothing and fading, the rating and the weakest bands.
#include "sim/drill/coach_bands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace qm {
namespace {

TEST(CoachBands, EdgesFallWhereTheBandsSayBothEndsIncluded)
{
    struct Case {
        int value;
        int distance_band;
        int wind_band;
    } cases[] = {
        {-101, no_band, no_band}, {-100, no_band, 4}, {-8, no_band, 4},   {-7, no_band, 3},   {-3, no_band, 3},
        {-2, no_band, 2},         {2, no_band, 2},    {3, no_band, 1},    {7, no_band, 1},    {8, no_band, 0},
        {100, 0, 0},              {101, 0, no_band}, {49, no_band, 0}, {50, 0, 0},
        {299, 0, no_band},        {300, 1, no_band},  {599, 1, no_band},  {600, 2, no_band},  {999, 2, no_band},
        {1000, 3, no_band},       {1499, 3, no_band}, {1500, 4, no_band}, {2300, 4, no_band}, {2301, no_band, no_band},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(distance_band(c.value), c.distance_band) << c.value;
        EXPECT_EQ(wind_band(c.value), c.wind_band) << c.value;
    }
    for (int w = 0; w < coach_wind_bands; ++w) {
        int low = 0, high = 0;
        wind_band_range(w, low, high);
        EXPECT_EQ(wind_band(low), w);
        EXPECT_EQ(wind_band(high), w);
    }
    EXPECT_EQ(coach_band(1200, 12), 15);
    EXPECT_EQ(coach_band(40, 0), no_band);
    char name[64];
    band_name(15, name, sizeof name);
    EXPECT_STREQ(name, "long, wind carries it well short");
    band_phrase(16, name, sizeof name);
    EXPECT_STREQ(name, "long shots the wind carries short");
}

// The effect is the power the wind asks for against calm air: a wind
// straight up or down changes it as surely as one along the ground, and one
// that blows up and against the shot can leave it barely changed.
TEST(CoachBands, TheWindsEffectCountsWindsUpAndDownNotOnlyAlongTheGround)
{
    struct Case {
        double strength, wang;
        int towards;
        int effect;
        int band;
    } cases[] = {
        {0, 0, 1, 0, 2},      {25, 0, 1, -11, 4},    {25, 0, -1, 17, 0},   {25, 180, 1, 17, 0},
        {18, 84, 1, -10, 4},  {18, 94, 1, -9, 4},    {18, 94, -1, -10, 4},  {25, 90, 1, -14, 4},
        {25, 270, -1, 12, 0}, {10, 90, 1, -5, 3},     {10, 270, 1, 5, 1},   {12, 304, 1, 2, 2},
        {12, 304, -1, 8, 0},  {20, 135, 1, 2, 2},    {4, 0, 1, -2, 2},
    };
    for (const Case& c : cases) {
        const int effect = wind_effect(c.strength, c.wang, c.towards);
        EXPECT_EQ(effect, c.effect) << c.strength << " from " << c.wang << " towards " << c.towards;
        EXPECT_EQ(wind_band(effect), c.band) << c.strength << " from " << c.wang;
    }
}

TEST(CoachBands, WindAlongIsPositiveTowardsTheTargetAndRounded)
{
    struct Case {
        double strength, wang;
        int towards, along;
    } cases[] = {
        {10, 0, 1, 10}, {10, 0, -1, -10}, {10, 180, 1, -10}, {10, 180, -1, 10},
        {10, 90, 1, 0}, {10, 60, 1, 5},   {25, 45, 1, 18},   {20, 100, 1, -3},
    };
    for (const Case& c : cases) EXPECT_EQ(wind_along(c.strength, c.wang, c.towards), c.along) << c.strength << " " << c.wang;
}

CoachSkill played(int band, const std::string& first_shot_hits)
{
    CoachSkill skill;
    for (char c : first_shot_hits) skill.add(CountedRound{band, c == '1', c == '1', true, c == '1' ? 0 : -50});
    return skill;
}

TEST(CoachBands, FewRoundsStayNearThePriorAndOldMissesFade)
{
    // Three lucky rounds do not read as mastery, and are not yet known
    // with two.
    EXPECT_LT(played(0, "111").estimate(0), 0.7);
    EXPECT_FALSE(played(0, "11").bands[0].known());
    EXPECT_TRUE(played(0, "111").bands[0].known());
    EXPECT_DOUBLE_EQ(CoachSkill{}.estimate(3), skill_prior);
    // The same rounds in the other order: the later ones weigh more.
    const double improving = played(0, "00000000001111111111").estimate(0);
    const double slipping = played(0, "11111111110000000000").estimate(0);
    EXPECT_GT(improving, 0.5);
    EXPECT_LT(slipping, 0.5);
    EXPECT_DOUBLE_EQ(played(0, "1100").bands[0].mean_first_miss(), -25.0);
    // A band's prior is the player's rate: a good player's new band starts high.
    CoachSkill good = played(1, "1111111111");
    EXPECT_GT(good.estimate(2), skill_prior);
    EXPECT_DOUBLE_EQ(good.estimate(2), good.overall_estimate());
    // Rounds outside the bands count nowhere.
    EXPECT_EQ(played(no_band, "111").overall.rounds, 0);
}

TEST(CoachBands, TheRatingIsTheHarmonicMeanOfKnownBandsAndTheWeakestSkipUnknownOnes)
{
    CoachSkill skill;
    EXPECT_EQ(skill.rating(), -1.0);
    for (int i = 0; i < 20; ++i) {
        skill.add(CountedRound{4, true, true, true, 0});
        skill.add(CountedRound{9, i % 2 == 0, true, true, 0});
        skill.add(CountedRound{14, false, false, true, -80});
    }
    skill.add(CountedRound{20, false, false, true, 0});  // unknown: one round
    const double a = skill.estimate(4), b = skill.estimate(9), c = skill.estimate(14);
    EXPECT_NEAR(skill.rating(), 300.0 / (1 / a + 1 / b + 1 / c), 1e-9);
    EXPECT_EQ(skill.known_bands(), 3);
    // Band 4, hit 20 of 20, is above the target rate: never called weak.
    int weakest[coach_weakest];
    ASSERT_EQ(skill.weakest(weakest), 2);
    EXPECT_EQ(weakest[0], 14);
    EXPECT_EQ(weakest[1], 9);
    EXPECT_GE(skill.estimate(4), focus_target);
}

// The sentence says which way and how much to change the power, from the
// first shots' mean error against their rounds' best; without a window it
// says where the shells landed.
TEST(CoachBands, TheSentenceAdvisesInPowersWhereTheRoundsKeepTheirWindows)
{
    struct Case {
        std::vector<double> errors;  // one round each: first-shot power less best; NaN: no window
        const char* says;
    } cases[] = {
        {{-0.2, -0.2, -0.2}, "0 of 3 first-shot hits; you aim 0.20 low on average - add about 0.2"},
        {{-0.25, -0.17, -0.21}, "0 of 3 first-shot hits; you aim 0.21 low on average - add about 0.2"},
        {{0.3, 0.5, 0.4}, "0 of 3 first-shot hits; you aim 0.40 high on average - take off about 0.4"},
        {{-0.03}, "0 of 1 first-shot hits; you aim 0.03 low on average - add about 0.1"},
        {{0.004, -0.002}, "0 of 2 first-shot hits; you aim at the best power on average"},
        {{NAN, -0.2}, "0 of 2 first-shot hits; you aim 0.20 low on average - add about 0.2"},
        {{NAN, NAN}, "0 of 2 first-shot hits, landing 50 px short on average"},
    };
    for (const Case& c : cases) {
        CoachSkill skill;
        for (double e : c.errors) skill.add(CountedRound{16, false, false, true, -50, !std::isnan(e), std::isnan(e) ? 0 : e});
        char text[256];
        band_sentence(skill, 16, text, sizeof text);
        EXPECT_EQ(std::string(text), std::string("long shots the wind carries short: ") + c.says);
    }
}

}  // namespace
}  // namespace qm

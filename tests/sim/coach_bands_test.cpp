// The coach's bands: their edges, the wind along the shot, the estimate's
// smoothing and fading, the rating and the weakest bands.
#include "sim/drill/coach_bands.h"

#include <gtest/gtest.h>

#include <string>

namespace qm {
namespace {

TEST(CoachBands, EdgesFallWhereTheBandsSayBothEndsIncluded)
{
    struct Case {
        int value;
        int distance_band;
        int wind_band;
    } cases[] = {
        {-26, no_band, no_band}, {-25, no_band, 0}, {-13, no_band, 0}, {-12, no_band, 1}, {-5, no_band, 1},
        {-4, no_band, 2},        {4, no_band, 2},   {5, no_band, 3},   {12, no_band, 3},  {13, no_band, 4},
        {25, no_band, 4},        {26, no_band, no_band}, {49, no_band, no_band}, {50, 0, no_band},
        {299, 0, no_band},       {300, 1, no_band}, {599, 1, no_band}, {600, 2, no_band}, {999, 2, no_band},
        {1000, 3, no_band},      {1499, 3, no_band}, {1500, 4, no_band}, {2300, 4, no_band}, {2301, no_band, no_band},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(distance_band(c.value), c.distance_band) << c.value;
        EXPECT_EQ(wind_band(c.value), c.wind_band) << c.value;
    }
    EXPECT_EQ(coach_band(1200, -20), 15);
    EXPECT_EQ(coach_band(40, 0), no_band);
    char name[64];
    band_name(15, name, sizeof name);
    EXPECT_STREQ(name, "long, strong head wind");
    band_phrase(15, name, sizeof name);
    EXPECT_STREQ(name, "long shots into a strong head wind");
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
    int weakest[coach_weakest];
    ASSERT_EQ(skill.weakest(weakest), 3);
    EXPECT_EQ(weakest[0], 14);
    EXPECT_EQ(weakest[1], 9);
    EXPECT_EQ(weakest[2], 4);
}

}  // namespace
}  // namespace qm

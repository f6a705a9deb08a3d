// Challenge codes: every setting, seed, sender and score back as written;
// short and URL-safe at their longest; damaged, cut, later and foreign codes
// refused with their reason.
#include "formats/challenge/challenge_code.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "formats/drill/drill_file.h"
#include "sim/drill/drill_run.h"

namespace qm {
namespace {

DrillRules parsed(const std::string& text)
{
    DrillRules rules;
    std::string error;
    EXPECT_TRUE(parse_drill(text, "t.drill", "", "t", rules, error)) << error;
    return rules;
}

void expect_same_settings(const DrillRules& a, const DrillRules& b)
{
    EXPECT_STREQ(a.name, b.name);
    EXPECT_EQ(a.map_kind, b.map_kind);
    EXPECT_STREQ(a.map, b.map);
    EXPECT_EQ(a.rounds, b.rounds);
    EXPECT_EQ(a.shots, b.shots);
    EXPECT_EQ(a.distance_min, b.distance_min);
    EXPECT_EQ(a.distance_max, b.distance_max);
    EXPECT_EQ(a.side, b.side);
    EXPECT_EQ(a.wind_min, b.wind_min);
    EXPECT_EQ(a.wind_max, b.wind_max);
    EXPECT_EQ(a.wang_min, b.wang_min);
    EXPECT_EQ(a.wang_max, b.wang_max);
    EXPECT_EQ(a.angle_fixed, b.angle_fixed);
    EXPECT_EQ(a.angle_fixed ? a.angle : 0.0, b.angle_fixed ? b.angle : 0.0);
    EXPECT_EQ(a.aids, b.aids);
}

TEST(ChallengeCode, EverySettingComesBack)
{
    const struct {
        const char* drill;
        std::uint32_t seed;
        const char* sender;
        long long score;  // -1: none
    } cases[] = {
        {"", 0, "", -1},  // every default, the flat map
        {"name Long one\nmap hills\nrounds 100\nshots 10\ndistance 50 2300\nside either\nwind 3 9 330 30\n"
         "angle 62.123456789\naids all\n",
         4294967295u, "Ann", 30000},
        {"name x\nmap islands\nrounds 1\nshots 1\ndistance 2300 2300\nside left\nwind fixed 25 359\nangle 10\n", 1,
         "", 0},
        {"name \xC3\xA9t\xC3\xA9 & co ?=/%#+ \"q\" <b>\nmap cave\nwind 0 25 0 0\nangle 90\n", 77,
         "\xE2\x9C\x93 %20&x=y#", -1},
        {"name ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789A\nmap tower\n", 123456789,
         "12345678901234567890123456789012", 0},
    };
    for (const auto& c : cases) {
        DrillRules rules = parsed(c.drill);
        std::snprintf(rules.challenge.sender, sizeof rules.challenge.sender, "%s", c.sender);
        rules.challenge.score_given = c.score >= 0;
        rules.challenge.score = c.score >= 0 ? c.score : 0;
        std::string code, error;
        ASSERT_TRUE(encode_challenge(rules, c.seed, code, error)) << error;
        EXPECT_LT(code.size(), 200u) << code;
        EXPECT_EQ(code.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_"),
                  std::string::npos)
            << code;
        DrillRules back;
        std::uint32_t seed = 0;
        ASSERT_TRUE(decode_challenge(code, back, seed, error)) << c.drill << ": " << error;
        expect_same_settings(rules, back);
        EXPECT_EQ(seed, c.seed);
        EXPECT_STREQ(back.challenge.sender, c.sender);
        EXPECT_EQ(back.challenge.score_given, c.score >= 0);
        EXPECT_EQ(back.challenge.score, rules.challenge.score);
        EXPECT_TRUE(back.challenge.active);
    }
}

TEST(ChallengeCode, SeriesFollowTheSettingsAndTheSeedOnly)
{
    const DrillRules rules = parsed("map hills\n");
    auto digest = [](DrillRules r, std::uint32_t seed, const char* sender) {
        std::snprintf(r.challenge.sender, sizeof r.challenge.sender, "%s", sender);
        std::string code, error;
        EXPECT_TRUE(encode_challenge(r, seed, code, error)) << error;
        DrillRules back;
        EXPECT_TRUE(decode_challenge(code, back, seed, error)) << error;
        return back.digest;
    };
    EXPECT_EQ(digest(rules, 5, "Ann"), digest(rules, 5, "Bob"));
    EXPECT_NE(digest(rules, 5, "Ann"), digest(rules, 6, "Ann"));
    EXPECT_NE(digest(rules, 5, "Ann"), rules.digest);  // not the drill's own series
}

TEST(ChallengeCode, WhatNoCodeHoldsIsRefused)
{
    DrillRules rules = parsed("rounds 2\n");
    std::string code, error;
    rules.map_kind = DrillMap::file;
    EXPECT_FALSE(encode_challenge(rules, 1, code, error));
    EXPECT_NE(error.find("its map is a file"), std::string::npos) << error;
    rules.map_kind = DrillMap::level;
    rules.coach = true;
    EXPECT_FALSE(encode_challenge(rules, 1, code, error));
    EXPECT_NE(error.find("the coach plans its rounds"), std::string::npos) << error;
    rules.coach = false;
    EXPECT_EQ(sender_refusal("123456789012345678901234567890123"), "the sender's name longer than 32 bytes");
    for (const char* sender : {"tab\there", "\xFF"}) {
        std::snprintf(rules.challenge.sender, sizeof rules.challenge.sender, "%s", sender);
        EXPECT_FALSE(encode_challenge(rules, 1, code, error)) << sender;
    }
    rules.challenge.sender[0] = '\0';
    rules.challenge.score_given = true;
    for (long long score : {-1LL, 2 * drill_max_round_points + 1}) {
        rules.challenge.score = score;
        EXPECT_FALSE(encode_challenge(rules, 1, code, error)) << score;
        EXPECT_NE(error.find("a score from 0 to"), std::string::npos) << error;
    }
}

std::string sample_code()
{
    DrillRules rules = parsed("name Sample\nmap hills\nangle 45\n");
    std::snprintf(rules.challenge.sender, sizeof rules.challenge.sender, "Ann");
    std::string code, error;
    EXPECT_TRUE(encode_challenge(rules, 42, code, error)) << error;
    return code;
}

TEST(ChallengeCode, DamagedLaterAndForeignCodesAreRefused)
{
    const std::string code = sample_code();
    std::string flipped = code;
    flipped[10] = flipped[10] == 'A' ? 'B' : 'A';
    std::string later = code;
    later.replace(0, 3, "qm2");
    const struct {
        std::string code;
        const char* reason;
    } cases[] = {
        {flipped, "its check does not match"},
        {code.substr(0, code.size() - 1), "a damaged code"},
        {code.substr(0, 10), "a damaged code"},
        {code.substr(0, 4), "a damaged code"},
        {code + "A", "a damaged code"},
        {code.substr(0, 20) + "*" + code.substr(21), "a character no code holds"},
        {later, "from a later version of qmsim"},
        {"qm1234567-AAAA", "not a challenge code"},
        {"https://example.org/?x=1", "not a challenge code"},
        {"qm-AAAA", "not a challenge code"},
        {"qm0-AAAA", "not a challenge code"},
        {"", "not a challenge code"},
    };
    for (const auto& c : cases) {
        DrillRules rules;
        std::uint32_t seed = 0;
        std::string error;
        EXPECT_FALSE(decode_challenge(c.code, rules, seed, error)) << c.code;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.code << ": " << error;
    }
}

TEST(ChallengeCode, MapsThisBuildLacksAreNamed)
{
    // A code made by a build with a sample map called "dunes": the same
    // bytes as the hills code's, the name and the check changed.
    DrillRules rules = parsed("map hills\n");
    std::string code, error;
    ASSERT_TRUE(encode_challenge(rules, 3, code, error)) << error;
    std::snprintf(rules.map, sizeof rules.map, "dunes");
    ASSERT_TRUE(encode_challenge(rules, 3, code, error)) << error;
    DrillRules back;
    std::uint32_t seed = 0;
    EXPECT_FALSE(decode_challenge(code, back, seed, error));
    EXPECT_NE(error.find("map 'dunes' is not in this build"), std::string::npos) << error;
}

}  // namespace
}  // namespace qm

// Challenge codes: a drill on the flat map or a sample map, its seed, and
// optionally a score to beat and who set it, as one short URL-safe text
// ("qm1-" then base64url) that plays the same draws on every build. The
// format's number leads the code, a check digest ends it; a later
// version keeps reading every earlier format. See docs/drills.md.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "sim/drill/drill_rules.h"

namespace qm {

constexpr int challenge_format = 1;  // the newest format this build writes and reads

// The code of `rules` drawn with `seed`, with rules.challenge's score and
// sender when given. False with the reason when the drill cannot travel as
// a code (its map is a file) or the sender's name or score is not one a
// code holds.
bool encode_challenge(const DrillRules& rules, std::uint32_t seed, std::string& code, std::string& error);

// The drill, its seed and rules.challenge from a code; rules.digest is the
// challenge's own (the settings and the seed), so its sessions are a series
// of their own. False with the reason for a code of a later format, a
// damaged or foreign code, or one naming a map this build does not have.
bool decode_challenge(std::string_view code, DrillRules& rules, std::uint32_t& seed, std::string& error);

// The drill's settings, its seed and rules.challenge's sender and score as
// a code's bytes hold them (a pack holds them too; there a map file is
// marked as travelling beside them).
std::string challenge_settings(const DrillRules& rules, std::uint32_t seed);

// The settings back from their bytes, each value within the drill file's
// limits; a map file only `in_pack`. False with the reason.
bool read_challenge_settings(std::string_view bytes, bool in_pack, DrillRules& rules, std::uint32_t& seed,
                             std::string& error);

// The series a challenge's sessions go in: its settings, its map by `map`
// (a sample's name, or a map file's content digest) and its seed.
std::uint64_t challenge_digest(const DrillRules& rules, const std::string& map, std::uint32_t seed);

// Why a sender's name or a score to beat cannot go into a code; empty when
// it can.
std::string sender_refusal(std::string_view name);
std::string score_refusal(long long score, const DrillRules& rules);

// Why a drill cannot travel as a code or a pack whatever its map: a coach
// drill, or a sender or score no code holds; empty when it can.
std::string travel_refusal(const DrillRules& rules);

}  // namespace qm

// Feeds arbitrary bytes to the readers of challenges: as a code, as the
// settings a pack holds, and as a pack's run-length coded map (the first
// byte chooses). A code taken must give the same drill when written again
// and read back; settings must be within the drill file's limits; a coding
// taken must stay within its size and come back through the encoder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "formats/challenge/challenge_code.h"
#include "formats/run_length.h"
#include "sim/drill/drill_map.h"
#include "sim/shot_control.h"

namespace {

using qm::DrillRules;

constexpr std::size_t max_map = 1 << 16;

void check_rules(const DrillRules& r)
{
    if (r.rounds < qm::drill_min_rounds || r.rounds > qm::drill_max_rounds || r.shots < qm::drill_min_shots ||
        r.shots > qm::drill_max_shots || r.distance_min < qm::drill_min_distance || r.distance_min > r.distance_max ||
        r.distance_max > qm::drill_max_distance || r.wind_min < 0 || r.wind_min > r.wind_max ||
        r.wind_max > qm::drill_max_wind || r.name[0] == '\0')
        std::abort();
    if (r.angle_fixed && !(r.angle >= qm::min_aim_angle && r.angle <= qm::max_aim_angle)) std::abort();
    if (r.map_kind == qm::DrillMap::sample && !qm::is_sample_map(r.map)) std::abort();
}

bool same(const DrillRules& a, const DrillRules& b)
{
    return std::strcmp(a.name, b.name) == 0 && std::strcmp(a.map, b.map) == 0 && a.map_kind == b.map_kind &&
           a.rounds == b.rounds && a.shots == b.shots && a.distance_min == b.distance_min &&
           a.distance_max == b.distance_max && a.side == b.side && a.wind_min == b.wind_min &&
           a.wind_max == b.wind_max && a.wang_min == b.wang_min && a.wang_max == b.wang_max &&
           a.angle_fixed == b.angle_fixed && (!a.angle_fixed || a.angle == b.angle) && a.aids == b.aids &&
           a.digest == b.digest && a.challenge.score_given == b.challenge.score_given &&
           a.challenge.score == b.challenge.score && std::strcmp(a.challenge.sender, b.challenge.sender) == 0;
}

void fuzz_code(std::string_view text)
{
    DrillRules rules;
    std::uint32_t seed = 0;
    std::string error;
    if (!qm::decode_challenge(text, rules, seed, error)) {
        if (error.empty() || error.find('\n') != std::string::npos) std::abort();
        return;
    }
    check_rules(rules);
    std::string code;
    DrillRules again;
    std::uint32_t seed_again = 0;
    if (!qm::encode_challenge(rules, seed, code, error) || code.size() >= qm::drill_code_size ||
        !qm::decode_challenge(code, again, seed_again, error) || seed_again != seed || !same(rules, again))
        std::abort();
}

void fuzz_settings(std::string_view bytes)
{
    DrillRules rules;
    std::uint32_t seed = 0;
    std::string error;
    if (!qm::read_challenge_settings(bytes, true, rules, seed, error)) {
        if (error.empty()) std::abort();
        return;
    }
    check_rules(rules);
}

void fuzz_run_length(std::string_view coded)
{
    std::string bytes;
    if (!qm::run_length_decode(coded, max_map, bytes)) return;
    std::string back;
    if (bytes.size() > max_map || !qm::run_length_decode(qm::run_length_encode(bytes), max_map, back) || back != bytes)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 3) {
    case 0: fuzz_code(rest); break;
    case 1: fuzz_settings(rest); break;
    default: fuzz_run_length(rest); break;
    }
    return 0;
}
